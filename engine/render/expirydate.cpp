#include "engine/render/expirydate.h"

#include "engine/render/datetext.h"
#include "platform/messagesink.h"
#include "store/numericvalue.h"

#include <cfenv>
#include <cmath>

namespace engine {
namespace {

bool inYearRange(const QDateTime &date)
{
    return date.isValid() && date.date().year() >= 1 && date.date().year() <= 9999;
}

QString plainNumber(double value)
{
    // The decimal text of a value, without sign or blank: 7, 1.5, 2024.
    return QString::number(std::fabs(value), 'g', 15);
}

// An integer field value, or -1 when the field holds no whole number.
int wholeNumber(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? value : -1;
}

} // namespace

QDateTime computeExpiryDate(const QDateTime &baseDate, QStringView expiryAddDays)
{
    const double value = store::numericValue(expiryAddDays);
    const double days = std::floor(value);
    // Beyond some ten thousand years in either direction nothing fits the calendar.
    if (!std::isfinite(days) || std::fabs(days) > 4000000.0)
        return baseDate;
    QDateTime result = baseDate.addDays(static_cast<qint64>(days));
    const double fraction = value - days;
    if (fraction > 0) {
        const int savedMode = std::fegetround();
        std::fesetround(FE_TONEAREST);
        const double hours = std::nearbyint(fraction * 24.0);
        std::fesetround(savedMode);
        result = result.addSecs(static_cast<qint64>(hours) * 3600);
    }
    return inYearRange(result) ? result : baseDate;
}

ExpiryDateText expiryDateText(const QDateTime &expiryDate, QStringView expiryFormat)
{
    if (expiryFormat.size() >= 3 && expiryFormat.startsWith(u"<b>"))
        return {toWide(formatDatePattern(expiryDate, expiryFormat.sliced(3))), true};
    return {formatDatePattern(expiryDate, expiryFormat), false};
}

void reportInvalidBaseDate(platform::MessageSink &messages)
{
    messages.titledInformation(QString::fromUtf16(kInvalidDateTitle), QString::fromUtf16(kInvalidDateMessage));
}

bool expiryHidden(QStringView expiryTitle)
{
    return expiryTitle == u"表示しない" || expiryTitle == u"表示しない:";
}

QDateTime baseDateFromFields(const QString &year, const QString &month, const QString &day,
                             const QString &hour, const QString &minute)
{
    const QDate date(wholeNumber(year), wholeNumber(month), wholeNumber(day));
    const QTime time(wholeNumber(hour), wholeNumber(minute), 0);
    if (!date.isValid() || !time.isValid() || date.year() > 9999)
        return {};
    return QDateTime(date, time);
}

ExpiryScreenResult expiryScreenText(const ExpiryScreenInput &input)
{
    ExpiryScreenResult result;
    const auto normalise = [](const QString &text, double low, double high, const QString &fallback) {
        const double value = store::numericValue(text);
        return (value < low || value > high) ? fallback : plainNumber(value);
    };
    result.year = normalise(input.year, 1990, 1e300, QStringLiteral("1990"));
    result.month = normalise(input.month, 1, 12, QStringLiteral("1"));
    result.day = normalise(input.day, 1, 31, QStringLiteral("1"));
    result.hour = normalise(input.hour, 0, 23, QStringLiteral("1"));
    result.minute = normalise(input.minute, 0, 59, QStringLiteral("1"));

    if (input.displayMethod == kDisplayByAddedDays) {
        const QDateTime base = baseDateFromFields(result.year, result.month, result.day, result.hour, result.minute);
        if (!base.isValid()) {
            result.invalidDate = true;
            return result;
        }
        if (expiryHidden(input.expiryTitle)) {
            result.text = QStringLiteral("表示しない");
            return result;
        }
        const QDateTime expiry = computeExpiryDate(base, input.addDays);
        result.text = input.expiryTitle + expiryDateText(expiry, input.expiryFormat).text;
    } else if (input.displayMethod == kDisplayAltText) {
        result.text = input.expiryTitle + input.expiryAltText;
    } else {
        result.text = input.expiryTitle + input.displayMethod;
    }
    return result;
}

} // namespace engine
