// The product file as a reader meets it: any bytes at all. Its lines and
// their first characters, every record split into cells and read as a
// product, the list and the lookups, and one save into the file. A product
// read from the file and stored again must read back the same.
#include "fuzz/fuzzsupport.h"

#include "store/cp932.h"
#include "store/datalocation.h"
#include "store/productfile.h"
#include "store/productrecord.h"
#include "store/recordline.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace fuzzsupport;
    const QByteArrayView content = bytesOf(data, size);

    std::optional<store::ProductRecord> first;
    for (const QByteArrayView line : store::lineViews(content)) {
        check(store::leadingChars(line, 4).size() <= line.size(), "leadingChars stays inside the line");
        check(store::cp932Length(line) <= line.size(), "cp932Length counts at most one character a byte");
        store::lineNumber(line);
        const QString text = store::fromCp932(line);
        const QStringList cells = store::splitRecord(text);
        check(!cells.isEmpty() && cells.size() <= 31, "splitRecord keeps 1 to 31 cells");
        const std::optional<store::ProductRecord> record = store::ProductRecord::fromRecordText(text);
        if (!record)
            continue;
        store::RuledLineMask::fromText(record->ruledLines).any();
        // Stored once, a product reads back the same however often it is stored again.
        const auto stored = [](const store::ProductRecord &r) {
            return store::ProductRecord::fromRecordText(store::fromCp932(store::toCp932(r.recordText())));
        };
        const std::optional<store::ProductRecord> once = stored(*record);
        check(once.has_value(), "a stored product is a record");
        const std::optional<store::ProductRecord> twice = stored(*once);
        check(twice.has_value() && *twice == *once, "a stored product reads back the same");
        if (!first && store::isRegistrationNumber(once->number))
            first = once;
    }

    putFile(QStringLiteral("商品情報.tsv"), content);
    const store::ProductFile file(store::productFilePaths(folder()));
    const store::EntryList list = file.listEntries();
    check(list.ok, "a readable file lists");
    const QString next = store::nextFreeNumber(list.entries);
    check(store::isRegistrationNumber(next), "the next number is a registration number");
    for (const QString &entry : list.entries)
        file.findRecord(QStringView(entry).left(4));
    if (first) {
        const store::SaveResult saved = file.saveRecord(*first);
        check(saved.ok, "a save into a readable file works");
        const store::RecordLookup found = file.findRecord(first->number);
        check(found.ok && found.recordText.has_value(), "a saved product is found");
        file.deleteRecord(first->number);
    }
    return 0;
}
