#pragma once

// What the fuzz targets share: a folder in memory for the readers that take
// a file, and the raw input as Qt's byte and text types.

#include "store/textfile.h"

#include <QByteArray>
#include <QDir>
#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace fuzzsupport {

inline QByteArrayView bytesOf(const uint8_t *data, size_t size)
{
    return QByteArrayView(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
}

// A folder of this process in memory, where there is one: a file written
// there costs no disk, and the store's flushes cost nothing.
inline QString folder()
{
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
                                 ? QStringLiteral("/dev/shm/sakurabe-fuzz-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/sakurabe-fuzz-XXXXXX"));
    if (!dir.isValid())
        std::abort();
    return dir.path();
}

inline QString pathOf(const QString &name)
{
    return folder() + u'/' + name;
}

inline void putFile(const QString &name, QByteArrayView content)
{
    const QString path = pathOf(name);
    if (!store::replaceFileContent(path, path + QStringLiteral(".w"), content).ok)
        std::abort();
}

inline void removeFile(const QString &name)
{
    QFile::remove(pathOf(name));
}

// A property of the code under test does not hold: a finding like a crash.
[[noreturn]] inline void fail(const char *what)
{
    std::fprintf(stderr, "property failed: %s\n", what);
    std::abort();
}

inline void check(bool holds, const char *what)
{
    if (!holds)
        fail(what);
}

} // namespace fuzzsupport
