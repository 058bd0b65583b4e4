#include "engine/render/celltext.h"

#include "store/cp932.h"

#include <QPainter>

namespace engine {

CellFont::CellFont(const QFont &font, const QPaintDevice *device)
    : m_font(font)
    , m_metrics(font, device)
    , m_ascent(m_metrics.ascent())
    , m_halfAdvance(m_metrics.horizontalAdvance(QLatin1Char('0')))
{
}

void CellFont::draw(QPainter &painter, QPointF topLeft, const QString &character) const
{
    painter.setFont(m_font);
    const QPointF baseline(topLeft.x(), topLeft.y() + m_ascent);
    if (character.size() == 1 && character.at(0).unicode() >= 0x80 && store::cp932Width(character) == 1) {
        const qreal advance = m_metrics.horizontalAdvance(character);
        if (m_halfAdvance > 0 && advance > m_halfAdvance * 1.2) {
            painter.save();
            painter.translate(baseline);
            painter.scale(m_halfAdvance / advance, 1.0);
            painter.drawText(QPointF(0, 0), character);
            painter.restore();
            return;
        }
    }
    painter.drawText(baseline, character);
}

void drawCellCharacter(QPainter &painter, const QFont &font, QPointF topLeft, const QString &character)
{
    CellFont(font, painter.device()).draw(painter, topLeft, character);
}

} // namespace engine
