#include "store/cp932.h"
#include "store/usersettings.h"

#include "tests/support/filesizelimit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace store;

namespace {

QByteArray linesOf(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += toCp932(line) + "\r\n";
    return bytes;
}

const QStringList kDefaultLines = {
    QStringLiteral("ﾌﾟﾘﾝﾀｰをお選び下さい"), QStringLiteral("1740"), QStringLiteral("110"),
    QStringLiteral("しない"), QStringLiteral("ＵＳＢメモリ"), QStringLiteral("0000"),
    QStringLiteral("ソフトウェアにて生成"), QStringLiteral("1740"), QStringLiteral("20"),
};

} // namespace

class TestUserSettings : public QObject
{
    Q_OBJECT

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    QByteArray content() const
    {
        QFile file(path(QStringLiteral("user.dat")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void put(const QByteArray &bytes) const
    {
        QFile file(path(QStringLiteral("user.dat")));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(file.write(bytes), bytes.size());
    }
    bool workFileLeft() const { return QFileInfo::exists(path(QStringLiteral("user.tmp"))); }

    std::unique_ptr<QTemporaryDir> m_dir;

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    void createsDefaultsWhenMissing()
    {
        const EnsureResult result = ensureUserSettings(m_dir->path());
        QCOMPARE(result.outcome, EnsureOutcome::Created);
        QCOMPARE(content(), linesOf(kDefaultLines));
        QVERIFY(!workFileLeft());

        const auto settings = readUserSettings(m_dir->path());
        QVERIFY(settings);
        QVERIFY(!settings->hasPrinter());
        QCOMPARE(*settings, UserSettings::defaults());
        QCOMPARE(ensureUserSettings(m_dir->path()).outcome, EnsureOutcome::Unchanged);
    }

    void completesShortFile_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QStringList>("expected");

        const QString printer = QStringLiteral("SATO T408v");
        QTest::newRow("lines 6-9 missing")
            << linesOf({printer, QStringLiteral("1810"), QStringLiteral("80"), QStringLiteral("する"),
                        QStringLiteral("ハードディスク")})
            << QStringList{printer, QStringLiteral("1810"), QStringLiteral("80"), QStringLiteral("する"),
                           QStringLiteral("ハードディスク"), QStringLiteral("0000"),
                           QStringLiteral("ソフトウェアにて生成"), QStringLiteral("1740"), QStringLiteral("20")};

        QStringList zeroForm = kDefaultLines;
        zeroForm[0] = printer;
        zeroForm[5] = QStringLiteral("0000");
        QTest::newRow("paper form 0") << QByteArray("SATO T408v\r\n1740\r\n110\r\n") + toCp932(u"しない\r\nＵＳＢメモリ\r\n0\r\n")
                                      << zeroForm;
        QTest::newRow("paper form text") << QByteArray("SATO T408v\r\n1740\r\n110\r\n") + toCp932(u"しない\r\nＵＳＢメモリ\r\nabc\r\n")
                                         << zeroForm;

        QStringList keptForm = zeroForm;
        keptForm[5] = QStringLiteral(" 514");
        QTest::newRow("paper form with blanks kept")
            << QByteArray("SATO T408v\r\n1740\r\n110\r\n") + toCp932(u"しない\r\nＵＳＢメモリ\r\n 514\r\n") << keptForm;

        QStringList gaps = kDefaultLines;
        gaps[0] = printer;
        QTest::newRow("empty lines filled, LF ends") << QByteArray("SATO T408v\n\n\n") << gaps;
        QTest::newRow("empty file") << QByteArray() << kDefaultLines;
    }

    void completesShortFile()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QStringList, expected);
        put(stored);

        const EnsureResult first = ensureUserSettings(m_dir->path());
        QCOMPARE(first.outcome, EnsureOutcome::Completed);
        QCOMPARE(first.message, QStringLiteral("Ver1.07d以前の印刷設定情報を、Ver1.08以降用に変更しました"));
        QCOMPARE(content(), linesOf(expected));
        QVERIFY(!workFileLeft());

        // Complete now: the message is not repeated.
        const EnsureResult second = ensureUserSettings(m_dir->path());
        QCOMPARE(second.outcome, EnsureOutcome::Unchanged);
        QVERIFY(second.message.isEmpty());
    }

    void completeFileNeverChanged_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QByteArray odd = linesOf(kDefaultLines);
        odd.replace("0000", "0");
        QTest::newRow("paper form 0") << odd;
        QTest::newRow("empty values") << QByteArray("\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n");
        QTest::newRow("no last line end, stray bytes")
            << QByteArray("\x81\xFF printer\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8");
        QTest::newRow("extra lines") << linesOf(kDefaultLines) + "tenth\r\n";
    }

    void completeFileNeverChanged()
    {
        QFETCH(QByteArray, stored);
        put(stored);
        const EnsureResult result = ensureUserSettings(m_dir->path());
        QCOMPARE(result.outcome, EnsureOutcome::Unchanged);
        QCOMPARE(content(), stored);
    }

    void readsValuesThroughTheCodePage()
    {
        put(QByteArray("SATO \xFF T8\r\n 1810 \r\n-20\r\n"));
        const auto settings = readUserSettings(m_dir->path());
        QVERIFY(settings);
        QCOMPARE(settings->printer, QStringLiteral("SATO 〓 T8"));
        QCOMPARE(settings->portraitStartXValue(), 1810);
        QCOMPARE(settings->portraitStartYValue(), -20);
        QCOMPARE(settings->landscapeStartY, QString());
        QCOMPARE(settings->landscapeStartYValue(), 0);
    }

    void unreadableIsReportedNotReplaced()
    {
        // A folder in the file's place cannot be read, even by root.
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("user.dat")));

        const EnsureResult result = ensureUserSettings(m_dir->path());
        QCOMPARE(result.outcome, EnsureOutcome::Failed);
        QVERIFY(result.message.startsWith(QStringLiteral("印刷設定情報(user.dat)を読み込めませんでした\r")));
        QVERIFY(QFileInfo(path(QStringLiteral("user.dat"))).isDir());
        QVERIFY(!workFileLeft());

        QString error;
        QVERIFY(!readUserSettings(m_dir->path(), &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!writePaperFormLine(m_dir->path(), QStringLiteral("0513")));
        QVERIFY(QFileInfo(path(QStringLiteral("user.dat"))).isDir());
    }

    void missingIsReportedByReaders()
    {
        QString error;
        QVERIFY(!readUserSettings(m_dir->path(), &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!writePaperFormLine(m_dir->path(), QStringLiteral("0513")));
        QVERIFY(!QFileInfo::exists(path(QStringLiteral("user.dat"))));
    }

    void failedWritesLeaveTheOldFile_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<int>("operation");
        QTest::newRow("write over complete file") << linesOf(kDefaultLines) << 0;
        QTest::newRow("completion of short file") << QByteArray("SATO T408v\r\n1810\r\n") << 1;
        QTest::newRow("paper form switch") << linesOf(kDefaultLines) << 2;
    }

    void failedWritesLeaveTheOldFile()
    {
        QFETCH(QByteArray, stored);
        QFETCH(int, operation);
        put(stored);
        UserSettings changed = UserSettings::defaults();
        changed.printer = QStringLiteral("SATO CL 2130");

        bool ok = true;
        QString message;
        {
            testsupport::FileSizeLimit full(16);
            if (operation == 0) {
                const FileResult result = writeUserSettings(m_dir->path(), changed);
                ok = result.ok;
                message = result.message;
            } else if (operation == 1) {
                const EnsureResult result = ensureUserSettings(m_dir->path());
                ok = result.outcome != EnsureOutcome::Failed;
                message = result.message;
            } else {
                const FileResult result = writePaperFormLine(m_dir->path(), QStringLiteral("0514"));
                ok = result.ok;
                message = result.message;
            }
        }
        QVERIFY(!ok);
        QVERIFY(message.startsWith(QStringLiteral("印刷設定情報(user.dat)の保存に失敗しました\r")));
        QCOMPARE(content(), stored);
        QVERIFY(!workFileLeft());
    }

    void failedCreationLeavesNothing()
    {
        EnsureResult result;
        {
            testsupport::FileSizeLimit full(16);
            result = ensureUserSettings(m_dir->path());
        }
        QCOMPARE(result.outcome, EnsureOutcome::Failed);
        QVERIFY(!result.message.isEmpty());
        QVERIFY(!QFileInfo::exists(path(QStringLiteral("user.dat"))));
        QVERIFY(!workFileLeft());
    }

    void writeKeepsNineLines()
    {
        UserSettings settings = UserSettings::defaults();
        settings.printer = QStringLiteral("SATO\r\nT8");
        settings.portraitStartX = QStringLiteral("\t1810");
        QVERIFY(writeUserSettings(m_dir->path(), settings));
        QStringList expected = kDefaultLines;
        expected[0] = QStringLiteral("SATOT8");
        expected[1] = QStringLiteral("1810");
        QCOMPARE(content(), linesOf(expected));
    }

    void paperFormSwitchKeepsOtherLines()
    {
        const QByteArray stored("SATO \x81\xFF 2130\r\n 150 \r\n0\r\n\x82\xB5\x82\xC8\x82\xA2\r\nX\r\n0000\r\nY\r\n100\r\n0");
        put(stored);
        QVERIFY(writePaperFormLine(m_dir->path(), QStringLiteral("0513")));
        QCOMPARE(content(), QByteArray("SATO \x81\xFF 2130\r\n 150 \r\n0\r\n\x82\xB5\x82\xC8\x82\xA2\r\nX\r\n"
                                       "0513\r\nY\r\n100\r\n0\r\n"));
        QVERIFY(!workFileLeft());

        put("only the printer\r\n");
        QVERIFY(writePaperFormLine(m_dir->path(), QStringLiteral("0514")));
        QCOMPARE(content(), QByteArray("only the printer\r\n\r\n\r\n\r\n\r\n0514\r\n\r\n\r\n\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestUserSettings)
#include "tst_usersettings.moc"
