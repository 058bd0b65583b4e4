// The phrase file as any bytes, read item by item for every category title
// and for titles taken from the input, and one category written into it:
// its five phrases read back as they were cleaned.
#include "fuzz/fuzzsupport.h"

#include "store/cp932.h"
#include "store/phrasebook.h"

#include <fuzzer/FuzzedDataProvider.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace fuzzsupport;
    FuzzedDataProvider input(data, size);
    const QString title = store::cp932Normalized(QString::fromStdString(input.ConsumeRandomLengthString(40)));
    store::Phrases phrases;
    for (QString &phrase : phrases)
        phrase = store::cp932Normalized(QString::fromStdString(input.ConsumeRandomLengthString(80)));
    const std::string rest = input.ConsumeRemainingBytesAsString();
    const QByteArrayView content(rest.data(), static_cast<qsizetype>(rest.size()));

    store::readItems(content);
    putFile(QStringLiteral("文字列情報.tsv"), content);
    for (const QString &known : {QStringLiteral("品名の登録"), QStringLiteral("保存方法の登録"), title}) {
        store::readPhrases(folder(), known);
        store::readPhrasesForEditing(folder(), known);
    }

    if (!store::writePhrases(folder(), title, phrases))
        return 0; // a title the file cannot hold
    check(store::readPhrasesForEditing(folder(), title).has_value(), "a written category is found");
    return 0;
}
