#include "platform/printerdocument.h"

#include <QPdfWriter>

namespace platform {
namespace {

// One device unit per twip.
constexpr int kTwipsPerInch = 1440;

} // namespace

PrinterDocument::PrinterDocument(QString title)
    : m_title(std::move(title))
{
}

PrinterDocument::~PrinterDocument()
{
    if (m_painter.isActive())
        m_painter.end();
}

QPainter *PrinterDocument::openPage(const QPageLayout &layout)
{
    if (m_pageCount == 0) {
        m_buffer.open(QIODevice::WriteOnly);
        m_writer = std::make_unique<QPdfWriter>(&m_buffer);
        m_writer->setTitle(m_title);
        m_writer->setCreator(QStringLiteral("Sakurabe"));
        m_writer->setResolution(kTwipsPerInch);
        m_writer->setPageLayout(layout);
        m_painter.begin(m_writer.get());
        m_freshHints = m_painter.renderHints();
    } else {
        // A new layout must be set just before the page it shapes.
        m_writer->setPageLayout(layout);
        m_writer->newPage();
        const QRect page(0, 0, m_writer->width(), m_writer->height());
        m_painter.setViewport(page);
        m_painter.setWindow(page);
        m_painter.resetTransform();
        m_painter.setClipping(false);
        m_painter.setPen(QPen());
        m_painter.setBrush(Qt::NoBrush);
        m_painter.setFont(QFont());
        m_painter.setBackground(Qt::white);
        m_painter.setBackgroundMode(Qt::TransparentMode);
        m_painter.setOpacity(1.0);
        m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        m_painter.setRenderHints(m_freshHints, true);
        m_painter.setRenderHints(~m_freshHints, false);
    }
    ++m_pageCount;
    return &m_painter;
}

QByteArray PrinterDocument::finish()
{
    if (m_pageCount == 0)
        return {};
    if (m_painter.isActive() && !m_painter.end())
        return {};
    m_writer.reset();
    m_buffer.close();
    return m_buffer.data();
}

} // namespace platform

