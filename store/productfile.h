#pragma once

#include "store/datalocation.h"
#include "store/filelock.h"
#include "store/productrecord.h"

#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>
#include <optional>

namespace store {

// How a save changed the file: a new record appended at the end, a new record
// inserted before a higher number, or an existing record replaced.
enum class SaveState { New = 0, Inserted = 1, Overwritten = 2 };

// Every result carries `ok` and, on failure, the message the user sees
// ("商品情報の保存に失敗しました" + CR + the system's reason).
struct SaveResult
{
    bool ok = true;
    QString message;
    SaveState state = SaveState::New;

    bool isNew() const { return state != SaveState::Overwritten; }
};

struct ProductFileEnsureResult
{
    bool ok = true;
    QString message;
    bool created = false;   // the file was missing and now holds the header
    bool converted = false; // an old-version file was rewritten
};

struct EntryList
{
    bool ok = true;
    QString message;
    QStringList entries;
};

struct RecordLookup
{
    bool ok = true;
    QString message;
    std::optional<QString> recordText; // the line as stored, without line end
};

struct DeleteResult
{
    bool ok = true;
    QString message;
    int removed = 0; // lines taken out
};

// The product file "商品情報.tsv": the header line and one line per record,
// ordered by number. Every change holds the file's lock while it reads the
// file, builds the whole new one and puts it in place through the work file,
// so the file is always the old or the new complete version and no change is
// lost to another writer. A change that cannot get the lock within
// `lockWait` writes nothing. A file that exists but cannot be read is never
// written.
class ProductFile
{
public:
    explicit ProductFile(ProductFilePaths paths, std::chrono::milliseconds lockWait = kLockWait);

    const ProductFilePaths &paths() const { return m_paths; }

    // Creates a missing file with the header line only; converts a file of the
    // older version, first passing the notice to `beforeConversion` so that the
    // user reads it before the file changes.
    ProductFileEnsureResult ensureProductFile(const std::function<void(const QString &notice)> &beforeConversion = {}) const;

    // One entry per record in file order: the number, a colon and the product
    // name without its "品名:" caption, or the memo after "<m>".
    EntryList listEntries() const;

    // The first record line whose first four characters are `number`.
    RecordLookup findRecord(QStringView number) const;

    // Writes the record in number order, replacing the first line with the
    // same number. The number must be four digits, 0001 to 9999.
    SaveResult saveRecord(const ProductRecord &record) const;

    // Removes every record line whose first four characters are `number`.
    // Leaves the file untouched when there is none.
    DeleteResult deleteRecord(QStringView number) const;

private:
    ProductFilePaths m_paths;
    std::chrono::milliseconds m_lockWait = kLockWait;
};

// "0001" to "9999".
bool isRegistrationNumber(QStringView text);

// The number to propose for a new product: one more than the highest listed
// number; when 9999 is taken, the lowest free one; "9999" when all are taken.
QString nextFreeNumber(const QStringList &entries);

} // namespace store
