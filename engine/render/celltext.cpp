#include "engine/render/celltext.h"

#include "store/cp932.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>

namespace engine {

void drawCellCharacter(QPainter &painter, const QFont &font, QPointF topLeft, const QString &character)
{
    painter.setFont(font);
    const QFontMetricsF metrics(font, painter.device());
    const QPointF baseline(topLeft.x(), topLeft.y() + metrics.ascent());
    if (store::cp932Width(character) == 1) {
        const qreal half = metrics.horizontalAdvance(QLatin1Char('0'));
        const qreal advance = metrics.horizontalAdvance(character);
        if (half > 0 && advance > half * 1.2) {
            painter.save();
            painter.translate(baseline);
            painter.scale(half / advance, 1.0);
            painter.drawText(QPointF(0, 0), character);
            painter.restore();
            return;
        }
    }
    painter.drawText(baseline, character);
}

} // namespace engine
