#include "platform/sysfsdrivefinder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace platform {
namespace {

bool isOctalDigit(char c)
{
    return c >= '0' && c <= '7';
}

// /proc/mounts writes blanks, tabs, newlines and backslashes as "\ooo".
QString unescapeMountField(const QByteArray &field)
{
    QByteArray out;
    out.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && isOctalDigit(field[i + 1]) && isOctalDigit(field[i + 2])
            && isOctalDigit(field[i + 3])) {
            out.append(static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0')));
            i += 3;
            continue;
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

// SCSI peripheral type 5: a CD or DVD drive.
constexpr QLatin1StringView kOpticalDriveType("5");

} // namespace

SysfsDriveFinder::SysfsDriveFinder(QString mountTable, QString sysBlock, QString devFolder)
    : m_mountTable(std::move(mountTable)), m_sysBlock(std::move(sysBlock)), m_devFolder(std::move(devFolder))
{
}

// /dev/disk/by-* links and mapper names resolve to the kernel's name ("sdb1").
QString SysfsDriveFinder::kernelDeviceName(const QString &devicePath) const
{
    const QString path = m_devFolder + devicePath.mid(QStringLiteral("/dev").size());
    const QString target = QFileInfo(path).canonicalFilePath();
    return QFileInfo(target.isEmpty() ? path : target).fileName();
}

bool SysfsDriveFinder::isRemovable(const QString &deviceName) const
{
    if (deviceName.isEmpty())
        return false;
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
    if (readFirstLine(disk + QStringLiteral("/device/type")) == kOpticalDriveType)
        return false;
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
        if (!isRemovable(kernelDeviceName(unescapeMountField(fields[0]))))
            continue;
        QString root = unescapeMountField(fields[1]);
        if (!root.endsWith(u'/'))
            root += u'/';
        return root;
    }
    return {};
}

} // namespace platform
