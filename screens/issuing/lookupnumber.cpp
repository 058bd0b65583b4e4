#include "screens/issuing/lookupnumber.h"

#include "store/numericvalue.h"

#include <algorithm>
#include <cmath>

namespace screens {

QString lookupNumberText(QStringView typed)
{
    const double rounded = std::min(std::nearbyint(store::numericValue(typed)), 9999.0);
    // Only some three hundred typed digits get here: no number to show.
    if (!std::isfinite(rounded))
        return QStringLiteral("0000");
    return QString::number(std::fabs(rounded), 'f', 0).rightJustified(4, u'0').right(4);
}

bool isNoNumber(QStringView lookupNumber)
{
    return store::numericValue(lookupNumber) == 0.0;
}

} // namespace screens
