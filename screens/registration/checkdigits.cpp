#include "screens/registration/checkdigits.h"

namespace screens {
namespace {

int digitAt(QStringView digits, qsizetype place)
{
    return digits.at(place - 1).unicode() - u'0';
}

int toNextTen(int sum)
{
    return (10 - sum % 10) % 10;
}

bool allDigits(QStringView text)
{
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

app::ConfirmationRequest notice(const QString &line1, const QString &line2)
{
    return app::ConfirmationRequest::acknowledgement(line1, line2, {}, QStringLiteral("了解"));
}

} // namespace

int ean13CheckDigit(QStringView twelveDigits)
{
    int even = 0;
    int odd = 0;
    for (qsizetype place = 1; place <= 12; ++place)
        (place % 2 == 0 ? even : odd) += digitAt(twelveDigits, place);
    return toNextTen(3 * even + odd);
}

int ean8CheckDigit(QStringView sevenDigits)
{
    int odd = 0;
    int even = 0;
    for (qsizetype place = 1; place <= 7; ++place)
        (place % 2 == 1 ? odd : even) += digitAt(sevenDigits, place);
    return toNextTen(3 * odd + even);
}

BarcodeCheck checkBarcode(const QString &barcode)
{
    if (!allDigits(barcode))
        return {barcode, std::nullopt};
    const QString computed = QStringLiteral("ディジットを自動計算しました");
    if (barcode.size() == 12)
        return {barcode + QString::number(ean13CheckDigit(barcode)), notice(QStringLiteral("バーコードの13桁目のチェック"), computed)};
    if (barcode.size() == 7)
        return {barcode + QString::number(ean8CheckDigit(barcode)), notice(QStringLiteral("バーコードの 8桁目のチェック"), computed)};
    if (barcode.size() == 13) {
        const int check = ean13CheckDigit(QStringView(barcode).left(12));
        if (digitAt(barcode, 13) != check)
            return {barcode, notice(QStringLiteral("13桁目のﾁｪｯｸﾃﾞｨｼﾞｯﾄが異常です"),
                                    QStringLiteral("この場合「%1」かと思われます").arg(check))};
    }
    return {barcode, std::nullopt};
}

} // namespace screens
