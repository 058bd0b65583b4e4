#pragma once

#include "platform/printerbase.h"

namespace platform {

// A printer that stands in for another one, with its device name,
// resolution, paper forms and the paper in hand, and keeps each document as
// a PDF file at one path instead of printing it: a proof of exactly what
// that printer would get. A later document replaces the file.
class PdfFilePrinter final : public PrinterBase
{
public:
    PdfFilePrinter(QString deviceName, int resolution, QList<PaperForm> forms, int paperNumber, QString path);

protected:
    bool deliver(const QByteArray &pdf, const PaperForm &paper, int copies, QString *error) override;
    bool storeDefaultPaperForm(const PaperForm &form, QString *error) override;

private:
    QString m_path;
};

} // namespace platform
