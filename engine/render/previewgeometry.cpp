#include "engine/render/previewgeometry.h"

#include <cmath>

namespace engine {
namespace {

// Twips per dot of a 203-dpi head, as the label printers' drivers give it.
constexpr double kTwipsPerPixelAt203Dpi = 7.093596;

// Whole twips the pictures lose for a finer printer. The constant above is
// 1440 / 203 rounded to seven digits: a 203-dpi printer must come out at
// exactly k = 1, not a hair below it, or every picture would grow a twip.
int shrink(double k, int perStep)
{
    return static_cast<int>(std::floor((k - 1.0) * 2 * perStep + 1e-4));
}

} // namespace

double previewScale(double printerTwipsPerPixelX)
{
    if (!(printerTwipsPerPixelX > 0))
        return 1.0;
    return kTwipsPerPixelAt203Dpi / printerTwipsPerPixelX;
}

PreviewGeometry previewGeometry(PreviewShape shape, double printerTwipsPerPixelX)
{
    PreviewGeometry g;
    g.k = previewScale(printerTwipsPerPixelX);
    const int longSide = 7372 - shrink(g.k, 172);
    if (shape == PreviewShape::Portrait) {
        g.shown = {QSizeF(5600 - shrink(g.k, 100), longSide), QSizeF(2550, 3600)};
        g.work = {QSizeF(5350 - shrink(g.k, 100), longSide), QSizeF(2450, 3600)};
    } else {
        g.shown = {QSizeF(longSide, 5000 - shrink(g.k, 100)), QSizeF(3600, 2550)};
        g.work = {QSizeF(longSide, 5100 - shrink(g.k, 100)), QSizeF(3600, 2550)};
    }
    return g;
}

PictureGeometry PreviewGeometry::presentedWork() const
{
    return {QSizeF(work.logical.width() * shown.scaleX(), work.logical.height() * shown.scaleY()), work.logical};
}

} // namespace engine
