#include "store/textfile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace store {
namespace {

QString systemError(int err)
{
    return QString::fromLocal8Bit(std::strerror(err));
}

bool writeAll(int fd, const char *data, qsizetype size, int &err)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, static_cast<size_t>(size));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            err = errno;
            return false;
        }
        if (n == 0) {
            err = ENOSPC;
            return false;
        }
        data += n;
        size -= n;
    }
    return true;
}

// The rename is only durable once the folder itself is flushed.
void syncFolder(const QString &filePath)
{
    const QByteArray dir = QFile::encodeName(QFileInfo(filePath).absolutePath());
    const int fd = ::open(dir.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

FileContent readWholeFile(const QString &path)
{
    FileContent result;
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR) {
            result.status = ReadStatus::Missing;
        } else {
            result.status = ReadStatus::Unreadable;
            result.error = systemError(errno);
        }
        return result;
    }
    // One allocation of the final size: growing a large buffer step by step
    // costs more than the read itself.
    struct stat info{};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0)
        result.bytes.reserve(static_cast<qsizetype>(info.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            result.status = ReadStatus::Unreadable;
            result.error = systemError(errno);
            result.bytes.clear();
            ::close(fd);
            return result;
        }
        if (n == 0)
            break;
        result.bytes.append(buffer, n);
    }
    ::close(fd);
    result.status = ReadStatus::Ok;
    return result;
}

WriteOutcome replaceFileContent(const QString &target, const QString &workPath, QByteArrayView content)
{
    const QByteArray workName = QFile::encodeName(workPath);
    const QByteArray targetName = QFile::encodeName(target);
    const auto fail = [&](int err) {
        ::unlink(workName.constData());
        return WriteOutcome{false, systemError(err)};
    };

    const int fd = ::open(workName.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return fail(errno);
    int err = 0;
    if (!writeAll(fd, content.data(), content.size(), err)) {
        ::close(fd);
        return fail(err);
    }
    if (::fsync(fd) != 0) {
        err = errno;
        ::close(fd);
        return fail(err);
    }
    if (::close(fd) != 0)
        return fail(errno);
    if (::rename(workName.constData(), targetName.constData()) != 0)
        return fail(errno);
    syncFolder(target);
    return {};
}

QList<QByteArray> splitLines(QByteArrayView content)
{
    QList<QByteArray> lines;
    qsizetype start = 0;
    const qsizetype size = content.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char c = content[i];
        if (c != '\r' && c != '\n')
            continue;
        lines.append(content.sliced(start, i - start).toByteArray());
        if (c == '\r' && i + 1 < size && content[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < size)
        lines.append(content.sliced(start).toByteArray());
    return lines;
}

QByteArrayView skipLeadingBlanks(QByteArrayView text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    return text.sliced(i);
}

QList<QByteArray> readItems(QByteArrayView content)
{
    QList<QByteArray> items;
    for (const QByteArray &line : splitLines(content)) {
        qsizetype start = 0;
        for (;;) {
            const qsizetype comma = line.indexOf(',', start);
            const qsizetype end = comma < 0 ? line.size() : comma;
            items.append(skipLeadingBlanks(QByteArrayView(line).sliced(start, end - start)).toByteArray());
            if (comma < 0)
                break;
            start = comma + 1;
        }
    }
    return items;
}

} // namespace store
