#pragma once

#include "engine/render/drawtarget.h"

namespace engine {

enum class PreviewShape { Portrait, Landscape };

// One open preview window: the composer draws on its two hidden work
// pictures, then presents them on the window's shown pictures.
class PreviewWindow
{
public:
    virtual ~PreviewWindow() = default;

    // TargetKind::First or TargetKind::Second.
    virtual DrawTarget &picture(TargetKind kind) = 0;
    // The red notice that the ingredients go on to a second label.
    virtual void setNoticeVisible(bool visible) = 0;
    // The landscape window's button that turns to the second label.
    virtual void setPageButtonEnabled(bool enabled) = 0;
    // Copies the work pictures onto the shown pictures.
    virtual void present() = 0;
    // The composer draws into the window until it calls this.
    virtual void compositionFinished() {}
};

// Opens preview windows. Every preview opens a fresh window, so a previous
// label never stays on the pictures; the host owns the windows.
class PreviewHost
{
public:
    virtual ~PreviewHost() = default;
    virtual PreviewWindow &openPreview(PreviewShape shape) = 0;
};

} // namespace engine
