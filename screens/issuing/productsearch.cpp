#include "screens/issuing/productsearch.h"

#include "store/cp932.h"
#include "store/recordline.h"
#include "store/textfile.h"
#include "store/valuecleaning.h"

#include <QHash>
#include <QStringTokenizer>

#include <algorithm>
#include <iterator>
#include <optional>

namespace screens {
namespace {

// store::kCommaEscape as it stands in the file.
constexpr QByteArrayView kCommaEscapeBytes("<kanma>");

// A stored comma escape reads back as ","; a full-width comma is stored the
// same way, so it finds the same products.
QString keywordAsRead(QStringView keyword)
{
    QString read = keyword.toString();
    read.replace(u'，', u',');
    return read;
}

// Every way code page 932 stores each character it reads, found by decoding
// every one- and two-byte code once. The control characters are left out:
// a keyword never holds them.
const QHash<QChar, QList<QByteArray>> &storedFormsOfEveryCharacter()
{
    static const QHash<QChar, QList<QByteArray>> table = [] {
        const QList<QByteArray> codes = store::everyCp932Code();
        // A line feed is no character of any code, so each comes back alone.
        const QString read = store::fromCp932(codes.join('\n'));
        QHash<QChar, QList<QByteArray>> forms;
        qsizetype i = 0;
        for (const QStringView one : QStringTokenizer(read, u'\n')) {
            if (one.size() == 1)
                forms[one.front()].append(codes.at(i));
            ++i;
        }
        return forms;
    }();
    return table;
}

// Whether the bytes stand in the line where a character begins, as the
// decoder reads it: a match that starts on a second byte is none.
bool holdsAtCharacterStart(QByteArrayView line, QByteArrayView bytes)
{
    qsizetype start = 0;
    for (qsizetype at = line.indexOf(bytes); at >= 0; at = line.indexOf(bytes, at + 1)) {
        while (start < at)
            start += std::max<qsizetype>(1, store::leadingChars(line.sliced(start), 1).size());
        if (start == at)
            return true;
    }
    return false;
}

} // namespace

std::optional<QList<QByteArray>> storedForms(const QString &keyword)
{
    constexpr qsizetype kMostForms = 16;
    // "〓" is also what a broken byte reads as.
    if (keyword.isEmpty() || keyword.contains(u'〓'))
        return std::nullopt;
    const QHash<QChar, QList<QByteArray>> &table = storedFormsOfEveryCharacter();
    QList<QByteArray> forms{QByteArray()};
    for (const QChar c : keyword) {
        const auto found = table.constFind(c);
        if (found == table.cend())
            return std::nullopt;
        const QList<QByteArray> &ways = *found;
        if (forms.size() * ways.size() > kMostForms)
            return std::nullopt;
        QList<QByteArray> longer;
        longer.reserve(forms.size() * ways.size());
        for (const QByteArray &before : std::as_const(forms)) {
            for (const QByteArray &form : ways)
                longer.append(before + form);
        }
        forms = std::move(longer);
    }
    return forms;
}

QString searchEntry(QStringView recordLine)
{
    const qsizetype firstTab = recordLine.indexOf(u'\t');
    if (firstTab < 0)
        return store::unescapeValue(recordLine);
    const qsizetype secondTab = recordLine.indexOf(u'\t', firstTab + 1);
    const QStringView name = secondTab < 0 ? recordLine.sliced(firstTab + 1)
                                           : recordLine.sliced(firstTab + 1, secondTab - firstTab - 1);
    return store::unescapeValue(recordLine.first(firstTab)) + u':' + store::unescapeValue(name);
}

bool matchesKeyword(QStringView recordLine, QStringView keyword)
{
    if (keyword.isEmpty())
        return true;
    return store::unescapeValue(recordLine).contains(keywordAsRead(keyword));
}

SearchResult searchProducts(const store::ProductFile &products, const QString &keyword)
{
    SearchResult result;
    const store::FileContent file = store::readWholeFile(products.paths().product);
    if (file.status == store::ReadStatus::Unreadable) {
        result.ok = false;
        result.message = QStringLiteral("商品情報の読み込みに失敗しました\r") + file.error;
        return result;
    }
    const QString read = keywordAsRead(keyword);
    const std::optional<QList<QByteArray>> needles = storedForms(read);
    // The lines that may match, decoded all at once; TAB, CR and LF are never
    // the second byte of a character, so each comes back whole. A line known
    // to match needs its number and name only.
    const QList<QByteArrayView> lines = store::lineViews(file.bytes);
    QByteArray candidates;
    QList<bool> toCheck;
    for (qsizetype i = 1; i < lines.size(); ++i) { // the header is no product
        QByteArrayView line = store::skipLeadingBlanks(lines.at(i));
        const qsizetype firstTab = line.indexOf('\t');
        if (firstTab < 0)
            continue; // no record
        bool sure = read.isEmpty();
        if (needles) {
            // The comma's escape is ASCII and begins a character wherever it
            // stands ("<" never trails a lead byte), so undone in the bytes
            // it is undone as in the text.
            QByteArray unescaped;
            QByteArrayView text = line;
            if (line.contains(kCommaEscapeBytes)) {
                unescaped = line.toByteArray().replace(kCommaEscapeBytes, QByteArrayView(","));
                text = unescaped;
            }
            const auto holds = [text](const QByteArray &needle) { return holdsAtCharacterStart(text, needle); };
            if (std::none_of(needles->cbegin(), needles->cend(), holds))
                continue;
            sure = true;
        }
        if (sure) {
            const qsizetype secondTab = line.indexOf('\t', firstTab + 1);
            if (secondTab >= 0)
                line = line.first(secondTab);
        }
        candidates += line;
        candidates += '\n';
        toCheck.append(!sure);
    }
    const QString decoded = store::fromCp932(candidates);
    qsizetype index = 0;
    for (const QStringView line : QStringTokenizer(decoded, u'\n')) {
        if (index >= toCheck.size())
            break;
        if (!toCheck.at(index++) || matchesKeyword(line, read))
            result.entries.append(searchEntry(line));
    }
    return result;
}

} // namespace screens
