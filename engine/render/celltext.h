#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QList>
#include <QPointF>
#include <QRawFont>
#include <QString>

#include <optional>

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
    friend class CellRun;

    // How much the character is narrowed, when it is.
    std::optional<qreal> narrowing(const QString &character) const;
    // The font's own glyph for the character, or 0 when the character needs
    // more than a plain glyph: narrowing, underlining, or a fallback font.
    quint32 plainGlyph(const QString &character) const;

    // The glyph lookup, made at the first plain glyph: most fonts made for
    // a single character never need it.
    const QRawFont &rawFont() const;

    QFont m_font;
    const QPaintDevice *m_device = nullptr;
    QFontMetricsF m_metrics;
    mutable std::optional<QRawFont> m_raw;
    qreal m_ascent = 0;
    qreal m_halfAdvance = 0;
};

// Characters of one font gathered into a single glyph run. A PDF page draws
// a run in one text object, many times faster than one object a character;
// the glyphs land exactly where CellFont::draw puts them.
class CellRun
{
public:
    // False when the character cannot join the run and must be drawn on its
    // own; the run is then unchanged.
    bool add(const CellFont &font, QPointF topLeft, const QString &character);
    // Draws the run and empties it.
    void flush(QPainter &painter);

private:
    QRawFont m_raw;
    QList<quint32> m_glyphs;
    QList<QPointF> m_positions;
};

// One character with a font used once.
void drawCellCharacter(QPainter &painter, const QFont &font, QPointF topLeft, const QString &character);

} // namespace engine
