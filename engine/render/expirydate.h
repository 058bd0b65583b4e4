#pragma once

#include <QDateTime>
#include <QString>

namespace platform {
class MessageSink;
}

namespace engine {

inline constexpr char16_t kDisplayByAddedDays[] = u"加算日計算での日付表示";
inline constexpr char16_t kDisplayAltText[] = u"別途記載での日付表示";

// The base date plus the add-days value: whole days as calendar days, a
// fraction as hours (rounded half to even). A result outside the years 1 to
// 9999 adds nothing.
QDateTime computeExpiryDate(const QDateTime &baseDate, QStringView expiryAddDays);

// The date text of an expiry line for an already computed date. A pattern
// that starts with "<b>" (lower-case b only) writes the date in full-width
// characters and asks for a bold line.
struct ExpiryDateText
{
    QString text;
    bool bold = false;
};
ExpiryDateText expiryDateText(const QDateTime &expiryDate, QStringView expiryFormat);

// True when the expiry title switches the whole expiry block off.
bool expiryHidden(QStringView expiryTitle);

// What the issuing screen shows beside a product. The five base date fields
// come back normalised the way the screen writes them into its boxes.
struct ExpiryScreenInput
{
    QString year, month, day, hour, minute;
    QString displayMethod;
    QString addDays;
    QString expiryTitle;
    QString expiryFormat;
    QString expiryAltText;
};
struct ExpiryScreenResult
{
    QString year, month, day, hour, minute; // normalised
    QString text;
    bool invalidDate = false; // the caller shows "存在しない日付を指定されました"
};
ExpiryScreenResult expiryScreenText(const ExpiryScreenInput &input);

// The box the issuing screen shows for a base date that names no day.
inline constexpr char16_t kInvalidDateMessage[] = u"存在しない日付を指定されました";
inline constexpr char16_t kInvalidDateTitle[] = u"エラー(異常)";
void reportInvalidBaseDate(platform::MessageSink &messages);

// The base date the five normalised fields name, or an invalid QDateTime
// when they name no calendar date and time (30 February, a fraction).
QDateTime baseDateFromFields(const QString &year, const QString &month, const QString &day,
                             const QString &hour, const QString &minute);

} // namespace engine
