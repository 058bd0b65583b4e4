// The backup list of a data folder holding any names at all (files and
// folders, hidden ones too), and a backup made and restored under a name
// typed as anything: the list shows each "...bak" once, by the name it was
// found under, and a cleaned name stays clean.
#include "fuzz/fuzzsupport.h"

#include "store/backupname.h"
#include "store/backupstore.h"

#include <QDir>
#include <QFile>
#include <QSet>

#include <fuzzer/FuzzedDataProvider.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace fuzzsupport;
    FuzzedDataProvider input(data, size);
    // A fresh data folder for every input.
    const QString dataFolder = folder() + QStringLiteral("/data/");
    QDir(dataFolder).removeRecursively();
    QDir().mkpath(dataFolder);

    // Names a folder listing can hold: no "/", no NUL, not "." or "..".
    QSet<QString> made;
    const int count = input.ConsumeIntegralInRange(0, 8);
    for (int i = 0; i < count; ++i) {
        QString name = QString::fromUtf8(input.ConsumeRandomLengthString(40));
        name.remove(u'/');
        name.remove(QChar(0));
        if (name.isEmpty() || name == u"." || name == u".." || QFile::encodeName(name).size() > 200)
            continue;
        const bool folderEntry = input.ConsumeBool();
        // Joined by hand: QDir would take a name that starts with ":" for a Qt resource.
        if (folderEntry ? QDir().mkdir(dataFolder + name) : QFile(dataFolder + name).open(QIODevice::WriteOnly))
            made.insert(name);
    }
    const QString typed = QString::fromUtf8(input.ConsumeRandomLengthString(60));
    const std::string product = input.ConsumeRemainingBytesAsString();

    const store::BackupStore backups(dataFolder);
    QSet<QString> listed;
    for (const store::BackupEntry &entry : backups.list()) {
        check(QFileInfo::exists(dataFolder + entry.fileName) || QFileInfo(dataFolder + entry.fileName).isSymLink(),
              "a listed backup is in the folder");
        check(entry.name == entry.fileName.left(std::max<qsizetype>(0, entry.fileName.size() - 4)),
              "the shown name is the file name without its last four characters");
        listed.insert(entry.fileName);
    }
    QSet<QString> expected;
    for (const QString &name : std::as_const(made)) {
        if (name.endsWith(QStringLiteral("bak"), Qt::CaseInsensitive))
            expected.insert(name);
    }
    check(listed == expected, "every name ending in bak is listed");

    const QString cleaned = store::cleanBackupName(typed);
    check(store::cleanBackupName(cleaned) == cleaned, "cleaning a clean name changes nothing");
    check(!cleaned.contains(u'/'), "a cleaned name holds no folder");

    QFile productFile(dataFolder + QStringLiteral("商品情報.tsv"));
    if (!productFile.open(QIODevice::WriteOnly))
        return 0; // a folder of that name
    productFile.write(product.data(), static_cast<qint64>(product.size()));
    productFile.close();
    const store::FileResult created = backups.create(typed);
    if (!created)
        return 0; // an empty or too long name, or one a folder already holds
    const QString fileName = cleaned + QStringLiteral(".bak");
    check(QFileInfo(dataFolder + fileName).isFile(), "the backup is where its name says");
    check(backups.restore({cleaned, fileName}).ok, "a backup just made restores");
    check(backups.remove({cleaned, fileName}).ok, "a backup just made is removed");
    return 0;
}
