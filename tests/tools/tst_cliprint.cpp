#include "platform/removabledrive.h"
#include "store/datalocation.h"
#include "store/productfile.h"
#include "store/usersettings.h"
#include "tests/spooler/pdfprobe.h"
#include "tests/support/clirunner.h"
#include "tests/support/sampleproduct.h"
#include "tests/support/spooler.h"

#include <QDir>
#include <QRegularExpression>
#include <QTest>

#include <algorithm>
#include <memory>
#include <vector>

using testsupport::CliRun;

// The print command on the built-in PDF printer, run as a script would run
// it; the private spooler of scripts/test.sh stands in for the system's.

namespace {

const QString kPdfPrinter = QStringLiteral("さくらべ PDF出力");

// The PDF files in the order they were made: "stamp.pdf", then "stamp-2.pdf", ...
QStringList pdfsInOrder(const QString &workDir)
{
    const QDir folder(QDir(workDir).filePath(QStringLiteral("PDF")));
    QStringList names = folder.entryList({QStringLiteral("*.pdf")}, QDir::Files);
    static const QRegularExpression form(QStringLiteral("^(\\d{8}-\\d{6})(?:-(\\d+))?"));
    const auto key = [](const QString &name) {
        const auto match = form.match(name);
        return std::pair(match.captured(1), match.captured(2).isEmpty() ? 1 : match.captured(2).toInt());
    };
    std::sort(names.begin(), names.end(), [&](const QString &a, const QString &b) { return key(a) < key(b); });
    for (QString &name : names)
        name = folder.filePath(name);
    return names;
}

} // namespace

class TestCliPrint : public QObject
{
    Q_OBJECT

    testsupport::CliRunner m_cli{QStringLiteral("print")};

    void prepare(const QString &collated, const QString &printer = kPdfPrinter)
    {
        QVERIFY(m_cli.renewWorkDir());
        store::UserSettings settings = store::UserSettings::defaults();
        settings.printer = printer;
        settings.collatedPrinting = collated;
        settings.dataLocation = store::kLocationHardDisk.toString();
        QVERIFY(store::writeUserSettings(m_cli.workDir(), settings).ok);
        const store::ProductFile products(store::productFilePaths(
            store::dataFolder(m_cli.workDir(), settings.dataLocation, QString())));
        QVERIFY(products.saveRecord(testsupport::sampleProduct(QStringLiteral("0001"), QStringLiteral("品名:幕の内"))).ok);
        store::ProductRecord withoutMark = testsupport::sampleProduct(QStringLiteral("0002"), QStringLiteral("品名:鮭弁"));
        withoutMark.recycleMark = QStringLiteral("なし");
        QVERIFY(products.saveRecord(withoutMark).ok);
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(testsupport::spoolerRunning(), testsupport::kNoSpooler);
    }

    // Print runs side by side, from scripts or a second program, in the
    // same second: each gets a PDF of its own and none is lost.
    void printsAtOnceKeepEveryDocument()
    {
        prepare(QStringLiteral("しない"));
        std::vector<std::unique_ptr<QProcess>> runs;
        for (int k = 0; k < 12; ++k) {
            runs.push_back(std::make_unique<QProcess>());
            m_cli.start(*runs.back(), {QStringLiteral("1"), QStringLiteral("--copies"), QStringLiteral("1")});
        }
        for (const auto &run : runs)
            run->waitForFinished(30000);
        for (const auto &run : runs)
            QVERIFY2(run->state() == QProcess::NotRunning && run->exitCode() == 0, run->readAllStandardError().constData());
        const QStringList pdfs = pdfsInOrder(m_cli.workDir());
        QCOMPARE(pdfs.size(), 12);
        for (const QString &pdf : pdfs)
            QCOMPARE(testsupport::pdfPageCount(pdf), 1);
    }

    void collatedCopiesAreOneDocument()
    {
        prepare(QStringLiteral("する"));
        const CliRun run = m_cli.run({QStringLiteral("1"), QStringLiteral("--copies"), QStringLiteral("3"),
                                      QStringLiteral("--date"), QStringLiteral("2026-03-05 09:07")});
        QVERIFY2(run.code == 0, qPrintable(run.err));
        const QStringList pdfs = pdfsInOrder(m_cli.workDir());
        QCOMPARE(pdfs.size(), 1);
        QCOMPARE(testsupport::pdfPageCount(pdfs.constFirst()), 3);
        // Each page carries the expiry date: the base date plus one day.
        QCOMPARE(testsupport::pdfText(pdfs.constFirst()).count(QStringLiteral("2026/03/06")), 3);
        // and its mark, drawn by the program in a folder that had none.
        QCOMPARE(testsupport::pdfImageCount(pdfs.constFirst()), 3);
    }

    void printerCopiesGoIntoTheName()
    {
        prepare(QStringLiteral("しない"));
        const CliRun run = m_cli.run({QStringLiteral("0002"), QStringLiteral("--copies"), QStringLiteral("3")});
        QVERIFY2(run.code == 0, qPrintable(run.err));
        const QStringList pdfs = pdfsInOrder(m_cli.workDir());
        QCOMPARE(pdfs.size(), 1);
        QVERIFY2(pdfs.constFirst().endsWith(QStringLiteral("_3部.pdf")), qPrintable(pdfs.constFirst()));
        QCOMPARE(testsupport::pdfPageCount(pdfs.constFirst()), 1);
    }

    void listPrintsEntriesInOrder()
    {
        prepare(QStringLiteral("する"));
        m_cli.write(QStringLiteral("list.txt"), "0002 2 2026-03-05 09:07\n\n# a comment\n0001,1\n");
        const CliRun run = m_cli.run({QStringLiteral("--list"), m_cli.path(QStringLiteral("list.txt"))});
        QVERIFY2(run.code == 0, qPrintable(run.err));
        const QStringList pdfs = pdfsInOrder(m_cli.workDir());
        QCOMPARE(pdfs.size(), 2);
        QCOMPARE(testsupport::pdfPageCount(pdfs.at(0)), 2);
        QVERIFY(testsupport::pdfText(pdfs.at(0)).contains(QStringLiteral("鮭弁")));
        QVERIFY(testsupport::pdfText(pdfs.at(1)).contains(QStringLiteral("幕の内")));
    }

    // An entry that would print nothing stops the list before anything is printed.
    void listWithBadCopiesPrintsNothing()
    {
        prepare(QStringLiteral("する"));
        m_cli.write(QStringLiteral("list.txt"), "0002 2\n0001 0\n");
        const CliRun run = m_cli.run({QStringLiteral("--list"), m_cli.path(QStringLiteral("list.txt"))});
        QVERIFY(run.code != 0);
        QVERIFY2(run.err.contains(QStringLiteral("枚数の指定が異常です: 0")), qPrintable(run.err));
        QVERIFY(pdfsInOrder(m_cli.workDir()).isEmpty());
    }

    void failures_data()
    {
        QTest::addColumn<QString>("printer");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        QTest::newRow("copies 0.4") << kPdfPrinter << QStringList{"0001", "--copies", "0.4"} << "枚数の指定が異常です";
        QTest::newRow("unknown product") << kPdfPrinter << QStringList{"0099", "--copies", "1"}
                                         << "登録番号に対する商品情報が見当りませんでした為、印刷を行いませんでした";
        QTest::newRow("no such day") << kPdfPrinter << QStringList{"0001", "--copies", "1", "--date", "2026-02-30 10:00"}
                                     << "存在しない日付を指定されました";
        QTest::newRow("printer not installed") << "SATO_GONE" << QStringList{"0001", "--copies", "1"}
                                               << "■■■指定されたプリンターのドライバーが見つかりません■■■";
        QTest::newRow("no copies") << kPdfPrinter << QStringList{"0001"} << "usage";
        QTest::newRow("list and number") << kPdfPrinter << QStringList{"0001", "--list", "a.txt"} << "usage";
        QTest::newRow("missing list") << kPdfPrinter << QStringList{"--list", "missing.txt"} << "no such list file";
    }
    void failures()
    {
        QFETCH(QString, printer);
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        prepare(QStringLiteral("する"), printer);
        const CliRun run = m_cli.run(args);
        QVERIFY(run.code != 0);
        QVERIFY(run.out.isEmpty());
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QVERIFY(pdfsInOrder(m_cli.workDir()).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCliPrint)
#include "tst_cliprint.moc"
