#include "store/backupname.h"
#include "store/backupstore.h"
#include "store/textfile.h"
#include "tests/support/filesizelimit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using store::BackupEntry;
using store::BackupStore;

namespace {

const QString kProduct = QStringLiteral("商品情報.tsv");
const QString kProductWork = QStringLiteral("商品情報.tmp");

// Product file lines as the registration screen writes them, in code page 932.
const QByteArray kProducts = "1.08\t\x95\x69\x96\xbc\r\n"
                             "0001\t\x95\x69\x96\xbc:\x82\xa8\x82\xc9\x82\xac\x82\xe8\r\n"
                             "0002\t\x95\x69\x96\xbc:\x82\xb3\x82\xad\x82\xe7\r\n";

} // namespace

class TestBackups : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;

    QString folder() const { return m_dir->path() + u'/'; }
    QString path(const QString &name) const { return folder() + name; }
    QByteArray contentOf(const QString &name) const { return store::readWholeFile(path(name)).bytes; }

    void write(const QString &name, const QByteArray &content) const
    {
        QVERIFY(store::replaceFileContent(path(name), path(name + QStringLiteral(".w")), content).ok);
    }

    BackupEntry entryOf(const QString &fileName) const
    {
        const auto entries = BackupStore(folder()).list();
        for (const BackupEntry &entry : entries) {
            if (entry.fileName == fileName)
                return entry;
        }
        return {};
    }

    QStringList fileNames() const
    {
        QStringList names = QDir(folder()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        names.sort();
        return names;
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    void defaultName_data()
    {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QString>("name");
        QTest::newRow("leading zeros") << QDateTime(QDate(2024, 3, 5), QTime(9, 7, 5))
                                       << QStringLiteral("2024年03月05日09時07分05秒に作成の商品情報");
        QTest::newRow("24-hour clock") << QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59))
                                       << QStringLiteral("2026年12月31日23時59分59秒に作成の商品情報");
    }
    void defaultName()
    {
        QFETCH(QDateTime, now);
        QFETCH(QString, name);
        QCOMPARE(store::defaultBackupName(now), name);
        QCOMPARE(store::cleanBackupName(name), name);
    }

    void cleanName_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("cleaned");
        QTest::newRow("date and time") << QStringLiteral("2024/03/05 9:00") << QStringLiteral("2024／03／05 9：00");
        QTest::newRow("file-name characters") << QStringLiteral("a\\b*c?d<e>f|g") << QStringLiteral("a￥b＊c？d＜e＞f｜g");
        QTest::newRow("control characters removed") << QStringLiteral("\ta\r\nb\x1f") << QStringLiteral("ab");
        QTest::newRow("double quote") << QStringLiteral("\"春\"") << QStringLiteral("＂春＂");
        QTest::newRow("half-width comma turned") << QStringLiteral("a,b") << QStringLiteral("a，b");
        QTest::newRow("full-width comma stays") << QStringLiteral("a，b") << QStringLiteral("a，b");
        QTest::newRow("blanks and Japanese stay") << QStringLiteral(" 夏 の 商品 ") << QStringLiteral(" 夏 の 商品 ");
        QTest::newRow("only control characters") << QStringLiteral("\r\n\t") << QString();
    }
    void cleanName()
    {
        QFETCH(QString, typed);
        QFETCH(QString, cleaned);
        QCOMPARE(store::cleanBackupName(typed), cleaned);
        QCOMPARE(store::cleanBackupName(cleaned), cleaned);
    }

    void listShowsEveryNameEndingInBak()
    {
        write(QStringLiteral("old.BAK"), "x");
        write(QStringLiteral("notes.txt"), "x");
        write(QStringLiteral(".hidden.bak"), "x");
        write(QStringLiteral("春.Bak"), "x");
        write(kProduct, kProducts);
        QVERIFY(QDir(folder()).mkdir(QStringLiteral("folder.bak")));
        QVERIFY(QDir(folder()).mkdir(QStringLiteral("other")));

        auto entries = BackupStore(folder()).list();
        std::sort(entries.begin(), entries.end(), [](const auto &a, const auto &b) { return a.fileName < b.fileName; });
        const QList<BackupEntry> expected{{QStringLiteral(".hidden"), QStringLiteral(".hidden.bak")},
                                          {QStringLiteral("folder"), QStringLiteral("folder.bak")},
                                          {QStringLiteral("old"), QStringLiteral("old.BAK")},
                                          {QStringLiteral("春"), QStringLiteral("春.Bak")}};
        QCOMPARE(entries, expected);
    }

    void listOfMissingFolderIsEmpty()
    {
        QVERIFY(BackupStore(folder() + QStringLiteral("gone/")).list().isEmpty());
    }

    // The product file's lines, each closed by CR LF, whole: blanks and a
    // comma someone typed into the file stay in the same line.
    void createCopiesLineByLine()
    {
        write(kProduct, "1.08\tx\n0001\t a,b\r  0002\tc");
        const auto result = BackupStore(folder()).create(QStringLiteral("2024/03/05 9:00"));
        QVERIFY(result.ok);
        QCOMPARE(result.message, QStringLiteral("バックアップデータを作成しました"));
        QCOMPARE(contentOf(QStringLiteral("2024／03／05 9：00.bak")), QByteArray("1.08\tx\r\n0001\t a,b\r\n  0002\tc\r\n"));
        QCOMPARE(fileNames(), (QStringList{QStringLiteral("2024／03／05 9：00.bak"), kProduct}));
    }

    void createTwiceKeepsTheSecond()
    {
        const BackupStore backups(folder());
        write(kProduct, "first\r\n");
        QVERIFY(backups.create(QStringLiteral("週末")).ok);
        write(kProduct, kProducts);
        QVERIFY(backups.create(QStringLiteral("週末")).ok);
        QCOMPARE(contentOf(QStringLiteral("週末.bak")), kProducts);
        QCOMPARE(backups.list().size(), 1);
    }

    void createRefusals_data()
    {
        QTest::addColumn<bool>("productIsFolder");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("messageStart");
        QTest::newRow("no product file") << false << QStringLiteral("a") << QStringLiteral("商品情報が見当たりません");
        QTest::newRow("product file unreadable")
            << true << QStringLiteral("a") << QStringLiteral("バックアップデータの作成に失敗しました\r");
        QTest::newRow("empty name") << false << QString() << QStringLiteral("バックアップ名を入力して下さい");
        QTest::newRow("name of control characters")
            << false << QStringLiteral("\r\n") << QStringLiteral("バックアップ名を入力して下さい");
    }
    void createRefusals()
    {
        QFETCH(bool, productIsFolder);
        QFETCH(QString, name);
        QFETCH(QString, messageStart);
        if (productIsFolder)
            QVERIFY(QDir(folder()).mkdir(kProduct));
        const QStringList before = fileNames();
        const auto result = BackupStore(folder()).create(name);
        QVERIFY(!result.ok);
        QVERIFY2(result.message.startsWith(messageStart), qPrintable(result.message));
        QCOMPARE(fileNames(), before);
    }

    void createOverAFolderFails()
    {
        write(kProduct, kProducts);
        QVERIFY(QDir(folder()).mkpath(QStringLiteral("a.bak/inside")));
        const auto result = BackupStore(folder()).create(QStringLiteral("a"));
        QVERIFY(!result.ok);
        QVERIFY(QFileInfo(path(QStringLiteral("a.bak/inside"))).isDir());
        QCOMPARE(fileNames(), (QStringList{QStringLiteral("a.bak"), kProduct}));
    }

    void restoreReplacesTheProductFile()
    {
        write(kProduct, "1.08\r\n0009\tgone\r\n");
        write(QStringLiteral("old.BAK"), kProducts);
        const auto result = BackupStore(folder()).restore(entryOf(QStringLiteral("old.BAK")));
        QVERIFY(result.ok);
        QCOMPARE(result.message, QStringLiteral("商品情報を復元しました"));
        QCOMPARE(contentOf(kProduct), kProducts);
        QVERIFY(!QFile::exists(path(kProductWork)));
    }

    // An entry acts on the very file it was listed from, not on a namesake
    // that differs only in case.
    void entriesKeepTheirOwnFile()
    {
        write(kProduct, "current\r\n");
        write(QStringLiteral("old.BAK"), "upper\r\n");
        write(QStringLiteral("old.bak"), "lower\r\n");
        const BackupStore backups(folder());
        QVERIFY(backups.restore(entryOf(QStringLiteral("old.BAK"))).ok);
        QCOMPARE(contentOf(kProduct), QByteArray("upper\r\n"));

        const auto removed = backups.remove(entryOf(QStringLiteral("old.BAK")));
        QVERIFY(removed.ok);
        QCOMPARE(removed.message, QStringLiteral("oldを削除しました"));
        QCOMPARE(fileNames(), (QStringList{QStringLiteral("old.bak"), kProduct}));
    }

    void restoreFromUnreadableBackupKeepsProducts_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("folder") << QStringLiteral("folder");
        QTest::newRow("pipe") << QStringLiteral("pipe");
        QTest::newRow("vanished since listed") << QStringLiteral("vanished");
        QTest::newRow("outside the data folder") << QStringLiteral("outside");
    }
    void restoreFromUnreadableBackupKeepsProducts()
    {
        QFETCH(QString, kind);
        write(kProduct, kProducts);
        BackupEntry entry{QStringLiteral("x"), QStringLiteral("x.bak")};
        if (kind == QLatin1String("folder"))
            QVERIFY(QDir(folder()).mkdir(entry.fileName));
        else if (kind == QLatin1String("pipe"))
            QCOMPARE(::mkfifo(QFile::encodeName(path(entry.fileName)).constData(), 0644), 0);
        else if (kind == QLatin1String("outside"))
            entry.fileName = QStringLiteral("../x.bak");

        const auto result = BackupStore(folder()).restore(entry);
        QVERIFY(!result.ok);
        QVERIFY2(result.message.startsWith(QStringLiteral("商品情報の復元に失敗しました\r")), qPrintable(result.message));
        QCOMPARE(contentOf(kProduct), kProducts);
        QVERIFY(!QFile::exists(path(kProductWork)));
    }

    void deleteFolderFailsAndKeepsIt()
    {
        QVERIFY(QDir(folder()).mkpath(QStringLiteral("keep.bak/inside")));
        const BackupStore backups(folder());
        const auto result = backups.remove(entryOf(QStringLiteral("keep.bak")));
        QVERIFY(!result.ok);
        QVERIFY2(result.message.startsWith(QStringLiteral("バックアップデータの削除に失敗しました\r")),
                 qPrintable(result.message));
        QVERIFY(QFileInfo(path(QStringLiteral("keep.bak/inside"))).isDir());
        QVERIFY(!backups.remove({QStringLiteral("gone"), QStringLiteral("gone.bak")}).ok);
    }

    // A full drive half-way through: the file that was there stays
    // byte-identical, the work file goes, and no success is reported.
    void fullDriveKeepsOldFiles_data()
    {
        QTest::addColumn<bool>("restoring");
        QTest::newRow("create") << false;
        QTest::newRow("restore") << true;
    }
    void fullDriveKeepsOldFiles()
    {
        QFETCH(bool, restoring);
        const QByteArray small = kProducts;
        QByteArray large;
        for (int i = 0; i < 400; ++i)
            large += QByteArray::number(1000 + i) + "\t" + QByteArray(40, 'p') + "\r\n";
        write(kProduct, restoring ? small : large);
        write(QStringLiteral("big.bak"), restoring ? large : small);

        const BackupStore backups(folder());
        store::FileResult result;
        {
            testsupport::FileSizeLimit limit(4096);
            result = restoring ? backups.restore(entryOf(QStringLiteral("big.bak")))
                               : backups.create(QStringLiteral("big"));
        }
        QVERIFY(!result.ok);
        QVERIFY2(result.message.startsWith(restoring ? QStringLiteral("商品情報の復元に失敗しました\r")
                                                     : QStringLiteral("バックアップデータの作成に失敗しました\r")),
                 qPrintable(result.message));
        QCOMPARE(contentOf(kProduct), restoring ? small : large);
        QCOMPARE(contentOf(QStringLiteral("big.bak")), restoring ? large : small);
        QCOMPARE(fileNames(), (QStringList{QStringLiteral("big.bak"), kProduct}));
    }
};

QTEST_APPLESS_MAIN(TestBackups)
#include "tst_backups.moc"
