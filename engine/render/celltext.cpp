#include "engine/render/celltext.h"

#include "store/cp932.h"

#include <QGlyphRun>
#include <QPainter>

namespace engine {

CellFont::CellFont(const QFont &font, const QPaintDevice *device)
    : m_font(font)
    , m_device(device)
    , m_metrics(font, device)
    , m_ascent(m_metrics.ascent())
    , m_halfAdvance(m_metrics.horizontalAdvance(QLatin1Char('0')))
{
}

std::optional<qreal> CellFont::narrowing(const QString &character) const
{
    if (character.size() != 1 || character.at(0).unicode() < 0x80 || store::cp932Width(character) != 1)
        return std::nullopt;
    const qreal advance = m_metrics.horizontalAdvance(character);
    if (m_halfAdvance > 0 && advance > m_halfAdvance * 1.2)
        return m_halfAdvance / advance;
    return std::nullopt;
}

const QRawFont &CellFont::rawFont() const
{
    // Sized for the device, as the painter sizes the font on it.
    if (!m_raw)
        m_raw = QRawFont::fromFont(m_device ? QFont(m_font, m_device) : m_font);
    return *m_raw;
}

quint32 CellFont::plainGlyph(const QString &character) const
{
    if (m_font.underline() || m_font.strikeOut() || m_font.overline() || narrowing(character))
        return 0;
    const QRawFont &raw = rawFont();
    if (!raw.isValid())
        return 0;
    const QList<quint32> glyphs = raw.glyphIndexesForString(character);
    return glyphs.size() == 1 ? glyphs.front() : 0;
}

void CellFont::draw(QPainter &painter, QPointF topLeft, const QString &character) const
{
    painter.setFont(m_font);
    const QPointF baseline(topLeft.x(), topLeft.y() + m_ascent);
    if (const std::optional<qreal> scale = narrowing(character)) {
        painter.save();
        painter.translate(baseline);
        painter.scale(*scale, 1.0);
        painter.drawText(QPointF(0, 0), character);
        painter.restore();
        return;
    }
    painter.drawText(baseline, character);
}

bool CellRun::add(const CellFont &font, QPointF topLeft, const QString &character)
{
    const quint32 glyph = font.plainGlyph(character);
    if (glyph == 0 || (!m_glyphs.isEmpty() && !(m_raw == font.rawFont())))
        return false;
    if (m_glyphs.isEmpty())
        m_raw = font.rawFont();
    m_glyphs.append(glyph);
    m_positions.append(QPointF(topLeft.x(), topLeft.y() + font.m_ascent));
    return true;
}

void CellRun::flush(QPainter &painter)
{
    if (m_glyphs.isEmpty())
        return;
    QGlyphRun run;
    run.setRawFont(m_raw);
    run.setGlyphIndexes(m_glyphs);
    run.setPositions(m_positions);
    painter.drawGlyphRun(QPointF(0, 0), run);
    m_glyphs.clear();
    m_positions.clear();
}

void drawCellCharacter(QPainter &painter, const QFont &font, QPointF topLeft, const QString &character)
{
    CellFont(font, painter.device()).draw(painter, topLeft, character);
}

} // namespace engine
