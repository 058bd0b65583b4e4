#include "print/ui/widgetpreviewhost.h"

#include "engine/render/previewgeometry.h"
#include "platform/printer.h"
#include "print/ui/previewwindow.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace print {

WidgetPreviewHost::WidgetPreviewHost(QWidget *parent) : m_parent(parent) {}

WidgetPreviewHost::~WidgetPreviewHost() = default;

engine::PreviewSurface &WidgetPreviewHost::openPreview(engine::PreviewShape shape, platform::Printer *printer)
{
    // A fresh window for every label: nothing of the previous one stays.
    if (m_window) {
        m_window->close();
        m_window.reset();
    }

    if (shape == engine::PreviewShape::Landscape && printer && printer->deviceName().contains(u"2130"))
        printer->setOrientation(platform::Orientation::Landscape);
    const engine::PreviewGeometry geometry =
        engine::previewGeometry(shape, printer ? printer->twipsPerPixelX() : 0.0);

    QScreen *screen = m_parent ? m_parent->screen() : QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
    const double ratio = screen ? screen->devicePixelRatio() : 1.0;
    m_window = std::make_unique<PreviewWindow>(shape, geometry, dpi, ratio);

    if (m_parent) {
        // Kept above the screen that asked for it, and centred on it.
        m_window->winId();
        if (QWindow *own = m_window->windowHandle())
            own->setTransientParent(m_parent->window()->windowHandle());
        m_window->adjustSize();
        const QRect over = m_parent->window()->frameGeometry();
        m_window->move(over.center() - m_window->rect().center());
    }
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
    return *m_window;
}

} // namespace print
