#pragma once

#include <QLockFile>
#include <QString>

namespace app {

// Keeps a second copy of the program from working on the same folder. The
// lock is a file in the working folder; a copy that crashed leaves a lock
// naming a process that no longer runs, and the next start takes it over.
class InstanceLock
{
public:
    enum class Claim {
        Claimed,       // this copy holds the lock now
        HeldElsewhere, // another running copy holds it
        Unavailable,   // the folder would not take a lock file; nothing can be told
    };

    explicit InstanceLock(const QString &workDir);

    // Takes the lock without waiting. Claiming again while holding it says Claimed.
    Claim claim();

private:
    QLockFile m_lock;
};

} // namespace app
