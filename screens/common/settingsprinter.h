#pragma once

#include "app/appcontext.h"
#include "store/usersettings.h"

namespace screens {

// What the registration and issuing screens say when the printer user.dat
// line 1 names is not installed.
QString settingsPrinterMissingMessage();

// The check a label screen makes when it opens: the printer of user.dat line 1
// must be installed. When it is not, the user is told and the program ends;
// the answer is false then, and the screen is not to be shown.
bool settingsPrinterInstalled(const app::AppContext &context, const store::UserSettings &settings);

} // namespace screens
