#include "screens/issuing/changemarks.h"

#include "engine/render/labeljob.h"
#include "store/numericvalue.h"

namespace screens {

QString storedValue(EditableBox box, const store::ProductRecord &product)
{
    switch (box) {
    case EditableBox::ProductName:
        return product.productName;
    case EditableBox::CategoryName:
        return product.categoryName;
    case EditableBox::NetContent:
        return product.netContent + product.netContentUnit;
    case EditableBox::AddDays:
        return product.expiryAddDays;
    }
    return {};
}

bool differsFromStored(EditableBox box, QStringView text, const std::optional<store::ProductRecord> &product)
{
    return product && text != storedValue(box, *product);
}

bool differsFromNow(DatePart part, QStringView text, const QDateTime &now)
{
    return store::numericValue(text) != currentValue(part, now);
}

QColor markColour(bool changed)
{
    return changed ? QColor(255, 0, 0) : QColor(0, 0, 0);
}

BoxColours labelSizeColours(QStringView labelSize)
{
    if (labelSize == engine::kSmallLabel)
        return {QColor(51, 51, 0), QColor(255, 255, 136)};
    return {QColor(0, 0, 153), QColor(192, 192, 255)};
}

} // namespace screens
