#pragma once

#include <QColor>
#include <QString>

namespace screens {

// The check digit of the four price digits of an in-store (NON-PLU) JAN
// code: the first two weighted 2-, the third 3, the fourth 5-, and three
// times their sum, last digit.
int priceCheckDigit(QStringView fourPriceDigits);

// The whole 13-digit in-store code: header (2), item (5), the price check
// digit, price (4) and the JAN check digit.
QString instoreCode(QStringView header, QStringView item, QStringView price);

// One entry box of the calculator after a change: what it keeps (cut to its
// width in code page 932 bytes, a full-width character counting two), its
// colour (black below the width, blue at it, red when it was over), and its
// counter "(n/W桁) ".
struct InstoreField
{
    QString text;
    QColor colour;
    QString counter;
};
InstoreField instoreField(const QString &typed, int width);

// The box when it is left: its numeric value, padded with zeros on the left
// and cut to its last `width` characters ("7" in the header is "07").
QString paddedInstoreField(const QString &text, int width);

} // namespace screens
