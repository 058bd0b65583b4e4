#include "screens/issuing/productsearch.h"

#include "store/cp932.h"
#include "store/recordline.h"
#include "store/textfile.h"
#include "store/valuecleaning.h"

#include <QStringTokenizer>

#include <algorithm>
#include <iterator>
#include <optional>

namespace screens {
namespace {

// A stored comma escape reads back as ","; a full-width comma is stored the
// same way, so it finds the same products.
QString keywordAsRead(QStringView keyword)
{
    QString read = keyword.toString();
    read.replace(u'，', u',');
    return read;
}

// The symbols of lead byte 0x81 that the NEC and IBM rows hold a second
// time, and "〓", which a broken byte reads as too.
bool hasTwin(unsigned char lead, unsigned char trail)
{
    static constexpr unsigned char kTwins[] = {0xAC, 0xBE, 0xBF, 0xCA, 0xDA, 0xDB, 0xDF, 0xE0, 0xE3, 0xE6, 0xE7};
    return lead == 0x81 && std::find(std::begin(kTwins), std::end(kTwins), trail) != std::end(kTwins);
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

std::optional<QByteArray> bytesEveryMatchHolds(const QString &keyword)
{
    // A backslash is stored as the byte "¥" is, and never read back.
    if (keyword.isEmpty() || keyword.contains(u',') || keyword.contains(u'\\'))
        return std::nullopt;
    const QByteArray bytes = store::toCp932(keyword);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if ((b >= 0x20 && b <= 0x7E) || (b >= 0xA1 && b <= 0xDF))
            continue;
        const bool jisLead = (b >= 0x81 && b <= 0x84) || (b >= 0x88 && b <= 0x9F) || (b >= 0xE0 && b <= 0xEA);
        if (!jisLead || i + 1 >= bytes.size() || hasTwin(b, static_cast<unsigned char>(bytes[i + 1])))
            return std::nullopt;
        ++i; // the trail byte
    }
    return bytes;
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
    const std::optional<QByteArray> needle = bytesEveryMatchHolds(read);
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
        if (needle) {
            if (!holdsAtCharacterStart(line, *needle))
                continue;
            // The escape's letters are no text of the product.
            sure = !line.contains(QByteArrayView("<kanma>"));
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
