#pragma once

#include <QString>

namespace screens {

// A value the settings screen stores in user.dat: its control characters and
// half-width commas go, since the file reads a comma as the end of a value.
QString cleanSettingValue(const QString &text);

} // namespace screens
