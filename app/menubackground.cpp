#include "app/menubackground.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace app {
namespace {

// A five-petal blossom centred on `centre`.
void paintBlossom(QPainter &painter, QPointF centre, qreal radius, qreal turn, const QColor &petal)
{
    painter.save();
    painter.translate(centre);
    painter.rotate(turn);
    painter.setPen(Qt::NoPen);
    painter.setBrush(petal);
    for (int i = 0; i < 5; ++i) {
        QPainterPath path;
        path.moveTo(0, 0);
        path.cubicTo(-radius * 0.55, -radius * 0.35, -radius * 0.45, -radius * 0.95, -radius * 0.12, -radius);
        path.lineTo(0, -radius * 0.86); // the notch at the petal's tip
        path.lineTo(radius * 0.12, -radius);
        path.cubicTo(radius * 0.45, -radius * 0.95, radius * 0.55, -radius * 0.35, 0, 0);
        painter.drawPath(path);
        painter.rotate(72);
    }
    painter.setBrush(QColor(0xc4, 0x5a, 0x78, petal.alpha()));
    painter.drawEllipse(QPointF(0, 0), radius * 0.14, radius * 0.14);
    painter.restore();
}

} // namespace

void paintMenuBackground(QPainter &painter, const QRect &area)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);

    QLinearGradient wash(area.topLeft(), area.bottomLeft());
    wash.setColorAt(0.0, QColor(0xfc, 0xe4, 0xec));
    wash.setColorAt(0.45, QColor(0xfe, 0xf6, 0xf8));
    wash.setColorAt(1.0, QColor(0xff, 0xff, 0xff));
    painter.fillRect(area, wash);

    // A thin band under the title line.
    painter.fillRect(QRectF(area.left() + 40, area.top() + 74, area.width() - 80, 2), QColor(0xd9, 0x9a, 0xab));

    const qreal w = area.width();
    const qreal h = area.height();
    paintBlossom(painter, {area.left() + 34.0, area.top() + 30.0}, 26, 8, QColor(0xf4, 0xb6, 0xc6, 200));
    paintBlossom(painter, {area.left() + 70.0, area.top() + 58.0}, 14, 40, QColor(0xf7, 0xc9, 0xd5, 170));
    paintBlossom(painter, {area.left() + w - 40.0, area.top() + 36.0}, 20, 25, QColor(0xf4, 0xb6, 0xc6, 170));
    paintBlossom(painter, {area.left() + w - 52.0, area.top() + h - 86.0}, 30, 15, QColor(0xf7, 0xd0, 0xdb, 120));
    paintBlossom(painter, {area.left() + 44.0, area.top() + h - 110.0}, 18, 52, QColor(0xf7, 0xd0, 0xdb, 110));
    painter.restore();
}

} // namespace app
