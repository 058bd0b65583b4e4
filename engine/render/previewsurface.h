#pragma once

#include "engine/render/drawtarget.h"

namespace platform {
class Printer;
}

namespace engine {

enum class PreviewShape { Portrait, Landscape };

// One open preview: the composer draws on its two hidden work pictures, then
// presents them on the pictures the user sees.
class PreviewSurface
{
public:
    virtual ~PreviewSurface() = default;

    // TargetKind::First or TargetKind::Second.
    virtual DrawTarget &picture(TargetKind kind) = 0;
    // The red notice that the ingredients go on to a second label.
    virtual void setNoticeVisible(bool visible) = 0;
    // The landscape window's button that turns to the second label.
    virtual void setPageButtonEnabled(bool enabled) = 0;
    // Copies the work pictures onto the shown pictures.
    virtual void present() = 0;
    // The composer draws into the surface until it calls this.
    virtual void compositionFinished() {}
};

// Opens previews. Every preview opens a fresh surface, so a previous label
// never stays on the pictures; the host owns the surfaces.
class PreviewHost
{
public:
    virtual ~PreviewHost() = default;

    // `printer` is the current printer, whose resolution sizes the pictures;
    // null when there is none (they are sized for 203 dpi then). The caller
    // owns it; the host may change its orientation, as a window opening for
    // a landscape label on a "2130" printer does.
    virtual PreviewSurface &openPreview(PreviewShape shape, platform::Printer *printer) = 0;
};

} // namespace engine
