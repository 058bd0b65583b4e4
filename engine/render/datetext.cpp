#include "engine/render/datetext.h"

#include <array>

namespace engine {
namespace {

struct EraStart
{
    int year, month, day;
    const char16_t *name;
};

// The day each era began, newest first. Meiji is counted from the day the
// Japanese calendars of the platform count it.
constexpr std::array<EraStart, 5> kEras{{
    {2019, 5, 1, u"令和"},
    {1989, 1, 8, u"平成"},
    {1926, 12, 25, u"昭和"},
    {1912, 7, 30, u"大正"},
    {1868, 9, 8, u"明治"},
}};

const char16_t *const kWeekdays[] = {u"月", u"火", u"水", u"木", u"金", u"土", u"日"};

QString twoDigits(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

// "火" for run 3, "火曜日" for run 4; nothing for other runs, nor for a
// date that names no day.
QString weekdayName(const QDate &date, qsizetype run)
{
    const int weekday = date.dayOfWeek();
    if (weekday < 1 || weekday > 7)
        return {};
    const QString name = QString::fromUtf16(kWeekdays[weekday - 1]);
    if (run == 3)
        return name;
    if (run == 4)
        return name + QStringLiteral("曜日");
    return {};
}

// A number written plainly for run 1, with two digits for run 2.
QString oneOrTwoDigits(int value, qsizetype run)
{
    return run == 2 ? twoDigits(value) : QString::number(value);
}

QChar lower(QChar c)
{
    return (c >= u'A' && c <= u'Z') ? QChar(c.unicode() + 32) : c;
}

} // namespace

JapaneseEra japaneseEra(const QDate &date)
{
    for (const EraStart &era : kEras) {
        if (date >= QDate(era.year, era.month, era.day))
            return {QString::fromUtf16(era.name), date.year() - era.year + 1};
    }
    // Before Meiji there is no era to name: the western year stands.
    return {QStringLiteral("西暦"), date.year()};
}

QString formatDatePattern(const QDateTime &dateTime, QStringView pattern)
{
    if (pattern.isEmpty()) {
        const bool midnight = dateTime.time() == QTime(0, 0);
        return formatDatePattern(dateTime, midnight ? u"yyyy/MM/dd" : u"yyyy/MM/dd H:mm:ss");
    }
    const QDate date = dateTime.date();
    const QTime time = dateTime.time();
    QString out;
    // "mm" means minutes right after an hour element, a colon allowed between.
    bool afterHour = false;
    qsizetype i = 0;
    while (i < pattern.size()) {
        const QChar c = lower(pattern[i]);
        qsizetype run = 1;
        while (i + run < pattern.size() && lower(pattern[i + run]) == c)
            ++run;
        const QStringView original = pattern.sliced(i, run);
        i += run;

        QString element;
        bool known = true;
        bool isHour = false;
        switch (c.unicode()) {
        case u'y':
            if (run == 4)
                element = QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0'));
            else if (run == 2)
                element = twoDigits(date.year() % 100);
            else
                known = false;
            break;
        case u'm':
            known = run <= 2;
            if (known)
                element = oneOrTwoDigits(afterHour ? time.minute() : date.month(), run);
            break;
        case u'd':
            if (run <= 2)
                element = oneOrTwoDigits(date.day(), run);
            else if (run <= 4)
                element = weekdayName(date, run);
            else
                known = false;
            break;
        case u'a':
            known = run == 3 || run == 4;
            element = weekdayName(date, run);
            break;
        case u'h':
            known = run <= 2;
            isHour = known;
            if (known)
                element = oneOrTwoDigits(time.hour(), run);
            break;
        case u'n':
            known = run <= 2;
            if (known)
                element = oneOrTwoDigits(time.minute(), run);
            break;
        case u's':
            known = run <= 2;
            if (known)
                element = oneOrTwoDigits(time.second(), run);
            break;
        case u'g':
            if (run == 3)
                element = japaneseEra(date).name;
            else
                known = false;
            break;
        case u'e':
            if (run == 1)
                element = QString::number(japaneseEra(date).year);
            else
                known = false;
            break;
        default:
            known = false;
        }

        if (known) {
            out += element;
            afterHour = isHour;
        } else {
            out += original;
            if (!(afterHour && original == u":"))
                afterHour = false;
        }
    }
    return out;
}

QString toWide(QStringView text)
{
    // Half-width katakana U+FF61..U+FF9F in order, as full-width characters.
    static const QString katakana = QStringLiteral(
        "。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノ"
        "ハヒフヘホマミムメモヤユヨラリルレロワン゛゜");
    static const QString voiceable = QStringLiteral("カキクケコサシスセソタチツテトハヒフヘホウ");
    static const QString semiVoiceable = QStringLiteral("ハヒフヘホ");

    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c >= u'!' && c <= u'~') {
            out += QChar(char16_t(c - u'!' + 0xFF01));
        } else if (c == u' ') {
            out += QChar(0x3000);
        } else if (c == 0x00A5) {
            out += QChar(0xFFE5);
        } else if (c >= 0xFF61 && c <= 0xFF9F) {
            QChar wide = katakana.at(c - 0xFF61);
            const char16_t next = i + 1 < text.size() ? text[i + 1].unicode() : 0;
            if (next == 0xFF9E && voiceable.contains(wide)) {
                wide = wide == u'ウ' ? QChar(u'ヴ') : QChar(char16_t(wide.unicode() + 1));
                ++i;
            } else if (next == 0xFF9F && semiVoiceable.contains(wide)) {
                wide = QChar(char16_t(wide.unicode() + 2));
                ++i;
            }
            out += wide;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace engine
