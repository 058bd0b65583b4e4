// Field preparation: the leading tags, the ruled box around a field and the
// separator after its title, and the rows the field will take.
#include "engine/render/labelrenderer.h"

#include "engine/render/fieldtags.h"
#include "engine/render/labellines.h"
#include "store/cp932.h"

#include <algorithm>
#include <limits>

namespace engine {
namespace {

// Where the two label formats with boxes differ.
struct BoxLayout
{
    qint32 originX = 0;
    qint32 originY = 0;
    qint32 boxWidth = 2360;
    int lineLimit = 29;
    int discardAfter = 16;     // a "2130" printer counts no line beyond this
    bool printerCheck = true;  // portrait boxes stop at the "2130" page end
    bool topRule = true;
    bool boxRules = true;
};

qint32 clampedTwips(qint64 value)
{
    return static_cast<qint32>(std::clamp<qint64>(value, std::numeric_limits<qint32>::min(),
                                                   std::numeric_limits<qint32>::max()));
}

// A "2130" printer's page ends at 3500 twips; rules below it are left out.
bool fitsPage(const LabelRenderer &r, const BoxLayout &layout, qint64 y)
{
    return !layout.printerCheck || !r.printerIs2130 || y < 3500;
}

qsizetype memoStart(const QString &text)
{
    const qsizetype lower = text.indexOf(u"<m>");
    const qsizetype upper = text.indexOf(u"<M>");
    if (lower < 0)
        return upper;
    if (upper < 0)
        return lower;
    return std::min(lower, upper);
}

qsizetype firstColon(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == u':' || text.at(i) == u'：')
            return i;
    }
    return -1;
}

void prepare(LabelRenderer &r, const BoxLayout &layout, const QString &text, bool ruled)
{
    const QString &source = text;
    QString measured = text;
    if (store::cp932Width(measured) > 3) {
        const qsizetype memo = memoStart(measured);
        if (memo >= 0)
            measured.truncate(memo);
    }
    const LeadingTags tags = stripLeadingTags(measured, kAllTags);
    const bool wide = tags.style == FieldStyle::Wide;
    const QString &body = tags.body;

    const qsizetype colon = firstColon(body);
    const qint64 titleWidth = colon > 0 ? store::cp932Width(QStringView(body).left(colon)) : 0;

    const qint64 top = qint64(layout.originY) + r.boxCursorY;
    if (titleWidth > 0 && ruled) {
        // A wide title is drawn at 14 points: 1.7 times the 76-twip unit,
        // taken in whole twips as the printers' integer arithmetic did.
        const qint64 xT = wide ? layout.originX + 30 + titleWidth * 1292 / 10 : layout.originX + 30 + titleWidth * 76;
        const qint64 yB = top + (wide ? 2 : 1) * qint64(r.boxRowHeight);
        if (wide || fitsPage(r, layout, yB)) {
            r.drawLine(layout.originX, clampedTwips(yB), clampedTwips(xT), clampedTwips(yB), 1);
            r.drawLine(clampedTwips(xT), clampedTwips(top), clampedTwips(xT), clampedTwips(yB), 1);
        }
    }
    if (ruled && layout.topRule && fitsPage(r, layout, top))
        r.drawLine(layout.originX, clampedTwips(top), layout.originX + layout.boxWidth, clampedTwips(top), 1);

    // The rows: the lines drawFieldLines will draw.
    qint64 rows = 0;
    const QStringView rest(body);
    qsizetype pos = 0;
    while (pos < rest.size()) {
        const LabelLine line = nextLabelLine(rest, pos, layout.lineLimit);
        pos = line.end;
        ++rows;
        if (!line.full)
            break;
        if (r.printerIs2130 && r.lineIndex + rows > layout.discardAfter && pos < rest.size())
            break;
    }
    if (wide)
        ++rows;

    const qint64 bottom = top + qint64(r.boxRowHeight) * rows;
    if (ruled && layout.boxRules && fitsPage(r, layout, bottom)) {
        const qint32 left = layout.originX;
        const qint32 right = layout.originX + layout.boxWidth;
        r.drawLine(left, clampedTwips(bottom), right, clampedTwips(bottom), 1);
        r.drawLine(left, clampedTwips(top), left, clampedTwips(bottom), 1);
        r.drawLine(right, clampedTwips(top), right, clampedTwips(bottom), 1);
    }
    r.boxCursorY = clampedTwips(qint64(r.boxCursorY) + qint64(r.boxRowHeight) * rows);

    // In a box the separator stands where the colon was.
    r.preparedText = source;
    if (ruled) {
        const qsizetype at = firstColon(source);
        if (at >= 0)
            r.preparedText[at] = source.at(at) == u':' ? QChar(u' ') : QChar(u'　');
    }
}

} // namespace

void LabelRenderer::prepareField(const QString &text, bool ruled)
{
    BoxLayout layout;
    layout.originX = originX;
    layout.originY = originY;
    layout.lineLimit = labelSize() == kSmallLabel ? 35 : 29;
    layout.topRule = layout.boxRules = labelSize() == kPortraitLabel;
    prepare(*this, layout, text, ruled);
}

void LabelRenderer::prepareFieldLandscape(const QString &text, bool ruled)
{
    // The right-hand column is kept for the recycling mark or the barcode.
    const bool sideColumn = job()[LabelJob::RecycleMark] != u"なし" || !job()[LabelJob::Barcode].isEmpty();
    BoxLayout layout;
    layout.originX = landscapeOriginX;
    layout.originY = landscapeOriginY;
    layout.boxWidth = sideColumn ? 2930 : 3400;
    layout.lineLimit = sideColumn ? 37 : 43;
    layout.discardAfter = 11;
    layout.printerCheck = false;
    layout.topRule = true;
    layout.boxRules = labelSize() == kLandscapeLabel;
    prepare(*this, layout, text, ruled);
}

} // namespace engine
