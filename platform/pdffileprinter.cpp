#include "platform/pdffileprinter.h"

#include "store/textfile.h"

namespace platform {

PdfFilePrinter::PdfFilePrinter(QString deviceName, int resolution, QList<PaperForm> forms, int paperNumber,
                               QString path)
    : PrinterBase(std::move(deviceName), resolution, std::move(forms), paperNumber), m_path(std::move(path))
{
}

bool PdfFilePrinter::deliver(const QByteArray &pdf, const PaperForm &, int, QString *error)
{
    // The file is replaced only once the new document is complete.
    const store::WriteOutcome written = store::replaceFileContent(m_path, m_path + QStringLiteral(".tmp"), pdf);
    if (written.ok)
        return true;
    *error = QStringLiteral("%1 を書き込めませんでした").arg(m_path) + u'\r' + written.error;
    return false;
}

// The printer it stands for keeps its own default; nothing is kept here.
bool PdfFilePrinter::storeDefaultPaperForm(const PaperForm &, QString *)
{
    return true;
}

} // namespace platform
