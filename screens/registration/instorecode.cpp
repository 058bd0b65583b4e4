#include "screens/registration/instorecode.h"

#include "screens/registration/checkdigits.h"
#include "store/cp932.h"
#include "store/numericvalue.h"

#include <cmath>

namespace screens {
namespace {

// 2 x p, and a two-digit result brought back to one digit: 0 2 4 6 8 9 1 3 5 7.
int weightTwoMinus(int p)
{
    int q = 2 * p;
    if (q > 9)
        q -= q / 10;
    if (q > 9)
        q %= 10;
    return q;
}

// 5 x p, brought back the same way: 0 5 9 4 8 3 7 2 6 1.
int weightFiveMinus(int p)
{
    int q = 5 * p;
    if (q > 9)
        q -= q / 10;
    if (q > 9)
        q %= 10;
    return q;
}

int digit(QStringView digits, qsizetype index)
{
    return digits.at(index).unicode() - u'0';
}

} // namespace

int priceCheckDigit(QStringView fourPriceDigits)
{
    const int sum = weightTwoMinus(digit(fourPriceDigits, 0)) + weightTwoMinus(digit(fourPriceDigits, 1))
                    + (3 * digit(fourPriceDigits, 2)) % 10 + weightFiveMinus(digit(fourPriceDigits, 3));
    return (3 * sum) % 10;
}

QString instoreCode(QStringView header, QStringView item, QStringView price)
{
    const QString twelve = header.toString() + item.toString() + QString::number(priceCheckDigit(price)) + price.toString();
    return twelve + QString::number(ean13CheckDigit(twelve));
}

InstoreField instoreField(const QString &typed, int width)
{
    const int bytes = store::cp932Width(typed);
    if (bytes > width) {
        // Cut to the first W characters; the cut box is then looked at again,
        // so W digits end in blue. Full-width characters may still be over.
        const QString cut = typed.left(width);
        if (cut != typed)
            return instoreField(cut, width);
        return {typed, QColor(255, 0, 0), QStringLiteral("(%1/%1桁) ").arg(width)};
    }
    const QColor colour = bytes == width ? QColor(0, 0, 255) : QColor(Qt::black);
    return {typed, colour, QStringLiteral("(%1/%2桁) ").arg(bytes).arg(width)};
}

QString paddedInstoreField(const QString &text, int width)
{
    const double value = std::trunc(std::fabs(store::numericValue(text)));
    QString digits = QString::number(value, 'f', 0);
    if (digits.size() < width)
        digits = QString(width - digits.size(), u'0') + digits;
    return digits.right(width);
}

} // namespace screens
