#pragma once

#include "engine/render/previewhost.h"

#include <QPointer>
#include <QString>

#include <memory>

class QWidget;

namespace platform {
class MessageSink;
class Printer;
class PrinterSystem;
} // namespace platform

namespace print {

class PreviewWindow;

// Opens the preview windows of one screen. Each preview closes the window
// before it and opens a fresh one, shown without blocking the screen.
//
// Opening looks up the printer of user.dat line 1 among the installed ones:
// the preview is sized for that printer's resolution. The current printer is
// the one given, or, when line 1 names another installed printer, that one,
// opened here and kept (currentPrinter()). A landscape preview on a "2130"
// printer turns the current printer to landscape for later jobs as well.
class WidgetPreviewHost final : public engine::PreviewHost
{
public:
    // None of the pointers is owned; all outlive the host. `parent` is the
    // screen the previews belong to, or null.
    WidgetPreviewHost(platform::PrinterSystem *printers, platform::MessageSink *messages, QString workDir,
                      platform::Printer *currentPrinter, QWidget *parent = nullptr);
    ~WidgetPreviewHost() override;

    engine::PreviewWindow &openPreview(engine::PreviewShape shape) override;

    // The window opened last, while it lives; it may be closed (hidden).
    PreviewWindow *window() const { return m_window.get(); }
    platform::Printer *currentPrinter() const { return m_current; }

private:
    void findSettingsPrinter();

    platform::PrinterSystem *m_printers = nullptr;
    platform::MessageSink *m_messages = nullptr;
    QString m_workDir;
    platform::Printer *m_current = nullptr;
    QPointer<QWidget> m_parent;
    std::unique_ptr<platform::Printer> m_opened; // the settings' printer, when made current here
    std::unique_ptr<PreviewWindow> m_window;
};

} // namespace print
