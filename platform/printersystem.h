#pragma once

#include "platform/printer.h"

#include <QStringList>

#include <memory>

namespace platform {

// The printers installed on this machine.
class PrinterSystem
{
public:
    virtual ~PrinterSystem() = default;

    // Every printer's device name, in the system's order.
    virtual QStringList printerNames() const = 0;

    // Makes the printer with exactly this device name current; null when no
    // such printer is installed.
    virtual std::unique_ptr<Printer> open(const QString &deviceName) = 0;
};

} // namespace platform
