#pragma once

#include "store/fileresult.h"
#include "store/filelock.h"

#include <QList>
#include <QString>

#include <chrono>

namespace store {

// One backup as the list shows it. `fileName` is the name it was found under
// in the data folder ("old.BAK"), so that deleting or restoring it touches
// that very file and never a near namesake.
struct BackupEntry
{
    QString name;     // what the user sees: the file name without its last four characters
    QString fileName; // the real name in the data folder

    friend bool operator==(const BackupEntry &, const BackupEntry &) = default;
};

// The named copies of the product file kept next to it in the data folder,
// each "<name>.bak" in the product file's own format. Every operation returns
// the message to show: the success text when it worked, otherwise what went
// wrong, and it never reports success for a file that was not written.
// Creating and removing a backup holds its lock ("<name>.bak.lock"),
// restoring holds the product file's; a change that cannot get its lock
// within `lockWait` writes nothing.
class BackupStore
{
public:
    // `dataFolder` holds the product file and ends in "/".
    explicit BackupStore(QString dataFolder, std::chrono::milliseconds lockWait = kLockWait);

    // Every name in the data folder ending in "bak", in any case, whatever it
    // is (folders and hidden files too), in the order the folder gives them.
    QList<BackupEntry> list() const;

    // Copies the product file line by line to "<name>.bak", replacing an
    // older backup of that name. The name is cleaned first (cleanBackupName).
    FileResult create(QStringView name) const;

    FileResult remove(const BackupEntry &entry) const;

    // Replaces the product file by the backup's lines. A backup that cannot
    // be read leaves the product file as it is.
    FileResult restore(const BackupEntry &entry) const;

private:
    QString m_dataFolder;
    std::chrono::milliseconds m_lockWait = kLockWait;
};

} // namespace store
