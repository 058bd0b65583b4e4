// Product files of the older version: any bytes that begin like one are
// converted, line by line and as a whole, and the result is a file of the
// current version, as the registration screen converts it on opening.
#include "fuzz/fuzzsupport.h"

#include "store/datalocation.h"
#include "store/productconversion.h"
#include "store/productfile.h"
#include "store/recordline.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace fuzzsupport;
    const QByteArrayView content = bytesOf(data, size);
    for (const QByteArrayView line : store::lineViews(content))
        store::convertOldLine(line);
    const bool old = store::isOldVersionContent(content);
    const QByteArray converted = store::convertOldVersionContent(content);
    if (old)
        check(!store::isOldVersionContent(converted), "a converted file is of the current version");

    putFile(QStringLiteral("商品情報.tsv"), content);
    const store::ProductFile file(store::productFilePaths(folder()));
    bool told = false;
    const store::ProductFileEnsureResult ensured = file.ensureProductFile([&](const QString &) { told = true; });
    check(ensured.ok, "a readable file is made ready");
    check(told == old && ensured.converted == old, "only an old file is converted, after the notice");
    if (old)
        check(store::readWholeFile(file.paths().product).bytes == converted, "the file holds the conversion");
    check(!file.ensureProductFile().converted, "a converted file is converted once");
    return 0;
}
