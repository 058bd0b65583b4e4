#include "print/copycount.h"

#include "store/numericvalue.h"

#include <cmath>

namespace print {

std::optional<int> copyCountOf(const QString &copiesText)
{
    // Rounded before the check, so that "0.4" is refused rather than printing nothing.
    const double copies = std::nearbyint(store::numericValue(copiesText));
    if (!(copies >= 1 && copies <= 32767))
        return std::nullopt;
    return static_cast<int>(copies);
}

} // namespace print
