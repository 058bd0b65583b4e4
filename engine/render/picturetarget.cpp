#include "engine/render/picturetarget.h"

#include "engine/render/celltext.h"
#include "engine/render/labeljob.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

namespace engine {
namespace {

constexpr double kTwipsPerInch = 1440.0;
constexpr double kMetresPerInch = 0.0254;
// The turned barcode digits are 20 screen pixels high, as on the 96-dpi
// screens: about the size they print at, seen at the preview's scale.
constexpr int kRotatedFontPixels = 20;

QFont labelFont(const TextStyle &style)
{
    QFont font(style.font);
    // The preview shows the label about twice its size; the type follows.
    font.setPointSizeF(2.0 * style.size);
    font.setBold(style.bold);
    font.setItalic(style.italic);
    font.setUnderline(style.underline);
    return font;
}

} // namespace

PictureTarget::PictureTarget(TargetKind kind, const PictureGeometry &geometry, double logicalDpi,
                             double devicePixelRatio)
    : m_kind(kind), m_geometry(geometry), m_logicalDpi(logicalDpi > 0 ? logicalDpi : 96.0)
{
    const double ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    m_pixelSize = QSizeF(geometry.twips.width() / kTwipsPerInch * m_logicalDpi,
                         geometry.twips.height() / kTwipsPerInch * m_logicalDpi);
    m_image = QImage(std::max(1, static_cast<int>(std::ceil(m_pixelSize.width() * ratio - 1e-9))),
                     std::max(1, static_cast<int>(std::ceil(m_pixelSize.height() * ratio - 1e-9))),
                     QImage::Format_RGB32);
    m_image.setDevicePixelRatio(ratio);
    // Points are points of the screen: the image's resolution is the screen's
    // logical one, so a font of n points is n / 72 of a logical inch.
    const int dotsPerMetre = static_cast<int>(std::lround(m_logicalDpi / kMetresPerInch));
    m_image.setDotsPerMeterX(dotsPerMetre);
    m_image.setDotsPerMeterY(dotsPerMetre);
    clear();
}

void PictureTarget::clear()
{
    m_image.fill(Qt::white);
}

QPointF PictureTarget::toPixels(double x, double y) const
{
    const double sx = m_geometry.logical.width() > 0 ? m_pixelSize.width() / m_geometry.logical.width() : 0.0;
    const double sy = m_geometry.logical.height() > 0 ? m_pixelSize.height() / m_geometry.logical.height() : 0.0;
    return {x * sx, y * sy};
}

void PictureTarget::drawChar(double x, double y, const TextStyle &style, const QString &character)
{
    QPainter painter(&m_image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QFont font = labelFont(style);
    painter.setFont(font);
    painter.setPen(Qt::black);
    // The label places a character by the top-left corner of its cell.
    drawCellCharacter(painter, font, toPixels(x, y), character);
}

void PictureTarget::drawLine(double x1, double y1, double x2, double y2, int penWidth)
{
    QPainter painter(&m_image);
    const int width = std::max(1, penWidth);
    painter.setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    // As on the old screens, the pen covers the pixels right of and below
    // the point, at any pixel ratio.
    const QPointF half(width / 2.0, width / 2.0);
    painter.drawLine(toPixels(x1, y1) + half, toPixels(x2, y2) + half);
}

void PictureTarget::drawBox(double x1, double y1, double x2, double y2)
{
    QPainter painter(&m_image);
    painter.fillRect(QRectF(toPixels(x1, y1), toPixels(x2, y2)).normalized(), Qt::black);
}

void PictureTarget::drawPicture(const QString &, const QImage &picture, double x, double y, double width,
                                double height)
{
    QPainter painter(&m_image);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(toPixels(x, y), toPixels(x + width, y + height)).normalized(), picture);
}

void PictureTarget::drawRotatedText(double x, double y, const QString &text)
{
    QPainter painter(&m_image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QFont font(QString::fromUtf16(kPrinterFont));
    font.setPixelSize(kRotatedFontPixels);
    painter.setFont(font);
    painter.setPen(Qt::black);
    // Turned a quarter counter-clockwise about the top-left corner of the
    // text's cell: the digits run upward from (x, y).
    painter.translate(toPixels(x, y));
    painter.rotate(-90);
    painter.drawText(QPointF(0, QFontMetricsF(font, &m_image).ascent()), text);
}

} // namespace engine
