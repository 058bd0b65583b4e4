#pragma once

#include <QString>
#include <QStringView>

#include <chrono>
#include <memory>

class QLockFile;

namespace store {

// How long a change of a stored file waits for another writer (a script, a
// second workstation on a shared folder) before it is refused.
inline constexpr std::chrono::milliseconds kLockWait{10000};

// The right to change one stored file, taken before the file is read and
// held until its new content has been renamed into place: two writers never
// build on the same old content or share its work file. The lock is a file
// beside the stored one ("商品情報.lock"), so it holds on a local disk, a USB
// memory and a shared folder alike; a lock left by a program that died is
// taken over. Readers take no lock: the rename always gives them a whole file.
class FileLock
{
public:
    explicit FileLock(const QString &lockPath, std::chrono::milliseconds wait = kLockWait);
    ~FileLock();
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;

    bool held() const;

    // What the user is told when the lock is not held: that another writer
    // is at work on `fileWords` ("商品情報"), or, when the lock file cannot
    // be made (a write-protected or full drive), `failed`, a CR and the
    // system's reason.
    QString refusal(QStringView failed, QStringView fileWords) const;

private:
    std::unique_ptr<QLockFile> m_lock;
    bool m_busy = false;
    int m_error = 0;
};

// "他の処理が商品情報を更新中です。しばらくしてから、もう一度お試し下さい"
QString busyMessage(QStringView fileWords);

} // namespace store
