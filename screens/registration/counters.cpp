#include "screens/registration/counters.h"

#include "engine/render/labeljob.h"
#include "store/cp932.h"

namespace screens {
namespace {

const QColor kBlack(Qt::black);
const QColor kBlue(0, 0, 255);
const QColor kRed(255, 0, 0);

Counter within(int width, int limit)
{
    return {QStringLiteral("(%1/%2) ").arg(width).arg(limit), kBlack};
}

// Within the limit, or the word that the text runs on to more lines.
Counter linesOr(int width, int limit, const QString &moreLines)
{
    return width <= limit ? within(width, limit) : Counter{moreLines, kBlue};
}

Counter fitsOrOver(int width, int limit)
{
    return width <= limit ? within(width, limit) : Counter{QStringLiteral("文字数超過"), kRed};
}

bool startsWithTag(const QString &text, std::initializer_list<const char16_t *> tags)
{
    for (const char16_t *tag : tags) {
        if (text.startsWith(QStringView(tag)))
            return true;
    }
    return false;
}

// The product name and the category name: a wide name has a fixed room, a
// plain one may run on.
Counter nameCounter(const QString &measured, int width, const QString &labelSize, bool sideColumn)
{
    const bool wide = startsWithTag(measured, {u"<w>", u"<W>"});
    const QString moreLines = QStringLiteral("複数行表示 ");
    if (labelSize == engine::kPortraitLabel)
        return wide ? fitsOrOver(width, 20) : linesOr(width, 31, moreLines);
    if (labelSize == engine::kLandscapeLabel) {
        if (wide)
            return fitsOrOver(width, 24);
        return sideColumn ? linesOr(width, 39, moreLines) : within(width, 45);
    }
    return linesOr(width, 37, moreLines);
}

} // namespace

bool sideColumnInUse(const QString &recycleMark, const QString &barcode)
{
    return recycleMark != u"なし" || !barcode.isEmpty();
}

Counter fieldCounter(CounterField field, const QString &text, const QString &labelSize, bool sideColumn)
{
    const bool portrait = labelSize == engine::kPortraitLabel;
    const bool landscape = labelSize == engine::kLandscapeLabel;
    switch (field) {
    case CounterField::ProductName:
    case CounterField::CategoryName: {
        QString measured = text;
        if (field == CounterField::ProductName && store::cp932Width(measured) >= 4) {
            qsizetype memo = -1;
            for (const char16_t *tag : {u"<m>", u"<M>"}) {
                const qsizetype at = measured.indexOf(QStringView(tag));
                if (at >= 0 && (memo < 0 || at < memo))
                    memo = at;
            }
            if (memo >= 0)
                measured.truncate(memo);
        }
        int width = store::cp932Width(measured);
        if (startsWithTag(measured, {u"<b>", u"<B>", u"<w>", u"<W>"}))
            width -= 3;
        return nameCounter(measured, width, labelSize, sideColumn);
    }
    case CounterField::NetContent: {
        const int width = store::cp932Width(text);
        const QString moreLines = QStringLiteral("複数行表示");
        if (portrait)
            return linesOr(width, 31, moreLines);
        if (landscape)
            return sideColumn ? linesOr(width, 39, moreLines) : within(width, 45);
        return linesOr(width, 37, moreLines);
    }
    case CounterField::Storage:
    case CounterField::Spare1:
    case CounterField::Spare2:
    case CounterField::Spare3:
    case CounterField::Remarks: {
        const int width = store::cp932Width(text);
        return linesOr(width, portrait ? 31 : landscape ? 39 : 37, QStringLiteral("複数行表示 "));
    }
    case CounterField::ExpiryAltText:
        return linesOr(store::cp932Width(text), portrait ? 22 : 28, QStringLiteral("複数行表示"));
    case CounterField::Responsible:
        return {QStringLiteral("(%1) ").arg(store::cp932Width(text)), kBlack};
    case CounterField::RecycleSub:
        return within(store::cp932Width(text), 10);
    }
    return {};
}

IngredientsCounters ingredientsCounters(const QString &text)
{
    qsizetype split = -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == u'?' || text.at(i) == u'？') {
            split = i;
            break;
        }
    }
    if (split < 0)
        return {false, {}, QStringLiteral("(%1) ").arg(store::cp932Width(text))};
    return {true, QStringLiteral("(%1) ").arg(store::cp932Width(QStringView(text).left(split))),
            QStringLiteral("(%1) ").arg(store::cp932Width(QStringView(text).mid(split + 1)))};
}

} // namespace screens
