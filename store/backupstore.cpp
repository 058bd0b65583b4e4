#include "store/backupstore.h"

#include "store/backupname.h"
#include "store/datalocation.h"
#include "store/filelock.h"
#include "store/textfile.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace store {
namespace {

constexpr QChar kCr = u'\r';

// The files in the words of the message for a change that must wait.
constexpr QStringView kBackupWords = u"バックアップデータ";
constexpr QStringView kProductWords = u"商品情報";

// A backup holds the product file's lines as they stand, each ended by CR LF.
// A line is copied whole: a comma someone typed into the file by hand must not
// turn one product into two lines of the copy.
QByteArray copyOfLines(QByteArrayView content)
{
    QByteArray copy;
    copy.reserve(content.size() + content.size() / 16);
    for (const QByteArray &line : splitLines(content)) {
        copy += line;
        copy += kLineEnd;
    }
    return copy;
}

// Like readWholeFile, but only an ordinary file is read: a pipe named "x.bak"
// would block the program for ever and a device would never end.
FileContent readDataFile(const QString &path)
{
    struct stat info{};
    if (::stat(QFile::encodeName(path).constData(), &info) == 0 && !S_ISREG(info.st_mode)) {
        FileContent content;
        content.status = ReadStatus::Unreadable;
        content.error = S_ISDIR(info.st_mode) ? QStringLiteral("フォルダーです")
                                              : QStringLiteral("通常のファイルではありません");
        return content;
    }
    return readWholeFile(path);
}

// Entries come from the folder listing; anything else that would reach
// outside the data folder is not a backup of ours.
bool isPlainFileName(const QString &fileName)
{
    return !fileName.isEmpty() && !fileName.contains(u'/') && fileName != QLatin1String(".")
        && fileName != QLatin1String("..");
}

} // namespace

BackupStore::BackupStore(QString dataFolder, std::chrono::milliseconds lockWait)
    : m_dataFolder(std::move(dataFolder))
    , m_lockWait(lockWait)
{
}

QList<BackupEntry> BackupStore::list() const
{
    QList<BackupEntry> entries;
    const QStringList names = QDir(m_dataFolder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Unsorted);
    for (const QString &fileName : names) {
        if (!fileName.endsWith(QLatin1String("bak"), Qt::CaseInsensitive))
            continue;
        // "bak" alone has no fourth-last character to drop; it shows as an empty name.
        entries.append({fileName.left(qMax(0, fileName.size() - 4)), fileName});
    }
    return entries;
}

FileResult BackupStore::create(QStringView name) const
{
    const QString cleaned = cleanBackupName(name);
    if (cleaned.isEmpty())
        return FileResult::failure(QStringLiteral("バックアップ名を入力して下さい"));

    const QString failed = QStringLiteral("バックアップデータの作成に失敗しました");
    const FileContent product = readDataFile(productFilePaths(m_dataFolder).product);
    if (product.status == ReadStatus::Missing)
        return FileResult::failure(QStringLiteral("商品情報が見当たりません"));
    if (product.status == ReadStatus::Unreadable)
        return FileResult::failure(failed + kCr + QStringLiteral("商品情報を読み込めませんでした") + kCr + product.error);

    const QString target = m_dataFolder + cleaned + QStringLiteral(".bak");
    const FileLock lock(target + QStringLiteral(".lock"), m_lockWait);
    if (!lock.held())
        return FileResult::failure(lock.refusal(failed, kBackupWords));
    const WriteOutcome written = replaceFileContent(target, target + QStringLiteral(".tmp"), copyOfLines(product.bytes));
    if (!written.ok)
        return FileResult::failure(failed + kCr + written.error);
    return {true, QStringLiteral("バックアップデータを作成しました")};
}

FileResult BackupStore::remove(const BackupEntry &entry) const
{
    // unlink, not a recursive removal: a folder that happens to end in "bak"
    // is refused by the system and its contents stay where they are.
    const QString failed = QStringLiteral("バックアップデータの削除に失敗しました");
    const QByteArray path = QFile::encodeName(m_dataFolder + entry.fileName);
    const bool plain = isPlainFileName(entry.fileName);
    if (!plain)
        return FileResult::failure(failed + kCr + QString::fromLocal8Bit(std::strerror(ENOENT)));
    const FileLock lock(m_dataFolder + entry.fileName + QStringLiteral(".lock"), m_lockWait);
    if (!lock.held())
        return FileResult::failure(lock.refusal(failed, kBackupWords));
    if (::unlink(path.constData()) != 0)
        return FileResult::failure(failed + kCr + QString::fromLocal8Bit(std::strerror(errno)));
    return {true, entry.name + QStringLiteral("を削除しました")};
}

FileResult BackupStore::restore(const BackupEntry &entry) const
{
    const QString failed = QStringLiteral("商品情報の復元に失敗しました");
    const FileContent backup = isPlainFileName(entry.fileName) ? readDataFile(m_dataFolder + entry.fileName) : FileContent{};
    if (backup.status == ReadStatus::Missing)
        return FileResult::failure(failed + kCr + QStringLiteral("バックアップデータが見当たりません"));
    if (backup.status == ReadStatus::Unreadable)
        return FileResult::failure(failed + kCr + QStringLiteral("バックアップデータを読み込めませんでした") + kCr
                                   + backup.error);

    const ProductFilePaths paths = productFilePaths(m_dataFolder);
    const FileLock lock(paths.lock, m_lockWait);
    if (!lock.held())
        return FileResult::failure(lock.refusal(failed, kProductWords));
    const WriteOutcome written = replaceFileContent(paths.product, paths.work, copyOfLines(backup.bytes));
    if (!written.ok)
        return FileResult::failure(failed + kCr + written.error);
    return {true, QStringLiteral("商品情報を復元しました")};
}

} // namespace store
