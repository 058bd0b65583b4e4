#pragma once

#include "engine/render/labeljob.h"

#include <QDateTime>
#include <QString>

namespace store {
struct ProductRecord;
}

namespace engine {

// The job the issuing screen hands the composer for a product shown as
// stored: the net content box holds the content and its unit together, the
// unit slot stays empty. `copies` is the copies box's text as typed. The
// job is for the printer; a preview sets toPrinter false itself.
LabelJob issuingLabelJob(const store::ProductRecord &record, const QString &method, const QString &copies,
                         const QDateTime &baseDate);

// The job of the registration screen's preview: every field as in the form,
// the add-days method, no copies, never for the printer.
LabelJob registrationLabelJob(const store::ProductRecord &record, const QDateTime &baseDate);

} // namespace engine
