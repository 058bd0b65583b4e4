#pragma once

#include "platform/printerbase.h"

namespace platform {

// A CUPS queue as the current printer. Its device name is the queue name.
// A finished document goes to the queue as one PDF job with the medium's own
// driver key (no size snapping) and the copy count; the spooler turns
// landscape pages onto the medium as it is loaded. The default paper form is
// the user's default medium for the queue (the lpoptions file).
class CupsPrinter final : public PrinterBase
{
public:
    CupsPrinter(QString queueName, int resolution, QList<PaperForm> forms, int paperNumber);

    // The spooler's id of the last job sent; 0 before.
    int lastJobId() const { return m_lastJobId; }

protected:
    QString checkReady() override;
    bool deliver(const QByteArray &pdf, const PaperForm &paper, int copies, QString *error) override;
    bool storeDefaultPaperForm(const PaperForm &form, QString *error) override;

private:
    int m_lastJobId = 0;
};

} // namespace platform
