#include "engine/compose/composelabel.h"

#include "engine/compose/landscapecomposer.h"
#include "engine/compose/portraitcomposer.h"

namespace engine {
namespace {

using Composer = void (*)(LabelRenderer &, const LabelJob &);

Composer composerFor(const QString &labelSize)
{
    if (labelSize == kPortraitLabel || labelSize == kSmallLabel)
        return &composePortraitLabel;
    if (labelSize == kLandscapeLabel)
        return &composeLandscapeLabel;
    return nullptr;
}

} // namespace

bool hasComposer(const LabelJob &job)
{
    return composerFor(job[LabelJob::LabelSize]) != nullptr;
}

bool composeLabel(LabelRenderer &renderer, const LabelJob &job)
{
    const Composer compose = composerFor(job[LabelJob::LabelSize]);
    if (!compose)
        return false;
    compose(renderer, job);
    return true;
}

} // namespace engine
