#pragma once

#include "engine/render/previewsurface.h"

#include <QSizeF>

namespace engine {

// One preview picture: its size on the screen in twips (1440 per inch of the
// screen), and the label space it shows, in label twips.
struct PictureGeometry
{
    QSizeF twips{0, 0};
    QSizeF logical{0, 0};

    // Screen twips per label twip, across and down.
    double scaleX() const { return logical.width() > 0 ? twips.width() / logical.width() : 0.0; }
    double scaleY() const { return logical.height() > 0 ? twips.height() / logical.height() : 0.0; }
};

// The pictures of a preview window. They grow or shrink with the printer's
// resolution, so that the label looks on the screen as it will on that
// printer's paper: k is the printer's resolution relative to a 203-dpi head.
struct PreviewGeometry
{
    double k = 1.0;
    PictureGeometry shown; // the first-label and second-label pictures
    PictureGeometry work;  // the hidden work pictures the composer draws on

    // The work picture as it lands on a shown picture: presenting copies it
    // one to one in label twips, so its label space covers this much of the
    // shown picture. Drawing the work picture at this size makes presenting
    // a copy of pixels, with nothing resampled.
    PictureGeometry presentedWork() const;
};

// k = 7.093596 / twips per printer dot; an unknown resolution counts as 203 dpi.
double previewScale(double printerTwipsPerPixelX);

PreviewGeometry previewGeometry(PreviewShape shape, double printerTwipsPerPixelX);

} // namespace engine
