// JAN barcodes, drawn module by module as filled boxes: upright on portrait
// and small labels, turned on landscape labels.
#include "engine/render/labelrenderer.h"

#include "engine/render/janmodules.h"
#include "platform/printer.h"

#include <algorithm>
#include <cmath>

namespace engine {
namespace {

// Every module moves the symbol this much more than its width (the turned
// one rounds it away again).
constexpr double kStepExtra = 0.2;
// On paper the bars start this far left of where the preview has them.
constexpr double kPrinterBarShift = 3.0;
constexpr int kDigitsSize = 8;
constexpr qint32 kDigitsGap = 20;
constexpr qint32 kDigitsIndent = 110;
constexpr qint32 kRotatedDigitsDropLong = 1440;
constexpr qint32 kRotatedDigitsDropShort = 1260;

bool drawsBars(const QString &code)
{
    return code.size() == 13 || code.size() == 8;
}

// The printer's dot grid. A scanner reads the ratio of bar to space widths,
// so on paper every module covers the same whole number of dots and each
// module begins where the one before it ends.
struct DotGrid
{
    double twipsX = 1440.0 / 203.0;
    double twipsY = 1440.0 / 203.0;

    explicit DotGrid(const platform::Printer *printer)
    {
        if (printer && printer->twipsPerPixelX() > 0 && printer->twipsPerPixelY() > 0) {
            twipsX = printer->twipsPerPixelX();
            twipsY = printer->twipsPerPixelY();
        }
    }
    static double dots(double twips, double twipsPerDot) { return std::nearbyint(twips / twipsPerDot); }
    static double modulesDots(double pitch, double twipsPerDot) { return std::max(1.0, dots(pitch, twipsPerDot)); }
};

} // namespace

void LabelRenderer::drawBarcode(double &x, qint32 y, const QString &code, qint32 moduleWidth, qint32 barHeight,
                                qint32 guardExtension)
{
    const QString modules = janModules(code);
    float digitsX = static_cast<float>(x + kDigitsIndent);
    drawText(digitsX, static_cast<float>(y + barHeight + kDigitsGap), janHumanReadable(code),
             QString::fromUtf16(kPrinterFont), false, false, kDigitsSize);

    const double step = moduleWidth + kStepExtra;
    DrawTarget *out = drawsBars(code) ? target(TargetKind::First) : nullptr;
    const DotGrid grid(m_services.printer);
    const double moduleDots = DotGrid::modulesDots(step, grid.twipsX);
    const double firstDot = DotGrid::dots(x - kPrinterBarShift, grid.twipsX);
    QList<Box> bars;
    for (qsizetype i = 0; i < modules.size(); ++i) {
        if (out && modules.at(i) == u'1') {
            double bottom = y + barHeight;
            if (guardExtension >= 1 && isJanGuardModule(code.size(), i + 1))
                bottom += guardExtension;
            if (toPrinter) {
                const double left = (firstDot + i * moduleDots) * grid.twipsX;
                bars.append({left, DotGrid::dots(y, grid.twipsY) * grid.twipsY, left + moduleDots * grid.twipsX,
                             DotGrid::dots(bottom, grid.twipsY) * grid.twipsY});
            } else {
                bars.append({x, static_cast<double>(y), x + moduleWidth - 1, bottom});
            }
        }
        x += step;
    }
    if (out && !bars.isEmpty())
        out->drawBoxes(bars);
}

void LabelRenderer::drawBarcodeRotated(double x, qint32 &y, const QString &code, qint32 moduleThickness,
                                       qint32 barLength, qint32 guardExtension)
{
    const QString modules = janModules(code);
    DrawTarget *out = drawsBars(code) ? target(TargetKind::First) : nullptr;
    const DotGrid grid(m_services.printer);
    const double moduleDots = DotGrid::modulesDots(moduleThickness, grid.twipsY);
    const double firstDot = DotGrid::dots(y, grid.twipsY);
    QList<Box> bars;
    for (qsizetype i = 0; i < modules.size(); ++i) {
        if (out && modules.at(i) == u'1') {
            const bool guard = isJanGuardModule(code.size(), i + 1);
            double right = x + barLength;
            if (guardExtension >= 1 && guard)
                right += guardExtension;
            if (toPrinter) {
                // The symbol reads upward: each module stands on top of the last.
                const double top = (firstDot - i * moduleDots) * grid.twipsY;
                const double left = guard ? x - kPrinterBarShift : x;
                bars.append({DotGrid::dots(left, grid.twipsX) * grid.twipsX, top,
                             DotGrid::dots(right, grid.twipsX) * grid.twipsX, top + moduleDots * grid.twipsY});
            } else {
                bars.append({x, static_cast<double>(y), right, static_cast<double>(y + moduleThickness - 1)});
            }
        }
        y = static_cast<qint32>(std::lround(y - moduleThickness - kStepExtra));
    }
    if (out && !bars.isEmpty())
        out->drawBoxes(bars);
    const qint32 drop = code.size() == 13 ? kRotatedDigitsDropLong : kRotatedDigitsDropShort;
    drawRotatedText(static_cast<qint32>(std::lround(x + barLength + kDigitsGap)), static_cast<float>(y + drop),
                    janHumanReadable(code));
}

} // namespace engine
