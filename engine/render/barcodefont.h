#pragma once

#include <QString>

namespace engine {

// The printers' own barcode fonts ("jan13", "jan8") exist on a system only
// when a font of exactly that family name is installed; without one the
// composers draw the bars themselves.
bool barcodeFontInstalled(const QString &family);

} // namespace engine
