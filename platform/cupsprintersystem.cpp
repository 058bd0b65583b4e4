#include "platform/cupsprintersystem.h"

#include "platform/clock.h"
#include "platform/cupsprinter.h"
#include "platform/fonts.h"
#include "platform/paperform.h"
#include "platform/pdfprinter.h"
#include "platform/ppdmedia.h"

#include <cups/cups.h>

#include <cmath>

namespace platform {
namespace {

constexpr int kUnknownResolution = 203;

// The spooler's default resolution for the queue; IPP gives it per inch or
// per centimetre.
int queueResolution(cups_dest_t *dest, cups_dinfo_t *info)
{
    ipp_attribute_t *attribute = info ? cupsFindDestDefault(CUPS_HTTP_DEFAULT, dest, info, "printer-resolution") : nullptr;
    if (!attribute || ippGetValueTag(attribute) != IPP_TAG_RESOLUTION)
        return kUnknownResolution;
    int yres = 0;
    ipp_res_t units = IPP_RES_PER_INCH;
    const int xres = ippGetResolution(attribute, 0, &yres, &units);
    const int dpi = units == IPP_RES_PER_CM ? static_cast<int>(std::lround(xres * 2.54)) : xres;
    return dpi > 0 ? dpi : kUnknownResolution;
}

// The media the spooler reports, for a queue without a PPD. Their order is
// the spooler's, and their keys are PWG media names.
std::optional<PpdMedia> spoolerMedia(cups_dest_t *dest, cups_dinfo_t *info)
{
    if (!info)
        return std::nullopt;
    PpdMedia result;
    const int count = cupsGetDestMediaCount(CUPS_HTTP_DEFAULT, dest, info, CUPS_MEDIA_FLAGS_DEFAULT);
    for (int i = 0; i < count; ++i) {
        cups_size_t size{};
        if (!cupsGetDestMediaByIndex(CUPS_HTTP_DEFAULT, dest, info, i, CUPS_MEDIA_FLAGS_DEFAULT, &size)
            || size.width <= 0 || size.length <= 0)
            continue;
        PaperForm form;
        form.key = QString::fromUtf8(size.media);
        form.name = form.key;
        form.sizeMm = QSizeF(size.width / 100.0, size.length / 100.0);
        result.media.append(form);
    }
    if (ipp_attribute_t *attribute = cupsFindDestDefault(CUPS_HTTP_DEFAULT, dest, info, "media"))
        result.defaultKey = QString::fromUtf8(ippGetString(attribute, 0, nullptr));
    if (result.media.isEmpty())
        return std::nullopt;
    return result;
}

// A queue that says nothing about its media still prints on something.
PpdMedia fallbackMedia()
{
    PaperForm a4;
    a4.key = QStringLiteral("iso_a4_210x297mm");
    a4.name = QStringLiteral("A4");
    a4.sizeMm = QSizeF(210, 297);
    return {{a4}, a4.key};
}

// The form a media option names: by the driver's key, or else by the size a
// PWG or legacy media name stands for. 0 when none fits.
int formForMedia(const QList<PaperForm> &forms, const QString &value)
{
    // A media option may also name a tray or a type after a comma.
    const QStringList parts = value.split(u',', Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        for (const PaperForm &form : forms) {
            if (form.key.compare(part, Qt::CaseInsensitive) == 0)
                return form.number;
        }
        const QByteArray name = part.toUtf8();
        pwg_media_t *pwg = pwgMediaForPWG(name.constData());
        if (!pwg)
            pwg = pwgMediaForLegacy(name.constData());
        if (!pwg)
            pwg = pwgMediaForPPD(name.constData());
        if (!pwg)
            continue;
        for (const PaperForm &form : forms) {
            if (std::abs(form.sizeMm.width() * 100 - pwg->width) <= 50
                && std::abs(form.sizeMm.height() * 100 - pwg->length) <= 50)
                return form.number;
        }
    }
    return 0;
}

std::unique_ptr<Printer> openQueue(const QString &queueName)
{
    const QByteArray name = queueName.toUtf8();
    // The named destination carries the user's own defaults (lpoptions).
    cups_dest_t *dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.constData(), nullptr);
    if (!dest)
        return nullptr;
    cups_dinfo_t *info = cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest);
    const int resolution = queueResolution(dest, info);
    std::optional<PpdMedia> media = queuePpdMedia(queueName);
    if (!media)
        media = spoolerMedia(dest, info);
    if (!media)
        media = fallbackMedia();
    const QList<PaperForm> forms = numberPaperForms(media->media);

    int paper = 0;
    for (const char *option : {"media", "PageSize"}) {
        if (const char *value = cupsGetOption(option, dest->num_options, dest->options); value && paper == 0)
            paper = formForMedia(forms, QString::fromUtf8(value));
    }
    if (paper == 0)
        paper = formForMedia(forms, media->defaultKey);
    if (info)
        cupsFreeDestInfo(info);
    cupsFreeDests(1, dest);
    return std::make_unique<CupsPrinter>(queueName, resolution, forms, paper);
}

} // namespace

CupsPrinterSystem::CupsPrinterSystem(const Clock &clock, QString pdfFolder)
    : m_clock(&clock)
    , m_pdfFolder(std::move(pdfFolder))
    , m_pdfDefaultPaper(std::make_shared<int>(PdfPrinter::defaultPaperNumber()))
{
    installFontSubstitutions();
}

QStringList CupsPrinterSystem::printerNames() const
{
    QStringList names;
    cups_dest_t *dests = nullptr;
    const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    for (int i = 0; i < count; ++i) {
        // Instances are option sets of a queue, not printers of their own.
        if (!dests[i].instance)
            names.append(QString::fromUtf8(dests[i].name));
    }
    cupsFreeDests(count, dests);
    names.append(pdfPrinterName());
    return names;
}

std::unique_ptr<Printer> CupsPrinterSystem::open(const QString &deviceName)
{
    if (deviceName == pdfPrinterName())
        return std::make_unique<PdfPrinter>(*m_clock, m_pdfFolder, m_pdfDefaultPaper);
    // Queue names are matched exactly, as the caller found them listed.
    if (!printerNames().contains(deviceName))
        return nullptr;
    return openQueue(deviceName);
}

} // namespace platform
