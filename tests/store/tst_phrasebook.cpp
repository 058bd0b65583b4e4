#include "store/cp932.h"
#include "store/phrasebook.h"
#include "store/textfile.h"

#include "tests/support/filesizelimit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace store;

class TestPhraseBook : public QObject
{
    Q_OBJECT

private:
    QString filePath() const { return m_dir->filePath(QStringLiteral("文字列情報.tsv")); }
    bool workFileLeft() const { return QFileInfo::exists(m_dir->filePath(QStringLiteral("文字列情報.tmp"))); }
    QByteArray content() const
    {
        QFile file(filePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void put(const QByteArray &bytes) const
    {
        QFile file(filePath());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(file.write(bytes), bytes.size());
    }
    void createDefaults() const
    {
        QCOMPARE(createDefaultPhraseBook(m_dir->path()).outcome, EnsureOutcome::Created);
    }

    std::unique_ptr<QTemporaryDir> m_dir;

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    void defaultFileIsByteExact()
    {
        createDefaults();
        const QByteArray bytes = content();
        QVERIFY(bytes.endsWith("\r\n"));
        QCOMPARE(bytes.count("\r\n"), 9);
        const QList<QByteArray> lines = splitLines(bytes);
        QCOMPARE(lines.size(), 9);
        QCOMPARE(lines.at(0), QByteArray::fromHex("956996bc82cc936f985e2c2c2c2c2c"));
        QCOMPARE(lines.at(5), QByteArray::fromHex(
            "95db91b695fb964082cc936f985e2c8d8289b7814591bd8ebc814592bc8ecb93fa8cf582f094f082af81418fed89b782c9"
            "82c495db91b682b582c489ba82b382a22c977697e291a0288250824f818e88c889ba292c8250824f818e88c889ba82c595"
            "db91b682b582c489ba82b382a22c8253818e88c889ba82c595db91b682b582c489ba82b382a22c817c82508257818e88c8"
            "89ba82c595db91b682b582c489ba82b382a2"));
        // The "､" inside the last phrase are half-width (0xA4), not separators.
        QCOMPARE(lines.at(8), QByteArray::fromHex(
            "94f58d6c2f89bf8a6982cc936f985e2c8cb48dde97bf947a8d878a848d8781462c8e6797708fe382cc928d88d3814682a8"
            "918182df82c982a88fa282b58fe382aa82e882ad82be82b382a281422c90bb956982c982cd969c915382f08afa82b582c4"
            "82a882e882dc82b782aaa4969c88ea957393738d8782aa82b282b482a282dc82b582bd82e7a482a8948382a28fe382b082"
            "cc8c8e93fa8145935896bc82f082a88f9182ab935982a682cc8fe3a494a082b282c682a8919782e889ba82b382a281422c2c"));
        for (const QByteArray &line : lines)
            QCOMPARE(line.count(','), 5);

        const auto remarks = readPhrases(m_dir->path(), u"備考/価格の登録");
        QVERIFY(remarks);
        QVERIFY(remarks->at(2).startsWith(QStringLiteral("製品には万全を期しておりますが､万一")));
        QCOMPARE(remarks->at(3), QString());

        // An existing file is left alone.
        put("mine\r\n");
        QCOMPARE(createDefaultPhraseBook(m_dir->path()).outcome, EnsureOutcome::Unchanged);
        QCOMPARE(content(), QByteArray("mine\r\n"));
    }

    void storingOneSlotReplacesOnlyItsLine()
    {
        createDefaults();
        const QList<QByteArray> before = splitLines(content());
        QVERIFY(writePhrases(m_dir->path(), u"品名の登録", {QString(), QString(), QStringLiteral("品名:焼菓子"), QString(), QString()}));
        const QList<QByteArray> after = splitLines(content());
        QCOMPARE(after.size(), 9);
        QCOMPARE(after.at(0), toCp932(u"品名の登録,,,品名:焼菓子,,"));
        QCOMPARE(after.mid(1), before.mid(1));
        QVERIFY(!workFileLeft());
    }

    void phrasesAreCleanedAndReadBack_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("readBack");
        QTest::newRow("commas") << QStringLiteral("塩,砂糖，酢") << toCp932(u"塩<kanma>砂糖<kanma>酢")
                                << QStringLiteral("塩,砂糖,酢");
        QTest::newRow("line break and tab") << QStringLiteral("要冷蔵\r\n(10℃\t以下)")
                                            << toCp932(u"要冷蔵(10℃以下)") << QStringLiteral("要冷蔵(10℃以下)");
        QTest::newRow("leading blanks lost on read") << QStringLiteral("  採取海域：")
                                                     << toCp932(u"  採取海域：") << QStringLiteral("採取海域：");
        QTest::newRow("outside the code page") << QStringLiteral("鷗外") << toCp932(u"〓外")
                                               << QStringLiteral("〓外");
    }

    void phrasesAreCleanedAndReadBack()
    {
        QFETCH(QString, typed);
        QFETCH(QByteArray, stored);
        QFETCH(QString, readBack);
        createDefaults();
        QVERIFY(writePhrases(m_dir->path(), u"保存方法の登録", {QStringLiteral("a"), typed, QString(), QString(), QStringLiteral("e")}));
        const QList<QByteArray> lines = splitLines(content());
        QCOMPARE(lines.at(5), toCp932(u"保存方法の登録,a,") + stored + ",,,e");

        const auto phrases = readPhrases(m_dir->path(), u"保存方法の登録");
        QVERIFY(phrases);
        QCOMPARE(*phrases, (Phrases{QStringLiteral("a"), readBack, QString(), QString(), QStringLiteral("e")}));
    }

    void handEditedLinesAreCopiedWhole()
    {
        const QByteArray foreign = QByteArray("  \x95\x69\x96\xBC\x82\xCC\x93\x6F\x98\x5E,x\xFF,y") ; // blanks before the title
        const QByteArray note = toCp932(u"メモ, 自由 ,書き込み,,");
        put(foreign + "\r\n" + note + "\n" + "\r\n");
        QVERIFY(writePhrases(m_dir->path(), u"品名の登録", {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5")}));
        QCOMPARE(content(), foreign + "\r\n" + note + "\r\n\r\n" + toCp932(u"品名の登録,1,2,3,4,5") + "\r\n");
    }

    void titlesMatchExactlyOrByBeginning()
    {
        put(toCp932(u"品名の登録(旧),a,b,c,d,e\r\n品名の登録,1,2,3,4,5\r\n名称の登録,p\r\n"));
        const auto exact = readPhrases(m_dir->path(), u"品名の登録");
        QVERIFY(exact);
        QCOMPARE(exact->at(0), QStringLiteral("1"));
        QCOMPARE(exact->at(4), QStringLiteral("5"));
        const auto editing = readPhrasesForEditing(m_dir->path(), u"品名の登録");
        QVERIFY(editing);
        QCOMPARE(editing->at(0), QStringLiteral("a"));

        // The file ends before five items: the rest are empty.
        const auto shortLine = readPhrases(m_dir->path(), u"名称の登録");
        QVERIFY(shortLine);
        QCOMPARE(*shortLine, (Phrases{QStringLiteral("p"), QString(), QString(), QString(), QString()}));

        QString error;
        QVERIFY(!readPhrases(m_dir->path(), u"責任者表記の登録", &error));
        QVERIFY(!error.isEmpty());

        // Every line that begins with the title is the category's line.
        QVERIFY(writePhrases(m_dir->path(), u"品名の登録", {}));
        QCOMPARE(content(), toCp932(u"品名の登録,,,,,\r\n品名の登録,,,,,\r\n名称の登録,p\r\n"));
    }

    void missingCategoryIsAppended()
    {
        put(toCp932(u"品名の登録,,,,,"));
        QVERIFY(writePhrases(m_dir->path(), u"予備欄３の登録", {QStringLiteral("x")}));
        QCOMPARE(content(), toCp932(u"品名の登録,,,,,\r\n予備欄３の登録,x,,,,\r\n"));
    }

    void missingFileHasNoPhrases()
    {
        QString error;
        QVERIFY(!readPhrases(m_dir->path(), u"品名の登録", &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!readPhrasesForEditing(m_dir->path(), u"品名の登録"));
    }

    void unstorableTitleIsRefused_data()
    {
        QTest::addColumn<QString>("title");
        QTest::newRow("empty") << QString();
        QTest::newRow("comma") << QStringLiteral("品名,の登録");
        QTest::newRow("line end") << QStringLiteral("品名\r\nの登録");
        QTest::newRow("leading blank, never read back") << QStringLiteral(" 品名の登録");
    }

    void unstorableTitleIsRefused()
    {
        QFETCH(QString, title);
        createDefaults();
        const QByteArray before = content();
        const FileResult result = writePhrases(m_dir->path(), title, {QStringLiteral("x")});
        QVERIFY(!result);
        QVERIFY(result.message.startsWith(QStringLiteral("文字列情報の保存に失敗しました\r")));
        QCOMPARE(content(), before);
    }

    void unreadableFileIsNotReplaced()
    {
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("文字列情報.tsv")));
        const EnsureResult created = createDefaultPhraseBook(m_dir->path());
        QCOMPARE(created.outcome, EnsureOutcome::Failed);
        QVERIFY(!created.message.isEmpty());
        QVERIFY(!writePhrases(m_dir->path(), u"品名の登録", {}));
        QVERIFY(QFileInfo(filePath()).isDir());
        QVERIFY(!workFileLeft());
    }

    // A full drive cuts short the lock file (some 100 to 170 bytes) or the
    // work file (1 KiB).
    void failedWriteKeepsTheOldFile_data()
    {
        QTest::addColumn<qulonglong>("limit");
        QTest::newRow("lock file") << 64ULL;
        QTest::newRow("work file") << 256ULL;
    }
    void failedWriteKeepsTheOldFile()
    {
        QFETCH(qulonglong, limit);
        createDefaults();
        const QByteArray before = content();
        FileResult result;
        {
            testsupport::FileSizeLimit full(limit);
            result = writePhrases(m_dir->path(), u"品名の登録", {QStringLiteral("x")});
        }
        QVERIFY(!result);
        QVERIFY(result.message.startsWith(QStringLiteral("文字列情報の保存に失敗しました\r")));
        QCOMPARE(content(), before);
        QVERIFY(!workFileLeft());
    }

    void failedCreationLeavesNothing_data() { failedWriteKeepsTheOldFile_data(); }
    void failedCreationLeavesNothing()
    {
        QFETCH(qulonglong, limit);
        EnsureResult result;
        {
            testsupport::FileSizeLimit full(limit);
            result = createDefaultPhraseBook(m_dir->path());
        }
        QCOMPARE(result.outcome, EnsureOutcome::Failed);
        QVERIFY(!QFileInfo::exists(filePath()));
        QVERIFY(!workFileLeft());
        QVERIFY(!QFileInfo::exists(m_dir->filePath(QStringLiteral("文字列情報.lock"))));
        // A later start tries again.
        QCOMPARE(createDefaultPhraseBook(m_dir->path()).outcome, EnsureOutcome::Created);
    }
};

QTEST_GUILESS_MAIN(TestPhraseBook)
#include "tst_phrasebook.moc"
