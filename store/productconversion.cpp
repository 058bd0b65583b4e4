#include "store/productconversion.h"

#include "store/cp932.h"
#include "store/productrecord.h"
#include "store/recordline.h"
#include "store/textfile.h"

namespace store {
namespace {

constexpr qsizetype kShortestProductLine = 15;

bool startsWithOldHeader(QByteArrayView line)
{
    return leadingChars(skipLeadingBlanks(line), 4) == QByteArrayView("0000");
}

// The old file put the caption in front of a value unless the value said
// otherwise: "<e>" drops the caption, "<m>" keeps the value as it is.
void appendCaptioned(QByteArray &out, QByteArrayView cell, QStringView caption)
{
    if (cell.startsWith("<e>")) {
        out += cell.sliced(3);
    } else if (cell.startsWith("<m>")) {
        out += cell;
    } else {
        out += toCp932(caption);
        out += cell;
    }
}

void appendExpiryTitle(QByteArray &out, QByteArrayView cell)
{
    static const QByteArray notShown = toCp932(u"表示しない");
    if (cell.startsWith("<e>")) {
        out += cell.sliced(3);
    } else if (cell.startsWith("<m>") || cell.startsWith(notShown)) {
        out += cell;
    } else {
        out += cell;
        out += ':';
    }
}

void appendLabelSize(QByteArray &out, QByteArrayView cell)
{
    static const QByteArray smallLabel = toCp932(u"小ラベル");
    out += toCp932(cell == smallLabel ? u"28×38" : u"65×45(タテ)");
}

// Old cell k (1-based) in its new place.
void appendOldCell(QByteArray &out, int k, QByteArrayView cell)
{
    switch (k) {
    case 2: appendCaptioned(out, cell, u"品名:"); out += '\t'; break;
    case 3: appendCaptioned(out, cell, u"名称:"); out += '\t'; break;
    case 4: appendCaptioned(out, cell, u"原材料名:"); out += '\t'; break;
    case 5: appendCaptioned(out, cell, u"内容量:"); out += '\t'; break;
    case 7: appendExpiryTitle(out, cell); out += '\t'; break;
    // The storage note continues in the next cell.
    case 11: appendCaptioned(out, cell, u"保存方法:"); break;
    // Then the two spare lines the old format lacked.
    case 12: out += cell; out += "\t\t\t"; break;
    // Cells 13 to 16 together are the responsible party.
    case 13: out += cell; out += ':'; break;
    case 14:
    case 15: out += cell; out += ' '; break;
    // Cell 17 becomes the third spare line; the remarks are empty.
    case 17: out += cell; out += "\t\t"; break;
    case 22: appendLabelSize(out, cell); out += '\t'; break;
    default: out += cell; out += '\t'; break;
    }
}

} // namespace

bool isOldVersionContent(QByteArrayView content)
{
    const QList<QByteArrayView> lines = lineViews(content);
    return !lines.isEmpty() && startsWithOldHeader(lines.first());
}

QByteArray convertOldLine(QByteArrayView line)
{
    if (startsWithOldHeader(line))
        return toCp932(productFileHeader());
    const QByteArrayView item = skipLeadingBlanks(line);
    QByteArray out;
    out.reserve(item.size() + 64);
    // Only cells closed by a TAB count; text after the last TAB is dropped.
    qsizetype start = 0;
    int k = 0;
    for (qsizetype tab = item.indexOf('\t'); tab >= 0; tab = item.indexOf('\t', start)) {
        appendOldCell(out, ++k, item.sliced(start, tab - start));
        start = tab + 1;
    }
    out += "xxxxxxxxxxx";
    return out;
}

QByteArray convertOldVersionContent(QByteArrayView content)
{
    QByteArray out;
    out.reserve(content.size() + content.size() / 4);
    for (const QByteArrayView line : lineViews(content)) {
        const QByteArray converted = convertOldLine(line);
        if (cp932Length(converted) < kShortestProductLine)
            continue;
        out += converted;
        out += kLineEnd;
    }
    return out;
}

} // namespace store
