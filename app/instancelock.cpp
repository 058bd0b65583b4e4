#include "app/instancelock.h"

#include <QDir>

namespace app {

InstanceLock::InstanceLock(const QString &workDir)
    : m_lock(QDir(workDir).filePath(QStringLiteral("sakurabe.lock")))
{
    // A lock belongs to a copy for as long as it runs, however long that is;
    // only a lock whose process is gone is stale.
    m_lock.setStaleLockTime(0);
}

InstanceLock::Claim InstanceLock::claim()
{
    if (m_lock.isLocked() || m_lock.tryLock(0))
        return Claim::Claimed;
    return m_lock.error() == QLockFile::LockFailedError ? Claim::HeldElsewhere : Claim::Unavailable;
}

} // namespace app
