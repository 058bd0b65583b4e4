#pragma once

#include <QString>

namespace platform {
class Clock;
class MessageSink;
class PrinterSystem;
class ProgramExit;
class RemovableDriveFinder;
} // namespace platform

namespace store {
class SettingsSource;
}

namespace app {

class Confirmation;
class PictureFileChooser;

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
    platform::PrinterSystem *printers = nullptr;   // the installed printers and the PDF printer
    Confirmation *confirmation = nullptr;          // the confirmation window "確認"
    PictureFileChooser *pictureChooser = nullptr;  // the label picture's file dialog
    const store::SettingsSource *settings = nullptr; // user.dat, read once when a screen opens
};

} // namespace app
