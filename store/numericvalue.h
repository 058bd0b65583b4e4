#pragma once

#include <QStringView>

namespace store {

// The number a text begins with, the way every box and file value of the
// program is read: leading blanks skipped, an optional sign, digits and at
// most one decimal point; "3日" is 3, "1.5" is 1.5, and a text without
// leading digits is 0.
double numericValue(QStringView text);

} // namespace store
