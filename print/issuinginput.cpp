#include "print/issuinginput.h"

#include "engine/render/expirydate.h"

namespace print {

QDateTime IssuingInput::baseDate() const
{
    return engine::baseDateFromFields(year, month, day, hour, minute);
}

void IssuingInput::setBaseDate(const QDateTime &when)
{
    year = QString::number(when.date().year());
    month = QString::number(when.date().month());
    day = QString::number(when.date().day());
    hour = QString::number(when.time().hour());
    minute = QString::number(when.time().minute());
}

IssuingInput showProduct(IssuingInput input, const std::optional<store::ProductRecord> &product)
{
    input.product = product;
    input.productName = product ? product->productName : QString();
    input.categoryName = product ? product->categoryName : QString();
    input.netContent = product ? product->netContent + product->netContentUnit : QString();
    input.addDays = product ? product->expiryAddDays : QString();
    return input;
}

} // namespace print
