#pragma once

#include <QDateTime>
#include <QString>

namespace engine {

// Writes a date with a label's date pattern ("YYYY年MM月DD日", "GGGE年M月D日",
// "YY/M/D hh:mm", ...). Letters are read without regard to case and a run of
// one letter is one element; anything the pattern language does not know is
// copied as it stands. An empty pattern gives the general form
// "yyyy/MM/dd H:mm:ss", without the time at midnight.
QString formatDatePattern(const QDateTime &date, QStringView pattern);

// The Japanese era of a date and the year within it (1 in the era's first year).
struct JapaneseEra
{
    QString name;
    int year = 0;
};
JapaneseEra japaneseEra(const QDate &date);

// Half-width characters turned into their full-width forms: printable ASCII,
// the blank, the yen sign and half-width katakana (with their voicing marks
// joined, so "ｶﾞ" becomes "ガ").
QString toWide(QStringView text);

} // namespace engine
