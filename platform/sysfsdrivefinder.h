#pragma once

#include "platform/removabledrive.h"

namespace platform {

// The USB memory drive is the first mounted file system, in the mount table's
// order, whose disk the kernel flags as removable.
class SysfsDriveFinder final : public RemovableDriveFinder
{
public:
    // The paths are parameters so that tests can hand in a made-up machine.
    explicit SysfsDriveFinder(QString mountTable = QStringLiteral("/proc/self/mounts"),
                              QString sysBlock = QStringLiteral("/sys/class/block"));

    QString usbRoot() const override;

private:
    bool isRemovable(const QString &deviceName) const;

    QString m_mountTable;
    QString m_sysBlock;
};

} // namespace platform
