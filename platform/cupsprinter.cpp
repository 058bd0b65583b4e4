#include "platform/cupsprinter.h"

#include <cups/cups.h>

#include <algorithm>
#include <cerrno>

// Queue names and media keys go to libcups as plain arguments, never through
// a shell command line: a queue name may hold any character the spooler
// accepts.

namespace platform {
namespace {

QString lastCupsError()
{
    return QString::fromUtf8(cupsLastErrorString());
}

// Sends the whole document in pieces the spooler's connection takes.
bool writeDocument(const QByteArray &pdf)
{
    constexpr qsizetype kChunk = 64 * 1024;
    for (qsizetype offset = 0; offset < pdf.size(); offset += kChunk) {
        const qsizetype length = std::min(kChunk, pdf.size() - offset);
        if (cupsWriteRequestData(CUPS_HTTP_DEFAULT, pdf.constData() + offset, static_cast<size_t>(length))
            != HTTP_STATUS_CONTINUE)
            return false;
    }
    return true;
}

} // namespace

CupsPrinter::CupsPrinter(QString queueName, int resolution, QList<PaperForm> forms, int paperNumber)
    : PrinterBase(std::move(queueName), resolution, std::move(forms), paperNumber)
{
}

QString CupsPrinter::checkReady()
{
    const QByteArray name = deviceName().toUtf8();
    cups_dest_t *dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.constData(), nullptr);
    if (!dest)
        return printerMessage(QStringLiteral("プリンター「%1」が見つかりません").arg(deviceName()), lastCupsError());
    const char *accepting = cupsGetOption("printer-is-accepting-jobs", dest->num_options, dest->options);
    const bool refuses = accepting && qstrcmp(accepting, "false") == 0;
    cupsFreeDests(1, dest);
    if (refuses)
        return QStringLiteral("プリンター「%1」は印刷を受け付けていません").arg(deviceName());
    return {};
}

bool CupsPrinter::deliver(const QByteArray &pdf, const PaperForm &paper, int copies, QString *error)
{
    const QByteArray name = deviceName().toUtf8();
    const QByteArray media = paper.key.toUtf8();
    const QByteArray copyCount = QByteArray::number(copies);
    cups_option_t *options = nullptr;
    int count = 0;
    // The driver's own key names the medium exactly. No orientation goes
    // with the job: the spooler turns landscape-shaped pages onto the medium
    // by itself.
    if (!media.isEmpty())
        count = cupsAddOption("media", media.constData(), count, &options);
    count = cupsAddOption("copies", copyCount.constData(), count, &options);

    const int job = cupsCreateJob(CUPS_HTTP_DEFAULT, name.constData(), "さくらべ", count, options);
    cupsFreeOptions(count, options);
    bool sent = job > 0;
    if (sent) {
        sent = cupsStartDocument(CUPS_HTTP_DEFAULT, name.constData(), job, "label", CUPS_FORMAT_PDF, 1)
                == HTTP_STATUS_CONTINUE
            && writeDocument(pdf);
        // Finishing also ends a document that could not be written whole.
        sent = cupsFinishDocument(CUPS_HTTP_DEFAULT, name.constData()) == IPP_STATUS_OK && sent;
    }
    if (!sent) {
        *error = printerMessage(QStringLiteral("印刷データの送信に失敗しました"), lastCupsError());
        if (job > 0)
            cupsCancelJob2(CUPS_HTTP_DEFAULT, name.constData(), job, 0);
        return false;
    }
    m_lastJobId = job;
    return true;
}

bool CupsPrinter::storeDefaultPaperForm(const PaperForm &form, QString *error)
{
    const QByteArray name = deviceName().toUtf8();
    const QByteArray media = form.key.toUtf8();
    cups_dest_t *dests = nullptr;
    const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    cups_dest_t *dest = cupsGetDest(name.constData(), nullptr, count, dests);
    QString reason = QStringLiteral("プリンター「%1」が見つかりません").arg(deviceName());
    bool stored = false;
    if (dest) {
        dest->num_options = cupsAddOption("media", media.constData(), dest->num_options, &dest->options);
        // An older PageSize default would contradict the new medium.
        dest->num_options = cupsRemoveOption("PageSize", dest->num_options, &dest->options);
        errno = 0;
        stored = cupsSetDests2(CUPS_HTTP_DEFAULT, count, dests) == 0;
        reason = errno != 0 ? qt_error_string(errno) : lastCupsError();
    }
    cupsFreeDests(count, dests);
    if (!stored)
        *error = reason;
    return stored;
}

} // namespace platform
