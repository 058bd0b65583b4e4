#pragma once

#include "engine/render/labeljob.h"
#include "engine/render/labelrenderer.h"

namespace engine {

// Whether the job's label size is one of the three formats a composer draws.
bool hasComposer(const LabelJob &job);

// One label of the job, by the composer for its size: "65×45(タテ)" and
// "28×38" upright, "65×45(ヨコ)" turned. Any other size draws nothing and
// answers false.
bool composeLabel(LabelRenderer &renderer, const LabelJob &job);

} // namespace engine
