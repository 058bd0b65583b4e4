#pragma once

#include "app/confirmation.h"

#include <QString>

#include <optional>

namespace screens {

// The JAN check digit of twelve digits (EAN-13, and the in-store codes):
// three times the digits at even places plus those at odd places, and what
// that lacks to the next ten.
int ean13CheckDigit(QStringView twelveDigits);

// The check digit of seven digits (EAN-8): three times the digits at odd
// places plus those at even places.
int ean8CheckDigit(QStringView sevenDigits);

// What the barcode box does when it is left: 12 digits get their 13th, 7 get
// their 8th, and a 13th digit that is not the check digit is pointed out (the
// code stays as typed). `notice` is the confirmation window to show.
struct BarcodeCheck
{
    QString barcode;
    std::optional<app::ConfirmationRequest> notice;
};
BarcodeCheck checkBarcode(const QString &barcode);

} // namespace screens
