#pragma once

#include <QString>

namespace platform {

// Finds the USB memory drive that may hold the product file and its backups.
class RemovableDriveFinder
{
public:
    virtual ~RemovableDriveFinder() = default;

    // The drive's root path ending in "/", or an empty string when no USB
    // memory drive is present.
    virtual QString usbRoot() const = 0;
};

// A drive that is always at the same place (or never there): for tests and
// for scripts that name the drive themselves.
class FixedDriveFinder final : public RemovableDriveFinder
{
public:
    explicit FixedDriveFinder(QString root = {}) : m_root(std::move(root)) {}
    QString usbRoot() const override { return m_root; }

private:
    QString m_root;
};

} // namespace platform
