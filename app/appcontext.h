#pragma once

#include <QString>

namespace platform {
class Clock;
class MessageSink;
class ProgramExit;
class RemovableDriveFinder;
} // namespace platform

namespace app {

// What every window of the program works with. main() makes the real ones;
// tests hand in a temporary folder and recording fakes. The pointers are not
// owned and outlive the windows.
struct AppContext
{
    QString workDir; // absolute; user.dat, the phrase file and the pictures
    platform::MessageSink *messages = nullptr;
    platform::ProgramExit *programExit = nullptr;
    const platform::Clock *clock = nullptr;
    const platform::RemovableDriveFinder *drive = nullptr;
};

} // namespace app
