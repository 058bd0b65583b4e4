#pragma once

#include <QString>
#include <QStringView>

namespace screens {

// What the registration number box holds once a lookup has read it: the
// number typed, rounded (a half to the even neighbour) and at most 9999,
// written as its last four digits without sign: "12" is "0012", "99999"
// is "9999", "abc" is "0000".
QString lookupNumberText(QStringView typed);

// True for "0000": a lookup of it finds nothing and changes nothing.
bool isNoNumber(QStringView lookupNumber);

} // namespace screens
