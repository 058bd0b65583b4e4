#include "store/filelock.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QLockFile>
#include <QRandomGenerator>
#include <QThread>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace store {
namespace {

// A writer fills in its lock file (who holds it) a moment after making it.
// One killed in that moment leaves an empty file, whose owner the lock
// cannot look up; it would stand in every writer's way for half a minute.
// An empty lock file that nobody holds open and that is older than this is
// such a remnant.
constexpr std::chrono::milliseconds kRemnantAge{1000};

std::chrono::milliseconds ageOf(const struct stat &info)
{
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    const auto since = std::chrono::seconds(now.tv_sec - info.st_mtim.tv_sec)
                     + std::chrono::nanoseconds(now.tv_nsec - info.st_mtim.tv_nsec);
    // A shared folder's clock may run ahead of ours.
    return std::chrono::abs(std::chrono::duration_cast<std::chrono::milliseconds>(since));
}

// Removes the lock file at `path` when it is a remnant. The file is removed
// only while this process holds it, and only if the name still leads to it,
// so a lock that another writer has just made is never touched.
bool removeRemnant(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    bool removed = false;
    struct stat opened{};
    struct stat named{};
    // A living owner keeps its lock file locked.
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &opened) == 0 && opened.st_size == 0
        && ageOf(opened) > kRemnantAge && ::stat(name.constData(), &named) == 0 && named.st_dev == opened.st_dev
        && named.st_ino == opened.st_ino)
        removed = ::unlink(name.constData()) == 0;
    ::close(fd);
    return removed;
}

} // namespace

FileLock::FileLock(const QString &lockPath, std::chrono::milliseconds wait)
    : m_lock(std::make_unique<QLockFile>(lockPath))
{
    const QDeadlineTimer deadline(wait);
    int pause = 1;
    for (;;) {
        errno = 0;
        if (m_lock->tryLock(0))
            return;
        if (m_lock->error() != QLockFile::LockFailedError) {
            // The lock file could not be made: the same reason would stop the save.
            m_error = errno != 0 ? errno : EIO;
            return;
        }
        if (removeRemnant(lockPath) || removeRemnant(lockPath + QStringLiteral(".rmlock")))
            continue;
        const qint64 left = deadline.remainingTime();
        if (left == 0) {
            m_busy = true;
            return;
        }
        // A writer holds the lock for milliseconds. Short pauses of uneven
        // length keep waiters that woke together from meeting again.
        const qint64 nap = 1 + QRandomGenerator::global()->bounded(pause);
        QThread::msleep(static_cast<unsigned long>(std::min(left, nap)));
        pause = std::min(pause * 2, 50);
    }
}

FileLock::~FileLock() = default;

bool FileLock::held() const
{
    return m_lock->isLocked();
}

QString FileLock::refusal(QStringView failed, QStringView fileWords) const
{
    if (held())
        return {};
    if (m_busy)
        return busyMessage(fileWords);
    return failed.toString() + u'\r' + QString::fromLocal8Bit(std::strerror(m_error));
}

QString busyMessage(QStringView fileWords)
{
    return QStringLiteral("他の処理が%1を更新中です。しばらくしてから、もう一度お試し下さい").arg(fileWords);
}

} // namespace store
