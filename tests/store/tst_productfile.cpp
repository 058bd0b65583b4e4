#include "store/cp932.h"
#include "store/productfile.h"
#include "store/textfile.h"
#include "tests/support/filesizelimit.h"
#include "tests/support/sampleproduct.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using store::ProductFile;
using store::ProductRecord;
using store::SaveState;

namespace {

QByteArray cp(const QString &text)
{
    return store::toCp932(text);
}

QByteArray headerLine()
{
    return cp(store::productFileHeader()) + "\r\n";
}

ProductRecord product(int number, const QString &name = QStringLiteral("品名:そば"))
{
    return testsupport::sampleProduct(QString::number(number).rightJustified(4, u'0'), name);
}

QByteArray line(int number, const QString &name = QStringLiteral("品名:そば"))
{
    return cp(product(number, name).recordText()) + "\r\n";
}

QByteArray fileOf(const QList<int> &numbers)
{
    QByteArray bytes = headerLine();
    for (const int n : numbers)
        bytes += line(n);
    return bytes;
}

// A product file in a fresh folder.
struct Fixture
{
    QTemporaryDir dir;
    store::ProductFilePaths paths = store::productFilePaths(dir.path());
    ProductFile file{paths};

    void write(const QByteArray &bytes) const
    {
        QFile f(paths.product);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(f.write(bytes), bytes.size());
    }
    QByteArray bytes() const { return store::readWholeFile(paths.product).bytes; }
    bool exists() const { return QFileInfo::exists(paths.product); }
    bool workLeft() const { return QFileInfo::exists(paths.work); }
    // A folder where the file should be: it exists but cannot be read.
    void makeUnreadable() const { QVERIFY(QDir().mkpath(paths.product)); }
};

// A file of the older version, as a fault-injection target.
QByteArray oldFile()
{
    return cp(QStringLiteral("0000\t品名\t名称\t\r\n0001\tざるそば\tそば\t小麦粉\t200\tｇ\t消費期限\t\r\n"));
}

} // namespace

class TestProductFile : public QObject
{
    Q_OBJECT

private slots:
    void ensureCreatesOnlyAMissingFile_data()
    {
        QTest::addColumn<bool>("present");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("missing") << false << QByteArray() << headerLine();
        QTest::newRow("empty counts as header only") << true << QByteArray() << QByteArray();
        QTest::newRow("records kept") << true << fileOf({1, 2}) << fileOf({1, 2});
    }
    void ensureCreatesOnlyAMissingFile()
    {
        QFETCH(bool, present);
        QFETCH(QByteArray, content);
        QFETCH(QByteArray, after);
        Fixture f;
        if (present)
            f.write(content);
        const auto result = f.file.ensureProductFile();
        QVERIFY(result.ok);
        QCOMPARE(result.created, !present);
        QVERIFY(!result.converted);
        QCOMPARE(f.bytes(), after);
        QVERIFY(!f.workLeft());
    }

    // A file that cannot be read is reported by every operation and never
    // replaced by a default or a rebuilt one.
    void unreadableFileIsNeverWritten()
    {
        Fixture f;
        f.makeUnreadable();
        const auto ensured = f.file.ensureProductFile();
        QVERIFY(!ensured.ok);
        QVERIFY(ensured.message.startsWith(QStringLiteral("商品情報ファイルの読み込みに失敗しました\r")));
        QVERIFY(!f.file.listEntries().ok);
        QVERIFY(!f.file.findRecord(u"0001").ok);
        const auto saved = f.file.saveRecord(product(1));
        QVERIFY(!saved.ok);
        QVERIFY(saved.message.startsWith(QStringLiteral("商品情報の保存に失敗しました\r")));
        const auto deleted = f.file.deleteRecord(u"0001");
        QVERIFY(!deleted.ok);
        QVERIFY(deleted.message.startsWith(QStringLiteral("商品情報の削除に失敗しました\r")));
        QVERIFY(QFileInfo(f.paths.product).isDir());
        QVERIFY(!f.workLeft());
    }

    // Records stay ordered by number; only the saved line changes.
    void saveKeepsNumberOrder_data()
    {
        QTest::addColumn<QList<int>>("stored");
        QTest::addColumn<int>("saved");
        QTest::addColumn<QList<int>>("order");
        QTest::addColumn<SaveState>("state");
        QTest::newRow("before all, right after the header") << QList<int>{5, 9} << 3 << QList<int>{3, 5, 9} << SaveState::Inserted;
        QTest::newRow("between") << QList<int>{3, 9} << 5 << QList<int>{3, 5, 9} << SaveState::Inserted;
        QTest::newRow("after all, appended") << QList<int>{3, 5} << 9 << QList<int>{3, 5, 9} << SaveState::New;
        QTest::newRow("existing, in place") << QList<int>{3, 5, 9} << 5 << QList<int>{3, 5, 9} << SaveState::Overwritten;
        QTest::newRow("header only") << QList<int>{} << 1 << QList<int>{1} << SaveState::New;
    }
    void saveKeepsNumberOrder()
    {
        QFETCH(QList<int>, stored);
        QFETCH(int, saved);
        QFETCH(QList<int>, order);
        QFETCH(SaveState, state);
        Fixture f;
        f.write(fileOf(stored));
        const auto result = f.file.saveRecord(product(saved, QStringLiteral("品名:新しいそば")));
        QVERIFY(result.ok);
        QCOMPARE(result.state, state);
        QCOMPARE(result.isNew(), state != SaveState::Overwritten);
        QByteArray expected = headerLine();
        for (const int n : order)
            expected += n == saved ? line(n, QStringLiteral("品名:新しいそば")) : line(n);
        QCOMPARE(f.bytes(), expected);
        QVERIFY(!f.workLeft());
    }

    void saveIntoMissingOrEmptyFileWritesTheHeader_data()
    {
        QTest::addColumn<bool>("present");
        QTest::newRow("missing") << false;
        QTest::newRow("0 bytes") << true;
    }
    void saveIntoMissingOrEmptyFileWritesTheHeader()
    {
        QFETCH(bool, present);
        Fixture f;
        if (present)
            f.write({});
        const auto result = f.file.saveRecord(product(7));
        QVERIFY(result.ok);
        QCOMPARE(result.state, SaveState::New);
        QCOMPARE(f.bytes(), headerLine() + line(7));
    }

    // Lines a save or delete does not touch come through byte for byte: hand
    // edits, broken bytes, blank and stray lines alike.
    void untouchedLinesSurviveByteForByte()
    {
        const QByteArray broken = "0002\t" + cp(QStringLiteral("品名:")) + "\x82\x20\xFF" + cp(QStringLiteral("そば\tx\t")) + "\r\n";
        const QByteArray comma = cp(QStringLiteral("0003\t品名:そば,うどん\t名称\t")) + "\r\n";
        const QByteArray blank = "\r\n";
        const QByteArray stray = cp(QStringLiteral("メモ 0004")) + "\n"; // a bare LF end becomes CR LF
        const QByteArray indented = "  " + line(8);
        Fixture f;
        f.write(headerLine() + line(1) + broken + comma + blank + stray + indented);

        QVERIFY(f.file.saveRecord(product(5)).ok);
        const QByteArray crlfStray = stray.chopped(1) + "\r\n";
        QCOMPARE(f.bytes(), headerLine() + line(1) + broken + comma + blank + crlfStray + line(5) + indented);

        const auto deleted = f.file.deleteRecord(u"0001");
        QVERIFY(deleted.ok);
        QCOMPARE(deleted.removed, 1);
        QCOMPARE(f.bytes(), headerLine() + broken + comma + blank + crlfStray + line(5) + indented);
    }

    void saveRefusesABadNumber_data()
    {
        QTest::addColumn<QString>("number");
        QTest::newRow("zero") << QStringLiteral("0000");
        QTest::newRow("short") << QStringLiteral("12");
        QTest::newRow("letters") << QStringLiteral("12ab");
        QTest::newRow("full-width digits") << QStringLiteral("００１２");
    }
    void saveRefusesABadNumber()
    {
        QFETCH(QString, number);
        Fixture f;
        f.write(fileOf({1}));
        ProductRecord record = product(2);
        record.number = number;
        const auto result = f.file.saveRecord(record);
        QVERIFY(!result.ok);
        QVERIFY(result.message.startsWith(QStringLiteral("商品情報の保存に失敗しました\r")));
        QCOMPARE(f.bytes(), fileOf({1}));
    }

    void findRecord_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("found"); // empty: none
        QTest::newRow("first of two") << QStringLiteral("0003") << QStringLiteral("0003\t品名:一つ目\t");
        QTest::newRow("leading blanks skipped") << QStringLiteral("0005") << QStringLiteral("0005\t品名:字下げ\t");
        QTest::newRow("a comma does not split the line") << QStringLiteral("0006") << QStringLiteral("0006\t品名:a,b\tc\t");
        QTest::newRow("after a broken byte") << QStringLiteral("0009") << QStringLiteral("0009\t品名:次\t");
        QTest::newRow("not there") << QStringLiteral("0004") << QString();
        QTest::newRow("the header is no record") << QStringLiteral("1.08") << QString();
    }
    void findRecord()
    {
        QFETCH(QString, number);
        QFETCH(QString, found);
        Fixture f;
        f.write(headerLine()
                + cp(QStringLiteral("0003\t品名:一つ目\t\r\n0003\t品名:二つ目\t\r\n   0005\t品名:字下げ\t\r\n"
                                    "0006\t品名:a,b\tc\t\r\n"))
                + "0008\t\x81\r\n" + cp(QStringLiteral("0009\t品名:次\t\r\n")));
        const auto lookup = f.file.findRecord(number);
        QVERIFY(lookup.ok);
        QCOMPARE(lookup.recordText.value_or(QString()), found);
    }

    void listEntries()
    {
        Fixture f;
        QByteArray bytes = headerLine();
        bytes += line(1, QStringLiteral("品名:ざるそば"));
        bytes += line(2, QStringLiteral("品名：きつねうどん"));
        bytes += line(7, QStringLiteral("品名:天ざるそば<m>夏季限定"));
        bytes += line(8, QStringLiteral("<b>品名:天ぷら"));
        bytes += line(9, QStringLiteral("品名:<M>大盛り"));
        bytes += line(10, QStringLiteral("品名:そば,うどん"));
        bytes += cp(QStringLiteral("0011\t品名:TABが一つ\r\nメモ\r\n\r\n"));
        bytes += "0012\t" + cp(QStringLiteral("品名:")) + "\x82\x20x\t\r\n";
        bytes += line(13, QStringLiteral("品名:最後"));
        f.write(bytes);
        const auto list = f.file.listEntries();
        QVERIFY(list.ok);
        QCOMPARE(list.entries, (QStringList{
                                   QStringLiteral("0001:ざるそば"),
                                   QStringLiteral("0002:きつねうどん"),
                                   QStringLiteral("0007:夏季限定"),
                                   QStringLiteral("0008:<b>品名:天ぷら"),
                                   QStringLiteral("0009:大盛り"),
                                   QStringLiteral("0010:そば,うどん"),
                                   QStringLiteral("0012:〓 x"),
                                   QStringLiteral("0013:最後"),
                               }));
    }

    void listOfMissingFileIsEmpty()
    {
        Fixture f;
        const auto list = f.file.listEntries();
        QVERIFY(list.ok);
        QVERIFY(list.entries.isEmpty());
        QVERIFY(!f.exists());
    }

    void nextFreeNumber_data()
    {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("next");
        QTest::newRow("header only") << QStringList{} << QStringLiteral("0001");
        QTest::newRow("after the highest") << QStringList{QStringLiteral("0005:b"), QStringLiteral("0001:a")} << QStringLiteral("0006");
        QTest::newRow("9999 taken: lowest free") << QStringList{QStringLiteral("0001:a"), QStringLiteral("0002:b"), QStringLiteral("9999:z")}
                                                << QStringLiteral("0003");
        QTest::newRow("odd entries count as 0") << QStringList{QStringLiteral("ab:c"), QStringLiteral("0041:x")} << QStringLiteral("0042");
        QStringList all;
        for (int n = 1; n <= 9999; ++n)
            all << QString::number(n).rightJustified(4, u'0') + QStringLiteral(":x");
        QTest::newRow("all taken") << all << QStringLiteral("9999");
    }
    void nextFreeNumber()
    {
        QFETCH(QStringList, entries);
        QFETCH(QString, next);
        QCOMPARE(store::nextFreeNumber(entries), next);
    }

    void deleteRemovesEveryLineOfTheNumber()
    {
        Fixture f;
        f.write(fileOf({1, 2, 2, 3}));
        const auto deleted = f.file.deleteRecord(u"0002");
        QVERIFY(deleted.ok);
        QCOMPARE(deleted.removed, 2);
        QCOMPARE(f.bytes(), fileOf({1, 3}));
    }

    void deleteOfAbsentNumberLeavesTheFile_data()
    {
        QTest::addColumn<QString>("number");
        QTest::newRow("absent") << QStringLiteral("0004");
        QTest::newRow("the header's version") << QStringLiteral("1.08");
    }
    void deleteOfAbsentNumberLeavesTheFile()
    {
        QFETCH(QString, number);
        Fixture f;
        const QByteArray lfOnly = fileOf({1, 3}).replace("\r\n", "\n");
        f.write(lfOnly);
        const auto deleted = f.file.deleteRecord(number);
        QVERIFY(deleted.ok);
        QCOMPARE(deleted.removed, 0);
        QCOMPARE(f.bytes(), lfOnly); // not even rewritten
    }

    // A full USB memory in the middle of any write, of the lock file or of
    // the work file: the old file stays as it was, no work file is left
    // behind and nothing is reported as done.
    void failedWriteKeepsTheOldFile_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QByteArray>("before"); // empty: no file
        QTest::addColumn<QString>("message");
        QTest::addColumn<qulonglong>("limit");
        struct Row
        {
            const char *name;
            QString operation;
            QByteArray before;
            QString message;
        };
        const Row rows[] = {
            {"create", QStringLiteral("ensure"), QByteArray(), QStringLiteral("商品情報ファイルの作成に失敗しました")},
            {"convert", QStringLiteral("ensure"), oldFile(), QStringLiteral("商品情報ファイルの変換に失敗しました")},
            {"save new", QStringLiteral("save new"), fileOf({1, 3}), QStringLiteral("商品情報の保存に失敗しました")},
            {"save over", QStringLiteral("save over"), fileOf({1, 3}), QStringLiteral("商品情報の保存に失敗しました")},
            {"delete", QStringLiteral("delete"), fileOf({1, 3}), QStringLiteral("商品情報の削除に失敗しました")},
        };
        // The lock file takes some 100 to 170 bytes, a product file more than 300.
        for (const Row &row : rows) {
            QTest::addRow("%s, lock file", row.name) << row.operation << row.before << row.message << 64ULL;
            QTest::addRow("%s, work file", row.name) << row.operation << row.before << row.message << 256ULL;
        }
    }
    void failedWriteKeepsTheOldFile()
    {
        QFETCH(QString, operation);
        QFETCH(QByteArray, before);
        QFETCH(QString, message);
        QFETCH(qulonglong, limit);
        Fixture f;
        if (!before.isEmpty())
            f.write(before);
        bool ok = true;
        QString reported;
        bool noticeShown = false;
        {
            const testsupport::FileSizeLimit full(limit);
            if (operation == u"ensure") {
                const auto r = f.file.ensureProductFile([&](const QString &) { noticeShown = true; });
                ok = r.ok;
                reported = r.message;
                QVERIFY(!r.created && !r.converted);
            } else if (operation.startsWith(u"save")) {
                const auto r = f.file.saveRecord(product(operation == u"save new" ? 2 : 3, QStringLiteral("品名:変更")));
                ok = r.ok;
                reported = r.message;
            } else {
                const auto r = f.file.deleteRecord(u"0001");
                ok = r.ok;
                reported = r.message;
                QCOMPARE(r.removed, 0);
            }
        }
        QVERIFY(!ok);
        QVERIFY2(reported.startsWith(message + u'\r'), qPrintable(reported));
        QVERIFY(reported.size() > message.size() + 1); // the system's reason follows
        QCOMPARE(noticeShown, before == oldFile());
        QCOMPARE(f.exists(), !before.isEmpty());
        if (!before.isEmpty())
            QCOMPARE(f.bytes(), before);
        QVERIFY(!f.workLeft());
        QVERIFY(!QFileInfo::exists(f.paths.lock));
    }

    void pathsFollowTheDataLocation_data()
    {
        QTest::addColumn<QString>("location");
        QTest::addColumn<QString>("usbRoot");
        QTest::addColumn<QString>("folder");
        QTest::newRow("hard disk") << QStringLiteral("ハードディスク") << QStringLiteral("/media/usb/") << QStringLiteral("/home/u/work/");
        QTest::newRow("usb") << QStringLiteral("ＵＳＢメモリ") << QStringLiteral("/media/usb/") << QStringLiteral("/media/usb/");
        QTest::newRow("anything else is usb") << QStringLiteral("ハードディスク ") << QStringLiteral("/media/usb")
                                              << QStringLiteral("/media/usb/");
        QTest::newRow("usb without a drive") << QStringLiteral("ＵＳＢメモリ") << QString() << QStringLiteral("/home/u/work/");
    }
    void pathsFollowTheDataLocation()
    {
        QFETCH(QString, location);
        QFETCH(QString, usbRoot);
        QFETCH(QString, folder);
        const QString found = store::dataFolder(QStringLiteral("/home/u/work"), location, usbRoot);
        QCOMPARE(found, folder);
        const auto paths = store::productFilePaths(found);
        QCOMPARE(paths.product, folder + QStringLiteral("商品情報.tsv"));
        QCOMPARE(paths.work, folder + QStringLiteral("商品情報.tmp"));
    }
};

QTEST_GUILESS_MAIN(TestProductFile)
#include "tst_productfile.moc"
