#pragma once

#include "engine/render/labeljob.h"
#include "engine/render/labelrenderer.h"

namespace engine {

// One whole "65×45(タテ)" or "28×38" label on the printer page or the
// preview: the fields top to bottom, the expiry line, the barcode and the
// recycling marks below the text, and the ingredients' second label. The
// job is not changed, so composing it again draws the same label.
void composePortraitLabel(LabelRenderer &r, const LabelJob &job);

} // namespace engine
