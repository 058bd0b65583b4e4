#include "store/phrasebook.h"

#include "store/cp932.h"
#include "store/filelock.h"
#include "store/textfile.h"
#include "store/valuecleaning.h"

#include <QDir>
#include <QList>

namespace store {
namespace {

// The file a new working folder gets. The commas inside the last phrase of
// line 9 are half-width ideographic commas "､", not separators.
constexpr QStringView kDefaultLines[] = {
    u"品名の登録,,,,,",
    u"名称の登録,,,,,",
    u"原材料名の登録,商品包装○部○○に記載？原材料名：,,,,",
    u"予備欄１の登録,冷凍前加熱の有無:加熱してありません,採取海域：,使用上の注意：賞味期限内にお召し上がりください。,,",
    u"予備欄２の登録,加熱調理の必要性:加熱して下さい,採取海域：,使用上の注意：賞味期限内にお召し上がりください。,,",
    u"保存方法の登録,高温・多湿・直射日光を避け、常温にて保存して下さい,要冷蔵(１０℃以下),１０℃以下で保存して下さい,４℃以下で保存して下さい,－１８℃以下で保存して下さい",
    u"予備欄３の登録,採取海域：,使用上の注意：賞味期限内にお召し上がりください。,,,",
    u"責任者表記の登録,,,,,",
    u"備考/価格の登録,原材料配合割合：,使用上の注意：お早めにお召し上がりください。,製品には万全を期しておりますが､万一不都合がございましたら､お買い上げの月日・店名をお書き添えの上､箱ごとお送り下さい。,,",
};

QString phrasePath(const QString &workDir)
{
    return QDir(workDir).filePath(kPhraseFileName.toString());
}

QString phraseWorkPath(const QString &workDir)
{
    return QDir(workDir).filePath(kPhraseWorkFileName.toString());
}

QString phraseLockPath(const QString &workDir)
{
    return QDir(workDir).filePath(kPhraseLockFileName.toString());
}

constexpr QStringView kWriteFailed = u"文字列情報の保存に失敗しました";
// The phrase file in the words of the message for a change that must wait.
constexpr QStringView kFileWords = u"文字列情報";

QString readFailure(const QString &reason)
{
    return QStringLiteral("文字列情報を読み込めませんでした\r") + reason;
}

QString writeFailure(const QString &reason)
{
    return kWriteFailed.toString() + u'\r' + reason;
}

// With the phrase file's lock held.
FileResult replacePhraseFile(const QString &workDir, QByteArrayView content)
{
    const WriteOutcome outcome = replaceFileContent(phrasePath(workDir), phraseWorkPath(workDir), content);
    if (!outcome.ok)
        return FileResult::failure(writeFailure(outcome.error));
    return FileResult::success();
}

enum class TitleMatch { Exact, Prefix };

// Items run on across line ends: the phrases are the five items after the
// title, wherever they stand.
std::optional<Phrases> findPhrases(const QString &workDir, QStringView title, TitleMatch match, QString *error)
{
    const FileContent file = readWholeFile(phrasePath(workDir));
    if (file.status != ReadStatus::Ok) {
        if (error) {
            *error = file.status == ReadStatus::Missing ? QStringLiteral("文字列情報が見つかりません")
                                                        : readFailure(file.error);
        }
        return std::nullopt;
    }
    const QList<QByteArray> items = readItems(file.bytes);
    for (qsizetype i = 0; i < items.size(); ++i) {
        const QString item = fromCp932(items.at(i));
        const bool found = match == TitleMatch::Exact ? item == title : item.startsWith(title);
        if (!found)
            continue;
        Phrases phrases;
        for (int k = 0; k < kPhraseCount && i + 1 + k < items.size(); ++k)
            phrases[k] = unescapeValue(fromCp932(items.at(i + 1 + k)));
        return phrases;
    }
    if (error)
        *error = QStringLiteral("「%1」の文字列情報がありません").arg(title);
    return std::nullopt;
}

// An empty title would begin every line, and a comma or a line end in it
// would break the file's items; readers skip an item's leading blanks, so a
// title that begins with one would never be found again. Such a category
// cannot be stored.
bool isStorableTitle(QStringView title)
{
    if (title.isEmpty() || title.startsWith(u' '))
        return false;
    for (const QChar c : title) {
        if (c.unicode() < 0x20 || c == u',' || c == u'，')
            return false;
    }
    return true;
}

// With the phrase file's lock held.
EnsureResult writeDefaults(const QString &workDir)
{
    QByteArray content;
    for (const QStringView line : kDefaultLines) {
        content += toCp932(line);
        content += kLineEnd;
    }
    const FileResult written = replacePhraseFile(workDir, content);
    if (!written)
        return {EnsureOutcome::Failed, written.message};
    return {EnsureOutcome::Created, {}};
}

} // namespace

EnsureResult createDefaultPhraseBook(const QString &workDir, std::chrono::milliseconds lockWait)
{
    FileContent file = readWholeFile(phrasePath(workDir));
    if (file.status == ReadStatus::Missing) {
        // Another program may create the file meanwhile: look again once the
        // file is ours.
        const FileLock lock(phraseLockPath(workDir), lockWait);
        if (!lock.held())
            return {EnsureOutcome::Failed, lock.refusal(kWriteFailed, kFileWords)};
        file = readWholeFile(phrasePath(workDir));
        if (file.status == ReadStatus::Missing)
            return writeDefaults(workDir);
    }
    if (file.status == ReadStatus::Unreadable)
        return {EnsureOutcome::Failed, readFailure(file.error)};
    return {};
}

std::optional<Phrases> readPhrases(const QString &workDir, QStringView title, QString *error)
{
    return findPhrases(workDir, title, TitleMatch::Exact, error);
}

std::optional<Phrases> readPhrasesForEditing(const QString &workDir, QStringView title, QString *error)
{
    return findPhrases(workDir, title, TitleMatch::Prefix, error);
}

FileResult writePhrases(const QString &workDir, QStringView title, const Phrases &phrases,
                        std::chrono::milliseconds lockWait)
{
    if (!isStorableTitle(title))
        return FileResult::failure(writeFailure(QStringLiteral("分類名「%1」は使えません").arg(title)));

    const FileLock lock(phraseLockPath(workDir), lockWait);
    if (!lock.held())
        return FileResult::failure(lock.refusal(kWriteFailed, kFileWords));
    const FileContent file = readWholeFile(phrasePath(workDir));
    if (file.status == ReadStatus::Unreadable)
        return FileResult::failure(readFailure(file.error));

    QByteArray newLine = toCp932(title);
    for (const QString &phrase : phrases) {
        newLine += ',';
        newLine += toCp932(cleanValue(phrase));
    }

    const QByteArray titleBytes = toCp932(title);
    QByteArray content;
    bool replaced = false;
    for (const QByteArray &line : splitLines(file.bytes)) {
        if (line.startsWith(titleBytes)) {
            content += newLine;
            replaced = true;
        } else {
            content += line;
        }
        content += kLineEnd;
    }
    if (!replaced) {
        content += newLine;
        content += kLineEnd;
    }
    return replacePhraseFile(workDir, content);
}

} // namespace store
