#pragma once

#include <QDateTime>
#include <QString>
#include <QStringView>

#include <array>

namespace screens {

// The five boxes of the base date and time, in the order they are filled.
enum class DatePart { Year, Month, Day, Hour, Minute };
inline constexpr std::array<DatePart, 5> kDateParts{DatePart::Year, DatePart::Month, DatePart::Day, DatePart::Hour,
                                                    DatePart::Minute};

// The part of `now` a box shows when the screen opens.
int currentValue(DatePart part, const QDateTime &now);

// What a base date box keeps when it is left: its own text, or the current
// year, month, day, hour or minute when its value is outside 1990-2300,
// 1-12, 1-31, 0-23 or 0-59.
QString correctedDatePart(DatePart part, const QString &text, const QDateTime &now);

// What the add-days box keeps when it is left: "0" for a value below 0 or
// above 9999, else its own text.
QString correctedAddDays(const QString &text);

} // namespace screens
