// The command line's products as JSON, any bytes: `products save` and
// `render --record`. A product read is written back as JSON by `products
// show` and reads again as the same product.
#include "fuzz/fuzzsupport.h"

#include "tools/recordjson.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace fuzzsupport;
    const QByteArray json = bytesOf(data, size).toByteArray();
    QString error;
    const std::optional<store::ProductRecord> saved = cli::saveRecordFromJson(json, &error);
    check(saved.has_value() || !error.isEmpty(), "a refused product says why");
    if (saved) {
        QString again;
        const auto back = cli::saveRecordFromJson(cli::recordJson(*saved).toUtf8(), &again);
        check(back.has_value() && *back == *saved, "a product shown as JSON reads back the same");
    }
    error.clear();
    const std::optional<store::ProductRecord> rendered = cli::renderRecordFromJson(json, QStringLiteral("r.json"), &error);
    check(rendered.has_value() || !error.isEmpty(), "a refused product says why");
    if (rendered) {
        const auto back = cli::renderRecordFromJson(cli::recordJson(*rendered).toUtf8(), QStringLiteral("r.json"), &error);
        check(back.has_value() && *back == *rendered, "a product shown as JSON reads back the same");
    }
    return 0;
}
