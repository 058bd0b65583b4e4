#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace store {

enum class ReadStatus { Ok, Missing, Unreadable };

struct FileContent
{
    ReadStatus status = ReadStatus::Missing;
    QByteArray bytes;
    QString error; // the system's reason when Unreadable
};

// A file that exists but cannot be read is Unreadable, never Missing: callers
// create default files only for Missing ones.
FileContent readWholeFile(const QString &path);

struct WriteOutcome
{
    bool ok = true;
    QString error; // the system's reason on failure
};

// Replaces `target` by `content`: writes it all to `workPath`, checking every
// write, flushes it to the disk and only then renames it over the target. On
// any failure the target is left as it was and the work file is removed.
WriteOutcome replaceFileContent(const QString &target, const QString &workPath, QByteArrayView content);

// The lines of a data file, without their line ends (CR LF, LF or a lone CR).
// A last line without a line end is a line; an end after the last line ends
// nothing more.
QList<QByteArray> splitLines(QByteArrayView content);

// The items of a data file: an item ends at a comma or a line end, and its
// leading blanks are skipped.
QList<QByteArray> readItems(QByteArrayView content);

QByteArrayView skipLeadingBlanks(QByteArrayView text);

inline constexpr char kLineEnd[] = "\r\n";

} // namespace store
