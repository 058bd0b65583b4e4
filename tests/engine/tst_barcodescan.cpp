#include "engine/render/labelrenderer.h"
#include "engine/render/printerpagetarget.h"
#include "platform/clock.h"
#include "platform/cupsprinter.h"
#include "platform/cupsprintersystem.h"
#include "platform/messagesink.h"
#include "platform/pdfprinter.h"
#include "platform/programexit.h"
#include "tests/spooler/pdfprobe.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

// JAN symbols printed through the private spooler of tests/spooler/spooler.sh
// (scripts/test.sh starts it), rendered at the printer's own resolution and
// read back by a barcode scanner: every label must give exactly its digits.

namespace {

const QStringList kCodes = {
    QStringLiteral("4901234567894"), QStringLiteral("1234567890128"), QStringLiteral("3000000000120"),
    QStringLiteral("5901234123457"), QStringLiteral("9784020132750"), QStringLiteral("49123456"),
    QStringLiteral("12345670"),      QStringLiteral("96385074"),      QStringLiteral("55123457"),
    QStringLiteral("73513537"),
};

QString symbology(const QString &code)
{
    return code.size() == 13 ? QStringLiteral("EAN-13:") : QStringLiteral("EAN-8:");
}

} // namespace

class TestBarcodeScan : public QObject
{
    Q_OBJECT

    QTemporaryDir m_work;

private slots:
    void initTestCase()
    {
        if (qEnvironmentVariableIsEmpty("CUPS_SERVER") || qEnvironmentVariableIsEmpty("SAKURABE_TEST_SPOOL_OUT"))
            QFAIL("no test spooler: run through scripts/test.sh");
        QVERIFY(m_work.isValid());
    }

    void everyLabelReadsAsItsDigits_data()
    {
        QTest::addColumn<QString>("queue");
        QTest::addColumn<int>("dpi");
        QTest::addColumn<bool>("landscape");
        QTest::newRow("203 dpi, upright") << "SATO_T408v" << 203 << false;
        QTest::newRow("203 dpi, turned") << "SATO_T408v" << 203 << true;
        QTest::newRow("305 dpi, upright") << "SATO_T412v" << 305 << false;
        QTest::newRow("305 dpi, turned") << "SATO_T412v" << 305 << true;
    }
    void everyLabelReadsAsItsDigits()
    {
        QFETCH(QString, queue);
        QFETCH(int, dpi);
        QFETCH(bool, landscape);

        // One document, one label a page.
        platform::FixedClock clock{QDateTime(QDate(2024, 3, 5), QTime(9, 7))};
        platform::CupsPrinterSystem system(clock, platform::PdfPrinter::outputFolder(m_work.path()));
        const std::unique_ptr<platform::Printer> printer = system.open(queue);
        QVERIFY(printer);
        QCOMPARE(printer->resolution(), dpi);
        QVERIFY(printer->setPaperSize(515)); // 45 x 65 mm
        engine::PrinterPageTarget page(*printer);
        platform::RecordingMessageSink messages;
        platform::RecordingProgramExit exit;
        engine::LabelRenderer renderer({printer.get(), &page, nullptr, &messages, &exit, m_work.path()});

        engine::LabelJob job;
        job.toPrinter = true;
        job.baseDate = clock.now();
        job[engine::LabelJob::LabelSize] =
            QString::fromUtf16(landscape ? engine::kLandscapeLabel : engine::kPortraitLabel);
        job[engine::LabelJob::CopyCount] = QStringLiteral("1");
        for (qsizetype i = 0; i < kCodes.size(); ++i) {
            if (i > 0)
                QVERIFY(printer->newPage());
            renderer.beginLabel(job);
            // Start positions that keep the symbol and its quiet zones on the
            // label, each label at another place against the printer's dots.
            const qint32 shift = static_cast<qint32>(37 * i);
            renderer.originX = 200 + shift;
            renderer.originY = 100;
            renderer.landscapeOriginX = 0;
            renderer.landscapeOriginY = 100 + shift;
            if (landscape) {
                // Where a landscape label with one mark has its symbol.
                qint32 y = renderer.landscapeOriginY + 1500;
                renderer.drawBarcodeRotated(renderer.landscapeOriginX + 3000, y, kCodes.at(i), 14, 350, 40);
            } else {
                double x = renderer.originX + 120;
                renderer.drawBarcode(x, renderer.originY + 3020, kCodes.at(i), 14, 350, 40);
            }
        }
        QVERIFY(messages.shown().isEmpty());
        QVERIFY(!renderer.aborted());
        QVERIFY2(printer->endDocument(), qPrintable(printer->error()));
        const QString pdf = testsupport::waitForSpoolerJob(queue, static_cast<platform::CupsPrinter *>(printer.get())->lastJobId());
        QVERIFY2(!pdf.isEmpty(), "the job never arrived");
        QCOMPARE(testsupport::pdfPageCount(pdf), kCodes.size());

        // The pages as the printer's head would make them, then each one scanned.
        const QString pages = m_work.filePath(QStringLiteral("%1-%2").arg(queue).arg(landscape));
        QVERIFY(QDir().mkpath(pages));
        QProcess render;
        render.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-gray"),
                                                  pdf, pages + QStringLiteral("/page")});
        QVERIFY(render.waitForFinished(60000));
        QCOMPARE(render.exitCode(), 0);
        const QStringList rendered = QDir(pages).entryList({QStringLiteral("page-*.pgm")}, QDir::Files, QDir::Name);
        QCOMPARE(rendered.size(), kCodes.size());
        for (qsizetype i = 0; i < kCodes.size(); ++i) {
            const QString read = testsupport::runTool(QStringLiteral("zbarimg"),
                                                      {QStringLiteral("--quiet"), pages + u'/' + rendered.at(i)});
            QCOMPARE(read, symbology(kCodes.at(i)) + kCodes.at(i) + u'\n');
        }
    }
};

QTEST_MAIN(TestBarcodeScan)
#include "tst_barcodescan.moc"
