#include "platform/sysfsdrivefinder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace platform {
namespace {

// /proc/mounts writes blanks, tabs, newlines and backslashes as octal escapes.
QString unescapeMountField(const QByteArray &field)
{
    QByteArray out;
    out.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            bool ok = false;
            const int code = field.mid(i + 1, 3).toInt(&ok, 8);
            if (ok) {
                out.append(static_cast<char>(code));
                i += 3;
                continue;
            }
        }
        out.append(field[i]);
    }
    return QFile::decodeName(out);
}

QString readFirstLine(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(file.readLine().trimmed());
}

} // namespace

SysfsDriveFinder::SysfsDriveFinder(QString mountTable, QString sysBlock)
    : m_mountTable(std::move(mountTable)), m_sysBlock(std::move(sysBlock))
{
}

bool SysfsDriveFinder::isRemovable(const QString &deviceName) const
{
    // A partition's sysfs folder sits inside its disk's folder; the flag
    // belongs to the disk.
    const QString entry = m_sysBlock + u'/' + deviceName;
    if (!QFileInfo::exists(entry))
        return false;
    QString disk = QFileInfo(entry).canonicalFilePath();
    if (disk.isEmpty())
        disk = entry;
    if (QFileInfo::exists(disk + QStringLiteral("/partition")))
        disk = QFileInfo(disk).path();
    return readFirstLine(disk + QStringLiteral("/removable")) == QLatin1String("1");
}

QString SysfsDriveFinder::usbRoot() const
{
    QFile table(m_mountTable);
    if (!table.open(QIODevice::ReadOnly))
        return {};
    const QList<QByteArray> lines = table.readAll().split('\n');
    for (const QByteArray &line : lines) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() < 2 || !fields[0].startsWith("/dev/"))
            continue;
        QString device = QFileInfo(unescapeMountField(fields[0])).fileName();
        // /dev/disk/by-* links and mapper names resolve to the kernel's name.
        const QString target = QFileInfo(unescapeMountField(fields[0])).canonicalFilePath();
        if (!target.isEmpty())
            device = QFileInfo(target).fileName();
        if (!isRemovable(device))
            continue;
        QString root = unescapeMountField(fields[1]);
        if (!root.endsWith(u'/'))
            root += u'/';
        return root;
    }
    return {};
}

} // namespace platform
