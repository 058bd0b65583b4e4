#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QPointF>
#include <QString>

class QPaintDevice;
class QPainter;

namespace engine {

// A font ready to draw label characters by the top-left corner of their
// cell. A character the label counts as half-width but the font draws
// full-width (the yen sign of a Japanese Gothic) is narrowed to a half-width
// cell, as the printers' own fonts draw it, so it never covers its neighbour.
// Building the metrics costs more than drawing a character, so targets keep
// one per text style.
class CellFont
{
public:
    CellFont(const QFont &font, const QPaintDevice *device);

    const QFont &font() const { return m_font; }
    void draw(QPainter &painter, QPointF topLeft, const QString &character) const;

private:
    QFont m_font;
    QFontMetricsF m_metrics;
    qreal m_ascent = 0;
    qreal m_halfAdvance = 0;
};

// One character with a font used once.
void drawCellCharacter(QPainter &painter, const QFont &font, QPointF topLeft, const QString &character);

} // namespace engine
