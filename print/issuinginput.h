#pragma once

#include "store/productrecord.h"

#include <QDateTime>
#include <QString>

#include <optional>

namespace print {

// What the issuing screen holds when one of its buttons is pressed.
struct IssuingInput
{
    QString number;
    // The editable boxes; the net content box shows the content and its unit.
    QString productName;
    QString categoryName;
    QString netContent;
    QString addDays;
    QString displayMethod;
    QString copies;
    QString year, month, day, hour, minute;
    // The product the last lookup found; empty when it found none.
    std::optional<store::ProductRecord> product;

    // The base date the five date boxes name; invalid when they name none.
    QDateTime baseDate() const;
    // The five date boxes set to `when`, to the minute.
    void setBaseDate(const QDateTime &when);
};

// `input` with the product's values in its boxes, as the lookup shows them;
// with no product the boxes are emptied.
IssuingInput showProduct(IssuingInput input, const std::optional<store::ProductRecord> &product);

} // namespace print
