#pragma once

#include "platform/printersystem.h"

#include <memory>

namespace platform {

class Clock;

// The machine's printers: the CUPS queues, in the spooler's order, and after
// them the built-in PDF printer, which is always there. The spooler is the
// one libcups finds (CUPS_SERVER, client.conf).
//
// A queue's paper forms are its driver's exact media from its PPD (or, for a
// queue without one, the media the spooler reports); its resolution is the
// spooler's default printer-resolution, 203 dpi when unknown; it starts on
// the user's default medium for it, else the driver's default.
class CupsPrinterSystem final : public PrinterSystem
{
public:
    // PDF files go to `pdfFolder`; `clock` names them and must outlive the
    // printers.
    CupsPrinterSystem(const Clock &clock, QString pdfFolder);

    QStringList printerNames() const override;
    std::unique_ptr<Printer> open(const QString &deviceName) override;

private:
    const Clock *m_clock = nullptr;
    QString m_pdfFolder;
    std::shared_ptr<int> m_pdfDefaultPaper;
};

} // namespace platform
