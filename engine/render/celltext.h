#pragma once

#include <QPointF>
#include <QString>

class QFont;
class QPainter;

namespace engine {

// Draws one label character with the top-left corner of its cell at
// `topLeft`. A character the label counts as half-width but the font draws
// full-width (the yen sign of a Japanese Gothic) is narrowed to a half-width
// cell, as the printers' own fonts draw it, so it never covers its neighbour.
void drawCellCharacter(QPainter &painter, const QFont &font, QPointF topLeft, const QString &character);

} // namespace engine
