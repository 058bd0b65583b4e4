#pragma once

#include "platform/removabledrive.h"

namespace platform {

// The USB memory drive is the first mounted file system, in the mount table's
// order, whose disk the kernel flags as removable. Optical drives carry the
// same flag but are not memory sticks, so they are passed over.
class SysfsDriveFinder final : public RemovableDriveFinder
{
public:
    // The paths are parameters so that tests can hand in a made-up machine.
    // `devFolder` stands for "/dev" when device links (/dev/disk/by-uuid/...)
    // are resolved to the kernel's device names.
    explicit SysfsDriveFinder(QString mountTable = QStringLiteral("/proc/self/mounts"),
                              QString sysBlock = QStringLiteral("/sys/class/block"),
                              QString devFolder = QStringLiteral("/dev"));

    QString usbRoot() const override;

private:
    QString kernelDeviceName(const QString &devicePath) const;
    bool isRemovable(const QString &deviceName) const;

    QString m_mountTable;
    QString m_sysBlock;
    QString m_devFolder;
};

} // namespace platform
