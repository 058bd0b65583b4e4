// Line fitting: a field's text broken into label lines by width units alone,
// drawn line under line, with the line budget of each label and printer.
#include "engine/render/labelrenderer.h"

#include "engine/render/datetext.h"
#include "engine/render/fieldtags.h"
#include "engine/render/labellines.h"
#include "platform/messagesink.h"

#include <functional>

namespace engine {
namespace {

const QString &overflowMessage()
{
    static const QString text =
        QStringLiteral("文字が一部表示出来ません。") + QStringLiteral("\r\r") + QStringLiteral("文字数を減らし、行数を減らして下さい。");
    return text;
}

// What one label format needs to set its lines.
struct LineLayout
{
    qint32 x = 0;       // of every line
    qint32 y0 = 0;      // of line 0
    qint32 pitch = 200;
    int lineLimit = 29;
    int size = 8;
    bool small = false; // 28×38: everything regular at 6 points, one line each
    std::function<bool(qint32 lineIndex)> overflows;
    std::function<bool(qint32 lineIndex)> lastLineFits;
};

void fitLines(LabelRenderer &r, const LineLayout &layout, const QString &text, int markupLevel)
{
    LeadingTags tags = stripLeadingTags(text, markupLevel);
    if (tags.style == FieldStyle::DateFormat)
        tags.body = formatDatePattern(r.baseDate, tags.body);
    const bool wide = tags.style == FieldStyle::Wide;

    bool bold = false;
    int size = layout.size;
    float drop = 0;
    if (!layout.small) {
        bold = tags.style == FieldStyle::Bold || wide;
        if (wide) {
            size = 14;
            drop = 20;
        }
    }
    const QString font = QString::fromUtf16(kPrinterFont);
    auto drawLine = [&](const QString &line) {
        float x = static_cast<float>(layout.x);
        const float y = static_cast<float>(qint64(layout.y0) + 2 + qint64(r.lineIndex) * layout.pitch) + drop;
        r.drawText(x, y, line, font, bold, false, size);
    };

    const QStringView rest(tags.body);
    qsizetype pos = 0;
    while (pos < rest.size()) {
        if (layout.overflows(r.lineIndex)) {
            // Once per field; what was drawn stays, the rest is left out.
            if (r.services().messages)
                r.services().messages->information(overflowMessage());
            return;
        }
        const LabelLine line = nextLabelLine(rest, pos, layout.lineLimit);
        const QString chars = rest.sliced(pos, line.end - pos).toString();
        pos = line.end;
        if (!line.full) {
            if (layout.lastLineFits(r.lineIndex)) {
                drawLine(chars);
                // The wide title's second row, which prepareField gave its box.
                r.lineIndex += (wide && !layout.small) ? 2 : 1;
            }
            return;
        }
        drawLine(chars);
        ++r.lineIndex;
    }
}

} // namespace

void LabelRenderer::drawFieldLines(const QString &text, int markupLevel)
{
    LineLayout layout;
    layout.x = originX + 20;
    layout.y0 = originY;
    const bool twoLine = printerIs2130 != 0;
    if (labelSize() == kSmallLabel) {
        layout.pitch = smallLinePitch;
        layout.lineLimit = 35;
        layout.size = 6; // 5.5 points, rounded half to even
        layout.small = true;
        layout.overflows = [twoLine](qint32 index) { return twoLine ? index > 9 : index > 10; };
        layout.lastLineFits = [twoLine](qint32 index) { return twoLine ? index < 9 : index < 10; };
    } else {
        layout.pitch = linePitch;
        const bool ruledPitch = linePitch == 200;
        layout.overflows = [twoLine, ruledPitch](qint32 index) {
            return twoLine && (index > 20 || (index > 16 && ruledPitch));
        };
        layout.lastLineFits = [twoLine](qint32 index) { return !twoLine || index < 21; };
    }
    fitLines(*this, layout, text, markupLevel);
}

void LabelRenderer::drawFieldLinesLandscape(const QString &text, int markupLevel)
{
    // The right-hand column is kept for the recycling mark or the barcode.
    const bool sideColumn = job()[LabelJob::RecycleMark] != u"なし" || !job()[LabelJob::Barcode].isEmpty();
    LineLayout layout;
    layout.x = landscapeOriginX + 20;
    layout.y0 = landscapeOriginY;
    layout.pitch = linePitch;
    layout.lineLimit = sideColumn ? 37 : 43;
    const bool twoLine = printerIs2130 != 0;
    const qint32 pitch = linePitch;
    layout.overflows = [twoLine, pitch](qint32 index) { return twoLine && (index > 14 || (index > 11 && pitch == 200)); };
    layout.lastLineFits = [twoLine, pitch](qint32 index) {
        return !twoLine || (index < 16 && pitch < 200) || (index < 13 && pitch == 200);
    };
    fitLines(*this, layout, text, markupLevel);
}

} // namespace engine
