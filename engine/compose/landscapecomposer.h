#pragma once

#include "engine/render/labeljob.h"
#include "engine/render/labelrenderer.h"

namespace engine {

// One whole "65×45(ヨコ)" label on the printer page or the preview: the
// fields in the left column, the turned barcode and the recycling marks in
// the right one, and the ingredients' second label. The job is not changed,
// so composing it again draws the same label.
void composeLandscapeLabel(LabelRenderer &r, const LabelJob &job);

} // namespace engine
