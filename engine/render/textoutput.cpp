// The drawing primitives of the label renderer: text on the fixed pitch,
// ruled lines and the turned barcode digits.
#include "engine/render/labelrenderer.h"

#include "engine/render/previewsurface.h"
#include "engine/render/underlinetags.h"
#include "platform/messagesink.h"
#include "platform/printer.h"
#include "platform/programexit.h"
#include "store/cp932.h"

#include <cmath>

namespace engine {
namespace {

constexpr int kNoToggle = 200000;
constexpr double kTwipsPerPixelAt203Dpi = 7.093596;

const QString &printerFailureMessage()
{
    static const QString text = QStringLiteral("プリンター出力の際に異常を検出しました\rソフトウェアを終了します");
    return text;
}

// Japanese label printers draw the byte 0x5C as the yen sign.
QString shownCharacter(QChar c)
{
    return c == u'\\' ? QString(QChar(0x00A5)) : QString(c);
}

bool isLabelFormat(const QString &size)
{
    return size == kPortraitLabel || size == kLandscapeLabel || size == kSmallLabel;
}

} // namespace

LabelRenderer::LabelRenderer(RendererServices services) : m_services(std::move(services)) {}

DrawTarget *LabelRenderer::target(TargetKind previewPicture)
{
    if (m_aborted)
        return nullptr;
    if (toPrinter)
        return m_services.page;
    if (!m_preview || !isLabelFormat(labelSize()))
        return nullptr;
    return &m_preview->picture(previewPicture);
}

bool LabelRenderer::checkPrinter()
{
    if (m_services.page && m_services.page->canDraw())
        return true;
    // A printer that cannot draw ends the program; nothing is written after it.
    m_aborted = true;
    if (m_services.messages)
        m_services.messages->information(printerFailureMessage());
    if (m_services.exit)
        m_services.exit->exit(1);
    return false;
}

void LabelRenderer::placeCharacters(float &x, float y, const QString &text, TextStyle style, int size, bool grid,
                                    const QList<int> &toggles, DrawTarget &target)
{
    // One width unit advances charPitch / 8 x size twips; from 9 points on the
    // printers' fonts run half a point narrower.
    const double unit = charPitch / 8.0;
    int col = 0;
    int p = 0;
    qsizetype k = 0;
    QList<PlacedChar> line;
    line.reserve(text.size());
    for (const QChar c : text) {
        const int width = store::cp932CharWidth(c.unicode());
        p += width;
        if (c == u'\r') {
            y += static_cast<float>(linePitch);
            col = 0;
            continue;
        }
        const double advance = (grid || size <= 8) ? std::floor(unit * size * col)
                                                   : std::floor(col * (unit * (size - 0.5)));
        const float charX = x + static_cast<float>(advance);
        if (k < toggles.size() && toggles.at(k) != kNoToggle && p >= toggles.at(k)) {
            style.underline = !style.underline;
            ++k;
        }
        line.append(PlacedChar{charX, y, style, shownCharacter(c)});
        if (!grid && size == 14 && c == u' ')
            x -= 50;
        col += width;
    }
    target.drawChars(line);
}

void LabelRenderer::drawText(float &x, float y, const QString &text, const QString &font, bool bold, bool italic,
                             int size)
{
    if (m_aborted)
        return;
    if (toPrinter && !checkPrinter())
        return;
    DrawTarget *out = target(TargetKind::First);
    if (!out)
        return;
    const UnderlinePlan plan = planUnderlines(text);
    placeCharacters(x, y, plan.text, TextStyle{font, size, bold, italic, false}, size, false, plan.toggles, *out);
}

void LabelRenderer::drawGridText(float x, float y, const QString &text, const QString &font, bool bold, bool italic,
                                 int size)
{
    DrawTarget *out = target(TargetKind::Second);
    if (!out)
        return;
    placeCharacters(x, y, text, TextStyle{font, size, bold, italic, false}, size, true, {}, *out);
}

void LabelRenderer::drawLine(qint32 x1, qint32 y1, qint32 x2, qint32 y2, int penWidth)
{
    if (DrawTarget *out = target(TargetKind::First))
        out->drawLine(x1, y1, x2, y2, penWidth);
}

void LabelRenderer::drawRotatedText(qint32 x, float y, const QString &text)
{
    DrawTarget *out = target(TargetKind::First);
    if (!out)
        return;
    if (!toPrinter) {
        out->drawRotatedText(x, y - 200.0f, text);
        return;
    }
    // The printers place the turned digits by device pixels relative to a
    // 203-dpi head; the same spot in twips at any resolution.
    double tx = m_services.printer ? m_services.printer->twipsPerPixelX() : 0.0;
    double ty = m_services.printer ? m_services.printer->twipsPerPixelY() : 0.0;
    if (!(tx > 0))
        tx = 1440.0 / 203.0;
    if (!(ty > 0))
        ty = 1440.0 / 203.0;
    const double k = kTwipsPerPixelAt203Dpi / tx;
    const double deviceX = std::nearbyint((landscapeOriginX - 2910) / tx + 885 * k);
    const double deviceY = std::nearbyint((y - 3480) / ty + 463 * k);
    out->drawRotatedText(deviceX * tx, deviceY * ty, text);
}

} // namespace engine
