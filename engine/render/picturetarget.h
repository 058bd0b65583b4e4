#pragma once

#include "engine/render/drawtarget.h"
#include "engine/render/previewgeometry.h"

#include <QImage>

namespace engine {

// A preview work picture: the label drawn on a screen image.
//
// The picture is geometry.twips large on a screen of `logicalDpi` (1440 twips
// an inch), and its label space geometry.logical covers all of it. It is drawn
// at `devicePixelRatio` device pixels per logical pixel, so that a HiDPI
// screen shows it sharp; image() carries that ratio.
//
// Fonts are twice the size the label asks for, in points of the screen: the
// picture shows the label about twice as large as printed. A pen of width n
// is n logical pixels wide, the screen pixels of the 96-dpi screens the
// labels were designed on. Lines and boxes are drawn without smoothing so
// that rules and barcode bars stay crisp.
class PictureTarget final : public DrawTarget
{
public:
    PictureTarget(TargetKind kind, const PictureGeometry &geometry, double logicalDpi = 96.0,
                  double devicePixelRatio = 1.0);

    TargetKind kind() const override { return m_kind; }
    void drawChar(double x, double y, const TextStyle &style, const QString &character) override;
    void drawLine(double x1, double y1, double x2, double y2, int penWidth) override;
    void drawBox(double x1, double y1, double x2, double y2) override;
    void drawPicture(const QString &file, const QImage &picture, double x, double y, double width,
                     double height) override;
    void drawRotatedText(double x, double y, const QString &text) override;

    const QImage &image() const { return m_image; }
    // Where a label point lands on the picture, in logical pixels.
    QPointF toPixels(double x, double y) const;
    // The picture's size in logical pixels.
    QSizeF pixelSize() const { return m_pixelSize; }
    // White again, as a freshly opened window's picture.
    void clear();

private:
    TargetKind m_kind = TargetKind::First;
    PictureGeometry m_geometry;
    double m_logicalDpi = 96.0;
    QSizeF m_pixelSize{0, 0};
    QImage m_image;
};

} // namespace engine
