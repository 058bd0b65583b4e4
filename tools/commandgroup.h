#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace platform {
class Clock;
class RemovableDriveFinder;
} // namespace platform

namespace cli {

// What a command works with. Output goes into `out` and `err`; the tool
// writes `out` to stdout only when the command succeeds, so a failing command
// leaves nothing half-printed behind.
struct Context
{
    QString workDir; // absolute; also the current folder
    const platform::RemovableDriveFinder *drive = nullptr;
    const platform::Clock *clock = nullptr; // now: default backup names, a label's base date
    QString out;
    QString err;

    QByteArray readStdin() const;

    // Records a failure message for stderr and returns the exit code to use.
    int fail(const QString &message)
    {
        err += message + u'\n';
        return 1;
    }
};

// One top-level word of the tool ("products", "printers", ...). `usage` is a
// block of lines for --help, each "  sakurabe-cli ...".
struct CommandGroup
{
    const char *name = nullptr;
    const char *usage = nullptr;
    int (*run)(Context &context, const QStringList &args) = nullptr;
};

void registerGroup(const CommandGroup &group);

// A file that implements a group registers it with a static GroupRegistrar.
struct GroupRegistrar
{
    explicit GroupRegistrar(const CommandGroup &group) { registerGroup(group); }
};

} // namespace cli
