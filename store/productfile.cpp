#include "store/productfile.h"

#include "store/cp932.h"
#include "store/filelock.h"
#include "store/numericvalue.h"
#include "store/productconversion.h"
#include "store/recordline.h"
#include "store/textfile.h"
#include "store/valuecleaning.h"

#include <vector>

namespace store {
namespace {

constexpr int kHighestNumber = 9999;

// A failed result of any kind: the user's message, a CR and the system's reason.
template <typename Result>
Result refused(const QString &message)
{
    Result result;
    result.ok = false;
    result.message = message;
    return result;
}

template <typename Result>
Result failure(QStringView what, const QString &reason)
{
    return refused<Result>(what.toString() + u'\r' + reason);
}

// The product file in the words of the message for a change that must wait.
constexpr QStringView kFileWords = u"商品情報";

QByteArrayView firstFourChars(QByteArrayView line)
{
    return leadingChars(skipLeadingBlanks(line), 4);
}

void appendLine(QByteArray &out, QByteArrayView line)
{
    out += line;
    out += kLineEnd;
}

// The shown part of a record line: the number, a colon and the product name.
QString listEntry(QString entry)
{
    if (entry.size() >= 8) {
        const QStringView caption = QStringView(entry).sliced(5, 3);
        if (caption == u"品名:" || caption == u"品名：")
            entry.remove(5, 3);
    }
    if (entry.size() > 2) {
        const qsizetype lower = entry.indexOf(u"<m>");
        const qsizetype upper = entry.indexOf(u"<M>");
        const qsizetype memo = lower < 0 ? upper : (upper < 0 ? lower : std::min(lower, upper));
        if (memo >= 0)
            entry = entry.left(5) + entry.mid(memo + 3);
    }
    // The list shows the product as printed, with its commas.
    return unescapeValue(entry);
}

QStringList entriesOf(QByteArrayView content)
{
    // Only the number and the product name are decoded, all of them at once:
    // a line end between the parts survives any broken byte before it.
    const QList<QByteArrayView> lines = lineViews(content);
    QByteArray shown;
    shown.reserve(lines.size() * 40);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArrayView item = skipLeadingBlanks(lines.at(i));
        const qsizetype firstTab = item.indexOf('\t');
        if (firstTab < 0)
            continue;
        const qsizetype secondTab = item.indexOf('\t', firstTab + 1);
        if (secondTab < 0)
            continue; // not a record
        shown += item.first(firstTab);
        shown += ':';
        shown += item.sliced(firstTab + 1, secondTab - firstTab - 1);
        shown += '\n';
    }
    QStringList entries;
    if (shown.isEmpty())
        return entries;
    const QString decoded = fromCp932(shown);
    entries.reserve(lines.size());
    qsizetype start = 0;
    for (qsizetype end = decoded.indexOf(u'\n'); end >= 0; end = decoded.indexOf(u'\n', start)) {
        entries.append(listEntry(decoded.sliced(start, end - start)));
        start = end + 1;
    }
    return entries;
}

QString fourDigits(int number)
{
    return QString::number(number).rightJustified(4, u'0');
}

} // namespace

ProductFile::ProductFile(ProductFilePaths paths, std::chrono::milliseconds lockWait)
    : m_paths(std::move(paths))
    , m_lockWait(lockWait)
{
}

ProductFileEnsureResult ProductFile::ensureProductFile(const std::function<void(const QString &notice)> &beforeConversion) const
{
    constexpr QStringView kReadFailed = u"商品情報ファイルの読み込みに失敗しました";
    constexpr QStringView kCreateFailed = u"商品情報ファイルの作成に失敗しました";
    constexpr QStringView kConvertFailed = u"商品情報ファイルの変換に失敗しました";
    ProductFileEnsureResult result;
    FileContent file = readWholeFile(m_paths.product);
    if (file.status == ReadStatus::Unreadable)
        return failure<ProductFileEnsureResult>(kReadFailed, file.error);
    const bool old = file.status == ReadStatus::Ok && isOldVersionContent(file.bytes);
    if (file.status == ReadStatus::Ok && !old)
        return result;
    if (old && beforeConversion)
        beforeConversion(QString::fromUtf16(kConversionNotice));

    // Another writer may have created or converted the file meanwhile: look
    // again once the file is ours.
    const FileLock lock(m_paths.lock, m_lockWait);
    if (!lock.held())
        return refused<ProductFileEnsureResult>(lock.refusal(old ? kConvertFailed : kCreateFailed, kFileWords));
    file = readWholeFile(m_paths.product);
    if (file.status == ReadStatus::Unreadable)
        return failure<ProductFileEnsureResult>(kReadFailed, file.error);
    if (file.status == ReadStatus::Missing) {
        QByteArray header = toCp932(productFileHeader());
        header += kLineEnd;
        const WriteOutcome written = replaceFileContent(m_paths.product, m_paths.work, header);
        if (!written.ok)
            return failure<ProductFileEnsureResult>(kCreateFailed, written.error);
        result.created = true;
        return result;
    }
    if (!isOldVersionContent(file.bytes))
        return result;
    const WriteOutcome written
        = replaceFileContent(m_paths.product, m_paths.work, convertOldVersionContent(file.bytes));
    if (!written.ok)
        return failure<ProductFileEnsureResult>(kConvertFailed, written.error);
    result.converted = true;
    return result;
}

EntryList ProductFile::listEntries() const
{
    EntryList result;
    const FileContent file = readWholeFile(m_paths.product);
    if (file.status == ReadStatus::Unreadable)
        return failure<EntryList>(u"商品情報の読み込みに失敗しました", file.error);
    result.entries = entriesOf(file.bytes);
    return result;
}

RecordLookup ProductFile::findRecord(QStringView number) const
{
    RecordLookup result;
    if (number.isEmpty())
        return result;
    const FileContent file = readWholeFile(m_paths.product);
    if (file.status == ReadStatus::Unreadable)
        return failure<RecordLookup>(u"商品情報の読み込みに失敗しました", file.error);
    const QByteArray key = toCp932(number);
    const QList<QByteArrayView> lines = lineViews(file.bytes);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        if (firstFourChars(lines.at(i)) == key) {
            result.recordText = fromCp932(skipLeadingBlanks(lines.at(i)));
            break;
        }
    }
    return result;
}

SaveResult ProductFile::saveRecord(const ProductRecord &record) const
{
    constexpr QStringView kSaveFailed = u"商品情報の保存に失敗しました";
    const auto fail = [&](const QString &reason) { return failure<SaveResult>(kSaveFailed, reason); };
    if (!isRegistrationNumber(record.number))
        return fail(QStringLiteral("登録番号は0001から9999までの4桁の数字で指定してください"));
    const FileLock lock(m_paths.lock, m_lockWait);
    if (!lock.held())
        return refused<SaveResult>(lock.refusal(kSaveFailed, kFileWords));
    const FileContent file = readWholeFile(m_paths.product);
    if (file.status == ReadStatus::Unreadable)
        return fail(file.error);

    const QByteArray recordLine = toCp932(record.recordText());
    const int number = record.number.toInt();
    const QList<QByteArrayView> lines = lineViews(file.bytes);
    QByteArray out;
    out.reserve(file.bytes.size() + recordLine.size() + 64 + lines.size());

    // A missing or empty file is a file with the header only.
    if (lines.isEmpty())
        appendLine(out, toCp932(productFileHeader()));
    else
        appendLine(out, lines.first());

    SaveState state = SaveState::New;
    bool written = false;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArrayView line = lines.at(i);
        const int lineValue = lineNumber(line);
        if (!written && number < lineValue) {
            appendLine(out, recordLine);
            state = SaveState::Inserted;
            written = true;
        }
        if (lineValue != number || written) {
            appendLine(out, line);
        } else {
            appendLine(out, recordLine);
            state = SaveState::Overwritten;
            written = true;
        }
    }
    if (!written)
        appendLine(out, recordLine);

    const WriteOutcome outcome = replaceFileContent(m_paths.product, m_paths.work, out);
    if (!outcome.ok)
        return fail(outcome.error);
    SaveResult result;
    result.state = state;
    return result;
}

DeleteResult ProductFile::deleteRecord(QStringView number) const
{
    DeleteResult result;
    if (number.isEmpty())
        return result;
    constexpr QStringView kDeleteFailed = u"商品情報の削除に失敗しました";
    const FileLock lock(m_paths.lock, m_lockWait);
    if (!lock.held())
        return refused<DeleteResult>(lock.refusal(kDeleteFailed, kFileWords));
    const FileContent file = readWholeFile(m_paths.product);
    if (file.status == ReadStatus::Unreadable)
        return failure<DeleteResult>(kDeleteFailed, file.error);
    const QByteArray key = toCp932(number);
    const QList<QByteArrayView> lines = lineViews(file.bytes);
    if (lines.isEmpty())
        return result;
    QByteArray out;
    out.reserve(file.bytes.size() + lines.size());
    appendLine(out, lines.first()); // the header stays, whatever it says
    int removed = 0;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        if (firstFourChars(lines.at(i)) == key)
            ++removed;
        else
            appendLine(out, lines.at(i));
    }
    if (removed == 0)
        return result;
    const WriteOutcome outcome = replaceFileContent(m_paths.product, m_paths.work, out);
    if (!outcome.ok)
        return failure<DeleteResult>(kDeleteFailed, outcome.error);
    result.removed = removed;
    return result;
}

bool isRegistrationNumber(QStringView text)
{
    if (text.size() != 4 || text == u"0000")
        return false;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

QString nextFreeNumber(const QStringList &entries)
{
    int highest = 0;
    std::vector<bool> taken(kHighestNumber + 1, false);
    for (const QString &entry : entries) {
        const int number = roundedNumber(numericValue(QStringView(entry).left(4)));
        highest = std::max(highest, number);
        if (number >= 1 && number <= kHighestNumber)
            taken[static_cast<size_t>(number)] = true;
    }
    if (highest < kHighestNumber)
        return fourDigits(highest + 1);
    for (int number = 1; number <= kHighestNumber; ++number) {
        if (!taken[static_cast<size_t>(number)])
            return fourDigits(number);
    }
    return fourDigits(kHighestNumber);
}

} // namespace store
