#include "store/productrecord.h"

#include "store/valuecleaning.h"

namespace store {
namespace {

constexpr int kMaxRecordCells = 31;
// Cells 0 to 20 hold escaped text; the mask and anything after it do not.
constexpr int kEscapedCells = 21;

} // namespace

QString productFileHeader()
{
    QString header = QString::fromUtf16(kProductFormatVersion);
    for (const char16_t *title : kProductHeaderTitles) {
        header += u'\t';
        header += QString::fromUtf16(title);
    }
    return header;
}

bool isLabelSize(QStringView text)
{
    return text == u"65×45(タテ)" || text == u"65×45(ヨコ)" || text == u"28×38";
}

QStringList splitRecord(QStringView recordText)
{
    QStringList cells;
    qsizetype start = 0;
    for (;;) {
        const qsizetype tab = recordText.indexOf(u'\t', start);
        const QStringView cell = tab < 0 ? recordText.sliced(start) : recordText.sliced(start, tab - start);
        cells.append(cells.size() < kEscapedCells ? unescapeValue(cell) : cell.toString());
        if (tab < 0 || cells.size() == kMaxRecordCells)
            break;
        start = tab + 1;
    }
    return cells;
}

ProductRecord ProductRecord::fromCells(const QStringList &cells)
{
    ProductRecord record;
    for (int i = 0; i < kProductFieldCount && i < cells.size(); ++i)
        record.*kProductFields[static_cast<size_t>(i)] = cells.at(i);
    return record;
}

std::optional<ProductRecord> ProductRecord::fromRecordText(QStringView recordText)
{
    if (!recordText.contains(u'\t'))
        return std::nullopt;
    return fromCells(splitRecord(recordText));
}

QString ProductRecord::recordText() const
{
    QString text;
    for (int i = 0; i < 20; ++i) {
        text += cleanValue(this->*kProductFields[static_cast<size_t>(i)]);
        text += u'\t';
    }
    // An unknown size is left empty rather than dropped, so that the mask
    // stays in its own column.
    if (isLabelSize(labelSize))
        text += labelSize;
    text += u'\t';
    text += RuledLineMask::fromText(ruledLines).text();
    text += u'\t';
    return text;
}

RuledLineMask RuledLineMask::fromText(QStringView text)
{
    RuledLineMask mask;
    for (qsizetype i = 0; i < kRuledGroupCount && i < text.size(); ++i)
        mask.m_on[static_cast<size_t>(i)] = text[i] == u'o';
    return mask;
}

bool RuledLineMask::any() const
{
    for (const bool on : m_on) {
        if (on)
            return true;
    }
    return false;
}

QString RuledLineMask::text() const
{
    QString text;
    text.reserve(kRuledGroupCount);
    for (const bool on : m_on)
        text += on ? u'o' : u'x';
    return text;
}

} // namespace store
