#pragma once

#include "engine/render/previewsurface.h"

#include <QPointer>

#include <memory>

class QWidget;

namespace print {

class PreviewWindow;

// Opens the preview windows of one screen. Each preview closes the window
// before it and opens a fresh one, shown without blocking the screen.
//
// The window is sized for the printer it is given, the job's current
// printer. A landscape preview on a "2130" printer turns that printer to
// landscape, as the label printer's driver wants it for the lying label.
class WidgetPreviewHost final : public engine::PreviewHost
{
public:
    // `parent` is the screen the previews belong to, or null; it is not owned.
    explicit WidgetPreviewHost(QWidget *parent = nullptr);
    ~WidgetPreviewHost() override;

    engine::PreviewSurface &openPreview(engine::PreviewShape shape, platform::Printer *printer) override;

    // The window opened last, while it lives; it may be closed (hidden).
    PreviewWindow *window() const { return m_window.get(); }

private:
    QPointer<QWidget> m_parent;
    std::unique_ptr<PreviewWindow> m_window;
};

} // namespace print
