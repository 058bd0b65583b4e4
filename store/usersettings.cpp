#include "store/usersettings.h"

#include "store/cp932.h"
#include "store/filelock.h"
#include "store/numericvalue.h"
#include "store/settingsdefaults.h"
#include "store/textfile.h"

#include <QDir>

#include <algorithm>
#include <cmath>

namespace store {
namespace {

QString settingsPath(const QString &workDir)
{
    return QDir(workDir).filePath(kUserSettingsFileName.toString());
}

QString workPath(const QString &workDir)
{
    return QDir(workDir).filePath(kUserSettingsWorkFileName.toString());
}

QString lockPath(const QString &workDir)
{
    return QDir(workDir).filePath(kUserSettingsLockFileName.toString());
}

constexpr QStringView kWriteFailed = u"印刷設定情報(user.dat)の保存に失敗しました";
// user.dat in the words of the message for a change that must wait.
constexpr QStringView kFileWords = u"印刷設定情報";

QString readFailure(const QString &reason)
{
    return QStringLiteral("印刷設定情報(user.dat)を読み込めませんでした\r") + reason;
}

QString writeFailure(const QString &reason)
{
    return kWriteFailed.toString() + u'\r' + reason;
}

// A value may not carry a line end: it would push every later setting one
// line down.
QString withoutControlCharacters(const QString &value)
{
    QString clean;
    clean.reserve(value.size());
    for (const QChar c : value) {
        if (c.unicode() >= 0x20)
            clean.append(c);
    }
    return clean;
}

QByteArray fileContent(const UserSettings &settings)
{
    QByteArray content;
    for (const QString &line : settings.lines()) {
        content += toCp932(withoutControlCharacters(line));
        content += kLineEnd;
    }
    return content;
}

// With user.dat's lock held.
FileResult writeContent(const QString &workDir, QByteArrayView content)
{
    const WriteOutcome outcome = replaceFileContent(settingsPath(workDir), workPath(workDir), content);
    if (!outcome.ok)
        return FileResult::failure(writeFailure(outcome.error));
    return FileResult::success();
}

// A short file keeps what it has; the defaults fill the gaps. A paper form
// that says nothing usable becomes "no paper form chosen".
UserSettings completed(const UserSettings &read)
{
    const UserSettings defaults = UserSettings::defaults();
    const auto orDefault = [](const QString &value, const QString &fallback) {
        return value.isEmpty() ? fallback : value;
    };
    UserSettings result;
    result.printer = orDefault(read.printer, defaults.printer);
    result.portraitStartX = orDefault(read.portraitStartX, defaults.portraitStartX);
    result.portraitStartY = orDefault(read.portraitStartY, defaults.portraitStartY);
    result.collatedPrinting = orDefault(read.collatedPrinting, defaults.collatedPrinting);
    result.dataLocation = orDefault(read.dataLocation, defaults.dataLocation);
    result.paperForm = UserSettings::numberIn(read.paperForm) == 0 ? defaults.paperForm : read.paperForm;
    result.barcodeMethod = orDefault(read.barcodeMethod, defaults.barcodeMethod);
    result.landscapeStartX = orDefault(read.landscapeStartX, defaults.landscapeStartX);
    result.landscapeStartY = orDefault(read.landscapeStartY, defaults.landscapeStartY);
    return result;
}

} // namespace

UserSettings UserSettings::defaults()
{
    UserSettings settings;
    settings.printer = kPrinterPlaceholder.toString();
    settings.portraitStartX = QString::number(kDefaultPortraitStartX);
    settings.portraitStartY = QString::number(kDefaultPortraitStartY);
    settings.collatedPrinting = kCollatedOff.toString();
    settings.dataLocation = kLocationUsb.toString();
    settings.paperForm = kNoPaperForm.toString();
    settings.barcodeMethod = kBarcodeBySoftware.toString();
    settings.landscapeStartX = QString::number(kDefaultLandscapeStartX);
    settings.landscapeStartY = QString::number(kDefaultLandscapeStartY);
    return settings;
}

QStringList UserSettings::lines() const
{
    return {printer,       portraitStartX, portraitStartY,  collatedPrinting, dataLocation,
            paperForm,     barcodeMethod,  landscapeStartX, landscapeStartY};
}

UserSettings UserSettings::fromLines(const QStringList &lines)
{
    const auto line = [&](qsizetype i) { return i < lines.size() ? lines.at(i) : QString(); };
    UserSettings settings;
    settings.printer = line(0);
    settings.portraitStartX = line(1);
    settings.portraitStartY = line(2);
    settings.collatedPrinting = line(3);
    settings.dataLocation = line(4);
    settings.paperForm = line(5);
    settings.barcodeMethod = line(6);
    settings.landscapeStartX = line(7);
    settings.landscapeStartY = line(8);
    return settings;
}

int UserSettings::numberIn(QStringView line)
{
    // Hand-edited files may hold anything; keep the value inside an int.
    const double value = numericValue(line);
    if (!std::isfinite(value))
        return 0;
    return static_cast<int>(std::lround(std::clamp(value, -1.0e9, 1.0e9)));
}

namespace {

struct SettingsLines
{
    QStringList lines; // at most nine, decoded
    bool complete = false;
};

SettingsLines decode(QByteArrayView bytes)
{
    SettingsLines result;
    const QList<QByteArray> raw = splitLines(bytes);
    for (qsizetype i = 0; i < raw.size() && i < kUserSettingsLineCount; ++i)
        result.lines.append(fromCp932(raw.at(i)));
    result.complete = result.lines.size() == kUserSettingsLineCount;
    return result;
}

} // namespace

std::optional<UserSettings> readUserSettings(const QString &workDir, QString *error)
{
    const FileContent file = readWholeFile(settingsPath(workDir));
    if (file.status != ReadStatus::Ok) {
        if (error) {
            *error = file.status == ReadStatus::Missing
                         ? QStringLiteral("印刷設定情報(user.dat)が見つかりません")
                         : readFailure(file.error);
        }
        return std::nullopt;
    }
    return UserSettings::fromLines(decode(file.bytes).lines);
}

FileResult writeUserSettings(const QString &workDir, const UserSettings &settings, std::chrono::milliseconds lockWait)
{
    const FileLock lock(lockPath(workDir), lockWait);
    if (!lock.held())
        return FileResult::failure(lock.refusal(kWriteFailed, kFileWords));
    return writeContent(workDir, fileContent(settings));
}

EnsureResult ensureUserSettings(const QString &workDir, std::chrono::milliseconds lockWait)
{
    FileContent file = readWholeFile(settingsPath(workDir));
    if (file.status == ReadStatus::Unreadable)
        return {EnsureOutcome::Failed, readFailure(file.error)};
    if (file.status == ReadStatus::Ok && decode(file.bytes).complete)
        return {};

    // Another program may have written the file meanwhile: look again once
    // the file is ours.
    const FileLock lock(lockPath(workDir), lockWait);
    if (!lock.held())
        return {EnsureOutcome::Failed, lock.refusal(kWriteFailed, kFileWords)};
    file = readWholeFile(settingsPath(workDir));
    if (file.status == ReadStatus::Unreadable)
        return {EnsureOutcome::Failed, readFailure(file.error)};

    if (file.status == ReadStatus::Missing) {
        const FileResult written = writeContent(workDir, fileContent(UserSettings::defaults()));
        if (!written)
            return {EnsureOutcome::Failed, written.message};
        return {EnsureOutcome::Created, {}};
    }

    const SettingsLines read = decode(file.bytes);
    if (read.complete)
        return {};
    const FileResult written = writeContent(workDir, fileContent(completed(UserSettings::fromLines(read.lines))));
    if (!written)
        return {EnsureOutcome::Failed, written.message};
    return {EnsureOutcome::Completed, kSettingsCompletedMessage.toString()};
}

FileResult writePaperFormLine(const QString &workDir, const QString &paperForm, std::chrono::milliseconds lockWait)
{
    // The other eight lines are kept as they are now, not as the job read
    // them: the settings screen may have saved meanwhile.
    const FileLock lock(lockPath(workDir), lockWait);
    if (!lock.held())
        return FileResult::failure(lock.refusal(kWriteFailed, kFileWords));
    const FileContent file = readWholeFile(settingsPath(workDir));
    if (file.status == ReadStatus::Missing)
        return FileResult::failure(writeFailure(QStringLiteral("user.dat がありません")));
    if (file.status == ReadStatus::Unreadable)
        return FileResult::failure(readFailure(file.error));

    QList<QByteArray> lines = splitLines(file.bytes);
    lines.resize(kUserSettingsLineCount);
    lines[5] = toCp932(withoutControlCharacters(paperForm));
    QByteArray content;
    for (const QByteArray &line : std::as_const(lines)) {
        content += line;
        content += kLineEnd;
    }
    return writeContent(workDir, content);
}

} // namespace store
