#include "screens/issuing/rangecorrection.h"

#include "store/numericvalue.h"

namespace screens {
namespace {

struct Range
{
    double low = 0;
    double high = 0;
};

Range rangeOf(DatePart part)
{
    switch (part) {
    case DatePart::Year:
        return {1990, 2300};
    case DatePart::Month:
        return {1, 12};
    case DatePart::Day:
        return {1, 31};
    case DatePart::Hour:
        return {0, 23};
    case DatePart::Minute:
        return {0, 59};
    }
    return {};
}

} // namespace

int currentValue(DatePart part, const QDateTime &now)
{
    switch (part) {
    case DatePart::Year:
        return now.date().year();
    case DatePart::Month:
        return now.date().month();
    case DatePart::Day:
        return now.date().day();
    case DatePart::Hour:
        return now.time().hour();
    case DatePart::Minute:
        return now.time().minute();
    }
    return 0;
}

QString correctedDatePart(DatePart part, const QString &text, const QDateTime &now)
{
    const double value = store::numericValue(text);
    const Range range = rangeOf(part);
    if (value < range.low || value > range.high)
        return QString::number(currentValue(part, now));
    return text;
}

QString correctedAddDays(const QString &text)
{
    const double value = store::numericValue(text);
    return (value < 0 || value > 9999) ? QStringLiteral("0") : text;
}

} // namespace screens
