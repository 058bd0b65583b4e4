#include "print/previewhost.h"

#include "engine/render/previewgeometry.h"
#include "platform/messagesink.h"
#include "platform/printersystem.h"
#include "print/previewwindow.h"
#include "store/usersettings.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace print {

WidgetPreviewHost::WidgetPreviewHost(platform::PrinterSystem *printers, platform::MessageSink *messages,
                                     QString workDir, platform::Printer *currentPrinter, QWidget *parent)
    : m_printers(printers), m_messages(messages), m_workDir(std::move(workDir)), m_current(currentPrinter),
      m_parent(parent)
{
}

WidgetPreviewHost::~WidgetPreviewHost() = default;

void WidgetPreviewHost::findSettingsPrinter()
{
    const std::optional<store::UserSettings> settings = store::readUserSettings(m_workDir);
    const QString name = settings ? settings->printer : QString();
    const bool installed = m_printers && !name.isEmpty() && m_printers->printerNames().contains(name);
    if (!installed) {
        // The preview is still drawn, sized for the printer in hand.
        if (m_messages)
            m_messages->information(QStringLiteral("指定のプリンターが見つかりません"));
        return;
    }
    if (m_current && m_current->deviceName() == name)
        return;
    if (std::unique_ptr<platform::Printer> printer = m_printers->open(name)) {
        m_opened = std::move(printer);
        m_current = m_opened.get();
    }
}

engine::PreviewWindow &WidgetPreviewHost::openPreview(engine::PreviewShape shape)
{
    // A fresh window for every label: nothing of the previous one stays.
    if (m_window) {
        m_window->close();
        m_window.reset();
    }

    findSettingsPrinter();
    if (shape == engine::PreviewShape::Landscape && m_current && m_current->deviceName().contains(u"2130"))
        m_current->setOrientation(platform::Orientation::Landscape);
    const engine::PreviewGeometry geometry =
        engine::previewGeometry(shape, m_current ? m_current->twipsPerPixelX() : 0.0);

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
