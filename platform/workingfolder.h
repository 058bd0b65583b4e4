#pragma once

#include <QString>

namespace platform {

// Whether the working folder also becomes the process's current folder. The
// program works in it; the command-line tool stays where it was started, so
// that the file names on its command line mean what the user typed.
enum class CurrentFolder { WorkingFolder, Unchanged };

// The per-user folder that holds user.dat, the phrase file, the pictures and,
// on the hard disk, the product file. `override` (a --workdir) wins when set.
// Creates the folder when it does not exist yet and, unless told otherwise,
// makes it the current folder. Returns the absolute path, or an empty string
// with `error` set.
QString prepareWorkingFolder(const QString &override, QString *error = nullptr,
                             CurrentFolder current = CurrentFolder::WorkingFolder);

// Names the program for Qt's per-user folders; every front-end calls it first.
void setProgramIdentity();

} // namespace platform
