#pragma once

#include <QString>

namespace platform {

// The per-user folder that holds user.dat, the phrase file, the pictures and,
// on the hard disk, the product file. `override` (a --workdir) wins when set.
// Creates the folder when it does not exist yet and makes it the current
// folder. Returns the absolute path, or an empty string with `error` set.
QString prepareWorkingFolder(const QString &override, QString *error = nullptr);

// Names the program for Qt's per-user folders; every front-end calls it first.
void setProgramIdentity();

} // namespace platform
