#pragma once

#include "platform/printer.h"

#include <QList>
#include <QString>

#include <optional>

namespace platform {

// The media a printer driver describes in its PPD file: the PageSize choices
// in the file's order, each with its key, its name and its exact size, and
// the driver's default choice. Forms are not numbered yet.
struct PpdMedia
{
    QList<PaperForm> media;
    QString defaultKey;
};

// Reads a PPD file; nothing when it cannot be read or offers no page size.
std::optional<PpdMedia> readPpdMedia(const QString &ppdPath);

// The PPD of a CUPS queue, fetched from the spooler (which gives the queue's
// own copy, with its server-wide default medium); nothing when the queue has
// no PPD or it cannot be fetched.
std::optional<PpdMedia> queuePpdMedia(const QString &queueName);

} // namespace platform
