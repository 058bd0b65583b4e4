#pragma once

#include "engine/render/labeljob.h"
#include "print/issuinginput.h"
#include "store/productrecord.h"

#include <QDateTime>
#include <QString>

namespace print {

// Who asks for a label, which decides a few of its slots.
enum class JobKind {
    IssuingPrint,        // the issuing screen's print and issue list: copies from the box
    IssuingPreview,      // the issuing screen's preview: one label, no copies
    RegistrationPreview, // the registration screen's preview: the form's fields as typed
};

// What the issuing screen adds to a product: how the expiry date shows, and
// the copies box's text as typed.
struct IssueChoices
{
    QString displayMethod;
    QString copies;
};

// The job for a product, from one table of the product's fields and their
// slots. The issuing screen shows the net content and its unit in one box,
// so its jobs carry them together in the content slot; the registration
// preview keeps them apart and always adds days to the base date.
engine::LabelJob fillLabelJob(const store::ProductRecord &product, JobKind kind, const QDateTime &baseDate,
                              const IssueChoices &choices = {});

// The issuing screen's job: the shown product with what its boxes say now
// (number, name, category, net content and add-days may have been edited).
// With no product shown, only the boxes are filled.
engine::LabelJob issuingLabelJob(const IssuingInput &input, JobKind kind);

} // namespace print
