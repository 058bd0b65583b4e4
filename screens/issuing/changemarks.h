#pragma once

#include "screens/issuing/rangecorrection.h"
#include "store/productrecord.h"

#include <QColor>
#include <QDateTime>
#include <QStringView>

#include <optional>

namespace screens {

// The boxes whose values may be changed for one issue only.
enum class EditableBox { ProductName, CategoryName, NetContent, AddDays };

// What the product file holds for a box: the net content box shows the
// content followed by its unit.
QString storedValue(EditableBox box, const store::ProductRecord &product);

// A box is red while it differs from what it would show untouched: an
// editable box from the shown product's stored value (with no product shown
// there is nothing to differ from), a base date box from the current date
// and time, by value.
bool differsFromStored(EditableBox box, QStringView text, const std::optional<store::ProductRecord> &product);
bool differsFromNow(DatePart part, QStringView text, const QDateTime &now);

// Red for a changed value, black otherwise.
QColor markColour(bool changed);

// The label size box: "28×38" dark on yellow, every other size dark blue on
// light blue.
struct BoxColours
{
    QColor text;
    QColor base;
};
BoxColours labelSizeColours(QStringView labelSize);

} // namespace screens
