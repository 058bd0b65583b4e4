#pragma once

#include "platform/printerbase.h"

#include <memory>

namespace platform {

class Clock;

// The printer every machine has, even one without a label printer: each
// document becomes a PDF file in a folder of its own, named by the date and
// time it was printed ("20250131-093000.pdf"; "-2", "-3", ... are added
// rather than overwrite a file). A PDF holds each page once: a copy count
// above 1 is written into the file name ("20250131-093000_3部.pdf").
//
// It offers the label media of the SATO printers and A4, and starts on a
// medium of its own that holds a whole label drawn from the default start
// positions, portrait or landscape. It draws at 203 dpi, the resolution of
// the smaller label printers, so line widths and the preview's scale are
// those of a real label printer.
class PdfPrinter final : public PrinterBase
{
public:
    // `defaultPaper` is the default paper form, shared by every PdfPrinter
    // of one printer system; `clock` must outlive the printer.
    PdfPrinter(const Clock &clock, QString folder, std::shared_ptr<int> defaultPaper);

    // The folder of the PDF files under a working folder.
    static QString outputFolder(const QString &workDir);
    // The paper forms it offers, numbered.
    static QList<PaperForm> media();
    // The number of the medium it starts on.
    static int defaultPaperNumber();

    // The file the last document was written to; empty before.
    QString lastFile() const { return m_lastFile; }

protected:
    QString checkReady() override;
    bool deliver(const QByteArray &pdf, const PaperForm &paper, int copies, QString *error) override;
    bool storeDefaultPaperForm(const PaperForm &form, QString *error) override;

private:
    const Clock *m_clock = nullptr;
    QString m_folder;
    std::shared_ptr<int> m_defaultPaper;
    QString m_lastFile;
};

// The device name of the built-in PDF printer. It holds a space, which no
// CUPS queue name can, so it never clashes with a queue.
QString pdfPrinterName();

} // namespace platform
