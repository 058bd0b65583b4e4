// Date patterns as the product's expiry format and the "<d>" fields give
// them: any text, with any date, valid or not, of any year; the expiry date
// from any add-days text; the full-width forms of any text.
#include "fuzz/fuzzsupport.h"

#include "engine/render/datetext.h"
#include "engine/render/expirydate.h"

#include <fuzzer/FuzzedDataProvider.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    QDateTime date;
    switch (input.ConsumeIntegralInRange(0, 3)) {
    case 0:
        break; // no date at all
    case 1:
        date = QDateTime::fromMSecsSinceEpoch(input.ConsumeIntegral<qint64>());
        break;
    case 2:
        date = QDateTime(QDate(input.ConsumeIntegralInRange(-10000, 10000), input.ConsumeIntegralInRange(0, 13),
                               input.ConsumeIntegralInRange(0, 32)),
                         QTime(input.ConsumeIntegralInRange(0, 24), input.ConsumeIntegralInRange(0, 60)));
        break;
    default:
        date = QDateTime(QDate(2026, 3, 5), QTime(9, 7));
        break;
    }
    const QString addDays = QString::fromUtf8(input.ConsumeRandomLengthString(24));
    const QString pattern = QString::fromUtf8(input.ConsumeRemainingBytesAsString());

    engine::formatDatePattern(date, pattern);
    engine::japaneseEra(date.date());
    engine::toWide(pattern);
    const QDateTime expiry = engine::computeExpiryDate(date, addDays);
    engine::expiryDateText(expiry, pattern);
    return 0;
}
