// Code page 932 both ways: any bytes decoded, and any text (the input read
// as UTF-16) encoded. Storing text a second time changes nothing more, and
// the width of stored text is its length in bytes.
#include "fuzz/fuzzsupport.h"

#include "store/cp932.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace fuzzsupport;
    const QByteArrayView bytes = bytesOf(data, size);
    const QString decoded = store::fromCp932(bytes);
    check(decoded.size() <= bytes.size(), "every byte gives at most one character");
    const QByteArray encoded = store::toCp932(decoded);
    check(store::fromCp932(encoded) == decoded, "decoded text stores as it reads");

    const QString text = QString::fromUtf16(reinterpret_cast<const char16_t *>(data), static_cast<qsizetype>(size / 2));
    const QString stored = store::cp932Normalized(text);
    check(store::cp932Normalized(stored) == stored, "normalised text stays as it is");
    check(store::cp932Width(stored) == store::toCp932(stored).size(), "the width of stored text is its byte length");
    store::cp932Width(text);
    return 0;
}
