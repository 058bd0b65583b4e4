#include "platform/ppdmedia.h"

#include <QFile>

// The PPD calls are deprecated, but only the PPD gives the driver's exact
// media with their own keys and in the driver's order; Qt uses them too.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#include <cups/cups.h>
#include <cups/ppd.h>

namespace platform {
namespace {

constexpr double kMmPerPoint = 25.4 / 72.0;

QString choiceName(const ppd_choice_t &choice)
{
    // libcups hands the PPD's texts over as UTF-8; a text it could not
    // convert is replaced by the key.
    const QString text = QString::fromUtf8(choice.text);
    if (text.trimmed().isEmpty() || text.contains(QChar::ReplacementCharacter))
        return QString::fromUtf8(choice.choice);
    return text;
}

} // namespace

std::optional<PpdMedia> readPpdMedia(const QString &ppdPath)
{
    ppd_file_t *ppd = ppdOpenFile(QFile::encodeName(ppdPath).constData());
    if (!ppd)
        return std::nullopt;
    PpdMedia result;
    if (ppd_option_t *pageSize = ppdFindOption(ppd, "PageSize")) {
        result.defaultKey = QString::fromUtf8(pageSize->defchoice);
        for (int i = 0; i < pageSize->num_choices; ++i) {
            const ppd_choice_t &choice = pageSize->choices[i];
            const ppd_size_t *size = ppdPageSize(ppd, choice.choice);
            // "Custom" stands for the driver's free sizes, not a medium.
            if (!size || qstrcmp(choice.choice, "Custom") == 0 || size->width <= 0 || size->length <= 0)
                continue;
            PaperForm form;
            form.key = QString::fromUtf8(choice.choice);
            form.name = choiceName(choice);
            form.sizeMm = QSizeF(size->width * kMmPerPoint, size->length * kMmPerPoint);
            result.media.append(form);
        }
    }
    ppdClose(ppd);
    if (result.media.isEmpty())
        return std::nullopt;
    return result;
}

std::optional<PpdMedia> queuePpdMedia(const QString &queueName)
{
    // libcups hands over a temporary file (a copy, or a link to the local
    // spooler's PPD) that belongs to the caller and is removed here.
    const char *file = cupsGetPPD2(CUPS_HTTP_DEFAULT, queueName.toUtf8().constData());
    if (!file)
        return std::nullopt;
    const QString path = QFile::decodeName(file);
    std::optional<PpdMedia> media = readPpdMedia(path);
    QFile::remove(path);
    return media;
}

} // namespace platform

#pragma GCC diagnostic pop
