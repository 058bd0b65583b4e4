#include "store/textfile.h"
#include "tests/support/filesizelimit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using store::ReadStatus;

class TestTextFile : public QObject
{
    Q_OBJECT

private slots:
    void items_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QList<QByteArray>>("items");
        using L = QList<QByteArray>;
        QTest::newRow("comma and line end") << QByteArray("a,b\r\nc\r\n") << L{"a", "b", "c"};
        QTest::newRow("leading blanks skipped") << QByteArray("  a,  b") << L{"a", "b"};
        QTest::newRow("empty cells kept") << QByteArray("t,,,\r\n") << L{"t", "", "", ""};
        QTest::newRow("bare LF and CR end lines") << QByteArray("a\nb\rc") << L{"a", "b", "c"};
        QTest::newRow("empty line is an empty item") << QByteArray("a\r\n\r\nb\r\n") << L{"a", "", "b"};
        QTest::newRow("nothing") << QByteArray() << L{};
    }
    void items()
    {
        QFETCH(QByteArray, content);
        QFETCH(QList<QByteArray>, items);
        QCOMPARE(store::readItems(content), items);
    }

    void missingIsNotUnreadable()
    {
        QTemporaryDir dir;
        QCOMPARE(store::readWholeFile(dir.filePath(QStringLiteral("none"))).status, ReadStatus::Missing);
        // A folder where a file should be exists but cannot be read as one.
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("user.dat")));
        const auto folder = store::readWholeFile(dir.filePath(QStringLiteral("user.dat")));
        QCOMPARE(folder.status, ReadStatus::Unreadable);
        QVERIFY(!folder.error.isEmpty());
    }

    void replaceWritesAndRenames()
    {
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("商品情報.tsv"));
        const QString work = dir.filePath(QStringLiteral("商品情報.tmp"));
        QVERIFY(store::replaceFileContent(target, work, "old\r\n").ok);
        QVERIFY(store::replaceFileContent(target, work, "new\r\n").ok);
        QCOMPARE(store::readWholeFile(target).bytes, QByteArray("new\r\n"));
        QVERIFY(!QFile::exists(work));
    }

    // A full drive in the middle of a save must leave the old file as it was.
    void failedWriteKeepsTheOldFile()
    {
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("target"));
        const QString work = dir.filePath(QStringLiteral("target.tmp"));
        const QByteArray old(1000, 'o');
        QVERIFY(store::replaceFileContent(target, work, old).ok);

        store::WriteOutcome outcome;
        {
            testsupport::FileSizeLimit limit(4096);
            outcome = store::replaceFileContent(target, work, QByteArray(10000, 'n'));
        }
        QVERIFY(!outcome.ok);
        QVERIFY(!outcome.error.isEmpty());
        QCOMPARE(store::readWholeFile(target).bytes, old);
        QVERIFY(!QFile::exists(work));
    }

    void unwritableFolderFails()
    {
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("missing-folder/target"));
        const auto outcome = store::replaceFileContent(target, target + QStringLiteral(".tmp"), "x");
        QVERIFY(!outcome.ok);
        QVERIFY(!QFile::exists(target));
    }
};

QTEST_APPLESS_MAIN(TestTextFile)
#include "tst_textfile.moc"
