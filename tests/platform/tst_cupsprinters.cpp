#include "platform/clock.h"
#include "platform/cupsprinter.h"
#include "platform/cupsprintersystem.h"
#include "platform/pdfprinter.h"
#include "tests/spooler/pdfprobe.h"
#include "tests/support/spooler.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <cups/cups.h>

// Runs against the private spooler of tests/spooler/spooler.sh, which
// scripts/test.sh starts. Each test prints to a queue of its own.

using platform::CupsPrinter;
using platform::CupsPrinterSystem;
using platform::Orientation;
using platform::Printer;

namespace {

// The job's options as the backend kept them beside the PDF.
QString jobOptions(const QString &pdfPath)
{
    QFile file(pdfPath.chopped(4) + QStringLiteral(".opts"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QString formsText(const Printer &printer)
{
    QStringList parts;
    for (const platform::PaperForm &form : printer.paperForms())
        parts.append(QStringLiteral("%1:%2:%3x%4").arg(form.number).arg(form.key)
                         .arg(form.sizeMm.width(), 0, 'f', 1).arg(form.sizeMm.height(), 0, 'f', 1));
    return parts.join(u' ');
}

} // namespace

class TestCupsPrinters : public QObject
{
    Q_OBJECT

    QTemporaryDir m_work;
    platform::FixedClock m_clock{QDateTime(QDate(2025, 1, 31), QTime(9, 30))};

    std::unique_ptr<CupsPrinterSystem> makeSystem()
    {
        return std::make_unique<CupsPrinterSystem>(m_clock, platform::PdfPrinter::outputFolder(m_work.path()));
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(testsupport::spoolerRunning(), testsupport::kNoSpooler);
        QVERIFY(m_work.isValid());
    }

    void queuesAreListed()
    {
        const QStringList names = makeSystem()->printerNames();
        for (const char *queue : {"SATO_CT4-LX_2130", "SATO_T408v", "SATO_T412v"})
            QVERIFY2(names.contains(QLatin1String(queue)), queue);
        QCOMPARE(names.last(), platform::pdfPrinterName());
        QVERIFY(makeSystem()->open(QStringLiteral("SATO_T408v")));
        QVERIFY(!makeSystem()->open(QStringLiteral("NO_SUCH_QUEUE")));
        // A queue is found by the name listed, exactly.
        QVERIFY(!makeSystem()->open(QStringLiteral("sato_t408v")));
    }

    void queueDriver_data()
    {
        QTest::addColumn<QString>("queue");
        QTest::addColumn<int>("resolution");
        for (const auto &[queue, dpi] : {std::pair{"SATO_CT4-LX_2130", 203}, {"SATO_T408v", 203}, {"SATO_T412v", 305}})
            QTest::newRow(queue) << QString::fromLatin1(queue) << dpi;
    }

    // The driver's exact media with their numbers, the resolution from the
    // spooler, and the driver's default medium in hand.
    void queueDriver()
    {
        QFETCH(QString, queue);
        QFETCH(int, resolution);
        const auto printer = makeSystem()->open(queue);
        QVERIFY(printer);
        QCOMPARE(printer->deviceName(), queue);
        QCOMPARE(printer->resolution(), resolution);
        QCOMPARE(formsText(*printer), QStringLiteral("513:w113h79:40.0x28.0 514:w133h184:47.0x65.0 515:w128h184:45.0x65.0 "
                                                     "516:w184h128:65.0x45.0 517:w108h79:38.0x28.0 9:A4:209.9x297.0"));
        QCOMPARE(printer->paperSize(), 514);
        QCOMPARE(printer->pageWidthTwips(), 2665);
        QCOMPARE(printer->pageHeightTwips(), 3685);
    }

    void unknownNumberChangesNothing()
    {
        const auto printer = makeSystem()->open(QStringLiteral("SATO_T408v"));
        QVERIFY(printer->setPaperSize(513));
        for (int number : {0, 1, 518, 1024}) {
            QVERIFY(!printer->setPaperSize(number));
            QVERIFY(!printer->selectPaperForm(number));
        }
        QCOMPARE(printer->paperSize(), 513);
        QCOMPARE(printer->pageWidthTwips(), 2268);
    }

    // A label page with Japanese text reaches the queue as a PDF of the
    // medium's exact size, with its text and its copy count.
    void printsThroughQueue()
    {
        const auto printer = makeSystem()->open(QStringLiteral("SATO_T408v"));
        QVERIFY(printer->setPaperSize(515));
        printer->setCopies(3);
        QPainter *painter = printer->painter();
        QVERIFY(!printer->failed());
        painter->setFont(QFont(QStringLiteral("ＭＳ ゴシック"), 8));
        painter->drawText(200, 400, QStringLiteral("原材料名：小麦粉"));
        painter->drawText(200, 700, QStringLiteral("内容量 100g"));
        QVERIFY2(printer->endDocument(), qPrintable(printer->error()));

        const int job = static_cast<CupsPrinter *>(printer.get())->lastJobId();
        const QString path = testsupport::waitForSpoolerJob(QStringLiteral("SATO_T408v"), job);
        QVERIFY2(!path.isEmpty(), "the job never arrived");
        QCOMPARE(testsupport::pdfPageSize(path), QSizeF(127.56, 184.25));
        const QString text = testsupport::pdfText(path);
        QVERIFY(text.contains(QStringLiteral("原材料名：小麦粉")));
        QVERIFY(text.contains(QStringLiteral("内容量 100g")));
        QCOMPARE(testsupport::pdfFonts(path), QStringList{QStringLiteral("IPAGothic")});
        const QString options = jobOptions(path);
        QVERIFY2(options.startsWith(QStringLiteral("copies=3\n")), qPrintable(options));
        QVERIFY2(options.contains(QStringLiteral("media=w128h184 ")), qPrintable(options));
    }

    // A landscape page is turned onto the medium as it is loaded.
    void landscapeOnPortraitMedium()
    {
        const auto printer = makeSystem()->open(QStringLiteral("SATO_T412v"));
        printer->setOrientation(Orientation::Landscape);
        QCOMPARE(printer->pageWidthTwips(), 3685);
        QCOMPARE(printer->pageHeightTwips(), 2665);
        printer->painter()->drawText(200, 400, QStringLiteral("ヨコ"));
        printer->newPage();
        printer->painter()->drawText(200, 400, QStringLiteral("2枚目"));
        QVERIFY2(printer->endDocument(), qPrintable(printer->error()));
        const QString path = testsupport::waitForSpoolerJob(QStringLiteral("SATO_T412v"), static_cast<CupsPrinter *>(printer.get())->lastJobId());
        QVERIFY(!path.isEmpty());
        QCOMPARE(testsupport::pdfPageCount(path), 2);
        QCOMPARE(testsupport::pdfPageSize(path, 2), QSizeF(133.23, 184.25));
        QVERIFY(testsupport::pdfText(path).contains(QStringLiteral("2枚目")));
        QVERIFY(jobOptions(path).startsWith(QStringLiteral("copies=1\n")));
    }

    // The default medium is the user's for that queue: a fresh printer
    // system starts on it, and libcups reads it back from lpoptions.
    void defaultMediumIsKept()
    {
        const QString queue = QStringLiteral("SATO_R408v");
        {
            const auto printer = makeSystem()->open(queue);
            QVERIFY2(printer->selectPaperForm(513), qPrintable(printer->error()));
            QCOMPARE(printer->paperSize(), 513);
        }
        QCOMPARE(makeSystem()->open(queue)->paperSize(), 513);
        cups_dest_t *dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, "SATO_R408v", nullptr);
        QVERIFY(dest);
        const QString media = QString::fromUtf8(cupsGetOption("media", dest->num_options, dest->options));
        cupsFreeDests(1, dest);
        QCOMPARE(media, QStringLiteral("w113h79"));

        QVERIFY(makeSystem()->open(queue)->selectPaperForm(514));
        QCOMPARE(makeSystem()->open(queue)->paperSize(), 514);
    }

    // A queue that refuses jobs: the printer says so when the document
    // begins, and nothing is sent.
    void refusingQueueFails()
    {
        const auto printer = makeSystem()->open(QStringLiteral("SATO_R8_closed"));
        QVERIFY(printer);
        QVERIFY(!printer->failed());
        printer->painter()->drawText(200, 400, QStringLiteral("原材料名"));
        QVERIFY(printer->failed());
        QCOMPARE(printer->error(), QStringLiteral("プリンター「SATO_R8_closed」は印刷を受け付けていません"));
        QVERIFY(!printer->endDocument());
        QCOMPARE(static_cast<CupsPrinter *>(printer.get())->lastJobId(), 0);
    }

    // A queue that closes while the label is drawn: the job is refused, and
    // the printer says so instead of reporting success.
    void refusedJobIsReported()
    {
        const QString queue = QStringLiteral("SATO_R8_closed");
        QCOMPARE(QProcess::execute(QStringLiteral("cupsaccept"), {queue}), 0);
        const auto printer = makeSystem()->open(queue);
        printer->painter()->drawText(200, 400, QStringLiteral("原材料名"));
        QVERIFY(!printer->failed());
        QCOMPARE(QProcess::execute(QStringLiteral("cupsreject"), {queue}), 0);
        QVERIFY(!printer->endDocument());
        QVERIFY(printer->failed());
        QVERIFY2(printer->error().startsWith(QStringLiteral("印刷データの送信に失敗しました\r")), qPrintable(printer->error()));
        QCOMPARE(static_cast<CupsPrinter *>(printer.get())->lastJobId(), 0);
    }
};

QTEST_MAIN(TestCupsPrinters)
#include "tst_cupsprinters.moc"
