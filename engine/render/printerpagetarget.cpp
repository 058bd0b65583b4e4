#include "engine/render/printerpagetarget.h"

#include "engine/render/celltext.h"
#include "engine/render/labeljob.h"
#include "platform/printer.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

namespace engine {
namespace {

// The turned digits are about 20 dots of a 203-dpi head high.
constexpr int kRotatedFontTwips = 142;

} // namespace

PrinterPageTarget::PrinterPageTarget(platform::Printer &printer) : m_printer(printer) {}

bool PrinterPageTarget::canDraw()
{
    // Opening the page begins the document, which is where a printer that has
    // gone away shows itself.
    m_printer.painter();
    return !m_printer.failed();
}

bool PrinterPageTarget::isCellStyle(const TextStyle &style, const QPaintDevice *device) const
{
    return m_cellFont && m_cellDevice == device && m_cellStyle == style;
}

const CellFont &PrinterPageTarget::cellFont(const TextStyle &style, const QPaintDevice *device)
{
    if (!isCellStyle(style, device)) {
        QFont font(style.font);
        font.setPointSize(style.size);
        font.setBold(style.bold);
        font.setItalic(style.italic);
        font.setUnderline(style.underline);
        m_cellFont.emplace(font, device);
        m_cellStyle = style;
        m_cellDevice = device;
    }
    return *m_cellFont;
}

void PrinterPageTarget::drawChar(double x, double y, const TextStyle &style, const QString &character)
{
    QPainter *painter = m_printer.painter();
    painter->setPen(Qt::black);
    // The label places a character by the top-left corner of its cell.
    cellFont(style, painter->device()).draw(*painter, QPointF(x, y), character);
}

void PrinterPageTarget::drawChars(const QList<PlacedChar> &characters)
{
    QPainter *painter = m_printer.painter();
    painter->setPen(Qt::black);
    CellRun run;
    for (const PlacedChar &c : characters) {
        // A new style replaces the kept font, so the run in the old one goes first.
        if (!isCellStyle(c.style, painter->device()))
            run.flush(*painter);
        const CellFont &font = cellFont(c.style, painter->device());
        const QPointF topLeft(c.x, c.y);
        if (!run.add(font, topLeft, c.character)) {
            run.flush(*painter);
            font.draw(*painter, topLeft, c.character);
        }
    }
    run.flush(*painter);
}

void PrinterPageTarget::drawLine(double x1, double y1, double x2, double y2, int penWidth)
{
    QPainter *painter = m_printer.painter();
    QPen pen(Qt::black, penWidth * m_printer.twipsPerPixelX(), Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    painter->setPen(pen);
    painter->drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void PrinterPageTarget::drawBox(double x1, double y1, double x2, double y2)
{
    m_printer.painter()->fillRect(QRectF(QPointF(x1, y1), QPointF(x2, y2)).normalized(), Qt::black);
}

void PrinterPageTarget::drawBoxes(const QList<Box> &boxes)
{
    // One fill for all the bars of a symbol: a PDF page then holds them as
    // one path instead of a colour change and a fill for every module.
    QList<QRectF> rects;
    rects.reserve(boxes.size());
    for (const Box &b : boxes)
        rects.append(QRectF(QPointF(b.x1, b.y1), QPointF(b.x2, b.y2)).normalized());
    QPainter *painter = m_printer.painter();
    painter->save();
    painter->setPen(Qt::NoPen);
    painter->setBrush(Qt::black);
    painter->drawRects(rects);
    painter->restore();
}

void PrinterPageTarget::drawPicture(const QString &, const QImage &picture, double x, double y, double width,
                                    double height)
{
    m_printer.painter()->drawImage(QRectF(x, y, width, height), picture);
}

void PrinterPageTarget::drawRotatedText(double x, double y, const QString &text)
{
    QPainter *painter = m_printer.painter();
    QFont font(QString::fromUtf16(kPrinterFont));
    font.setPixelSize(kRotatedFontTwips);
    font.setWeight(QFont::Black);
    painter->save();
    painter->setFont(font);
    painter->setPen(Qt::black);
    painter->translate(x, y);
    painter->rotate(-90);
    painter->drawText(QPointF(0, QFontMetricsF(font, painter->device()).ascent()), text);
    painter->restore();
}

} // namespace engine
