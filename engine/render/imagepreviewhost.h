#pragma once

#include "engine/render/picturetarget.h"
#include "engine/render/previewsurface.h"

#include <QImage>

#include <memory>

namespace engine {

// Previews drawn on images instead of windows: the work pictures the
// composer draws on, sized for the printer in hand as a window's are. For
// the command line's preview pictures.
class ImagePreviewHost final : public PreviewHost, public PreviewSurface
{
public:
    PreviewSurface &openPreview(PreviewShape shape, platform::Printer *printer) override;

    DrawTarget &picture(TargetKind kind) override;
    void setNoticeVisible(bool visible) override { m_secondShown = visible; }
    void setPageButtonEnabled(bool enabled) override { m_secondShown = m_secondShown || enabled; }
    void present() override {}

    // The first picture, and the second beside it when the label goes on;
    // null before any preview.
    QImage image() const;

private:
    std::unique_ptr<PictureTarget> m_first;
    std::unique_ptr<PictureTarget> m_second;
    bool m_secondShown = false;
};

} // namespace engine
