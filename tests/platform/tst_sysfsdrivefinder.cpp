#include "platform/sysfsdrivefinder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// A made-up machine in a temporary folder: the kernel's block devices as
// sysfs shows them (class links into the device tree, partitions inside their
// disk's folder), a /dev with a by-uuid link, and a mount table.
class TestSysfsDriveFinder : public QObject
{
    Q_OBJECT

    QTemporaryDir m_root;

    QString path(const QString &relative) const { return m_root.filePath(relative); }

    void writeFile(const QString &relative, const QByteArray &content)
    {
        QDir().mkpath(QFileInfo(path(relative)).path());
        QFile file(path(relative));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    void link(const QString &target, const QString &relative)
    {
        QDir().mkpath(QFileInfo(path(relative)).path());
        QVERIFY(QFile::link(target, path(relative)));
    }

    // A disk as the kernel shows it, with its partitions, and the links in
    // /sys/class/block and /dev that name them.
    void addDisk(const QString &name, const QString &busPath, bool removable, const QStringList &partitions,
                 const QByteArray &scsiType = "0")
    {
        const QString disk = QStringLiteral("sys/devices/%1/block/%2").arg(busPath, name);
        writeFile(disk + QStringLiteral("/removable"), removable ? "1\n" : "0\n");
        writeFile(disk + QStringLiteral("/device/type"), scsiType + '\n');
        link(QStringLiteral("../../devices/%1/block/%2").arg(busPath, name), QStringLiteral("sys/class/block/") + name);
        writeFile(QStringLiteral("dev/") + name, {});
        for (const QString &partition : partitions) {
            writeFile(disk + u'/' + partition + QStringLiteral("/partition"), "1\n");
            link(QStringLiteral("../../devices/%1/block/%2/%3").arg(busPath, name, partition),
                 QStringLiteral("sys/class/block/") + partition);
            writeFile(QStringLiteral("dev/") + partition, {});
        }
    }

    QString usbRoot(const QByteArray &mounts)
    {
        writeFile(QStringLiteral("mounts"), mounts);
        return platform::SysfsDriveFinder(path(QStringLiteral("mounts")), path(QStringLiteral("sys/class/block")),
                                          path(QStringLiteral("dev")))
            .usbRoot();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_root.isValid());
        addDisk(QStringLiteral("sda"), QStringLiteral("pci0000:00/0000:00:17.0/ata1/host0/target0:0:0/0:0:0:0"),
                false, {QStringLiteral("sda1"), QStringLiteral("sda2")});
        addDisk(QStringLiteral("sdb"), QStringLiteral("pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.0/host6/target6:0:0/6:0:0:0"),
                true, {QStringLiteral("sdb1")});
        addDisk(QStringLiteral("sdc"), QStringLiteral("pci0000:00/0000:00:14.0/usb1/1-3/1-3:1.0/host7/target7:0:0/7:0:0:0"),
                true, {});
        addDisk(QStringLiteral("sr0"), QStringLiteral("pci0000:00/0000:00:17.0/ata2/host1/target1:0:0/1:0:0:0"), true,
                {}, "5");
        link(QStringLiteral("../../sdb1"), QStringLiteral("dev/disk/by-uuid/1234-ABCD"));
    }

    void usbRoot_data()
    {
        QTest::addColumn<QByteArray>("mounts");
        QTest::addColumn<QString>("root");

        const QByteArray system = "sysfs /sys sysfs rw,nosuid 0 0\n"
                                  "/dev/sda2 / ext4 rw,relatime 0 0\n"
                                  "/dev/sda1 /boot/efi vfat rw 0 0\n";
        QTest::newRow("no removable disk mounted") << system << QString();
        QTest::newRow("partition of a removable disk")
            << system + "/dev/sdb1 /media/usb vfat rw 0 0\n" << QStringLiteral("/media/usb/");
        QTest::newRow("escaped blank in the mount point")
            << system + "/dev/sdb1 /media/user/USB\\040STICK vfat rw 0 0\n" << QStringLiteral("/media/user/USB STICK/");
        QTest::newRow("escaped backslash and tab")
            << system + "/dev/sdb1 /media/a\\134b\\011c vfat rw 0 0\n" << QStringLiteral("/media/a\\b\tc/");
        QTest::newRow("backslash not followed by octal digits stays")
            << system + "/dev/sdb1 /media/a\\9zz vfat rw 0 0\n" << QStringLiteral("/media/a\\9zz/");
        QTest::newRow("Japanese mount point") << system + "/dev/sdb1 /media/ラベル vfat rw 0 0\n"
                                              << QStringLiteral("/media/ラベル/");
        QTest::newRow("the first removable mount wins")
            << system + "/dev/sdc /mnt/second vfat rw 0 0\n/dev/sdb1 /mnt/third vfat rw 0 0\n"
            << QStringLiteral("/mnt/second/");
        QTest::newRow("whole disk without partitions") << system + "/dev/sdc /mnt/stick vfat rw 0 0\n"
                                                       << QStringLiteral("/mnt/stick/");
        QTest::newRow("device named by a by-uuid link")
            << system + "/dev/disk/by-uuid/1234-ABCD /media/uuid vfat rw 0 0\n" << QStringLiteral("/media/uuid/");
        QTest::newRow("optical drive is no memory stick")
            << system + "/dev/sr0 /media/cdrom iso9660 ro 0 0\n" << QString();
        QTest::newRow("optical drive skipped, stick after it found")
            << system + "/dev/sr0 /media/cdrom iso9660 ro 0 0\n/dev/sdb1 /media/usb vfat rw 0 0\n"
            << QStringLiteral("/media/usb/");
        QTest::newRow("unknown device") << QByteArray("/dev/nvme9n1p1 /data ext4 rw 0 0\n") << QString();
        QTest::newRow("root mount keeps a single slash") << QByteArray("/dev/sdb1 / vfat rw 0 0\n")
                                                         << QStringLiteral("/");
        QTest::newRow("tabs and blank lines") << QByteArray("\n\n/dev/sdb1\t/media/t  vfat rw 0 0\n")
                                              << QStringLiteral("/media/t/");
        QTest::newRow("empty table") << QByteArray() << QString();
    }
    void usbRoot()
    {
        QFETCH(QByteArray, mounts);
        QFETCH(QString, root);
        QCOMPARE(usbRoot(mounts), root);
    }

    void missingMountTableMeansNoDrive()
    {
        const platform::SysfsDriveFinder finder(path(QStringLiteral("no-such-mounts")),
                                                path(QStringLiteral("sys/class/block")), path(QStringLiteral("dev")));
        QCOMPARE(finder.usbRoot(), QString());
    }
};

QTEST_APPLESS_MAIN(TestSysfsDriveFinder)
#include "tst_sysfsdrivefinder.moc"
