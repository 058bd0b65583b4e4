#include "screens/issuing/productsearch.h"

#include "store/cp932.h"
#include "store/textfile.h"
#include "store/valuecleaning.h"

namespace screens {
namespace {

// The line without the blanks a reader skips before an item.
QStringView withoutLeadingBlanks(QStringView line)
{
    qsizetype start = 0;
    while (start < line.size() && (line[start] == u' ' || line[start] == u'\t'))
        ++start;
    return line.sliced(start);
}

// A stored comma escape reads back as ","; a full-width comma is stored the
// same way, so it finds the same products.
QString keywordAsRead(QStringView keyword)
{
    QString read = keyword.toString();
    read.replace(u'，', u',');
    return read;
}

} // namespace

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
    // One decoding for the whole file: a broken byte never swallows a line end.
    const QString content = store::fromCp932(file.bytes);
    qsizetype start = 0;
    bool header = true;
    while (start < content.size()) {
        qsizetype end = start;
        while (end < content.size() && content[end] != u'\r' && content[end] != u'\n')
            ++end;
        const QStringView line = withoutLeadingBlanks(QStringView(content).sliced(start, end - start));
        // The header is no product, nor is a line without a TAB.
        if (!header && line.contains(u'\t') && matchesKeyword(line, keyword))
            result.entries.append(searchEntry(line));
        header = false;
        start = end;
        if (start < content.size() && content[start] == u'\r')
            ++start;
        if (start < content.size() && content[start] == u'\n')
            ++start;
    }
    return result;
}

} // namespace screens
