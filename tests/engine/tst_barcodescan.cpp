#include "engine/compose/composelabel.h"
#include "engine/render/expirydate.h"
#include "engine/render/labelrenderer.h"
#include "engine/render/markpictures.h"
#include "engine/render/printerpagetarget.h"
#include "platform/clock.h"
#include "platform/cupsprinter.h"
#include "platform/cupsprintersystem.h"
#include "platform/messagesink.h"
#include "platform/pdfprinter.h"
#include "platform/programexit.h"
#include "print/labeljobfill.h"
#include "store/productrecord.h"
#include "store/usersettings.h"
#include "tests/spooler/pdfprobe.h"
#include "tests/support/sampleproduct.h"
#include "tests/support/spooler.h"

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

// A whole product label around the code: boxed fields, the expiry line and
// the marks beside the symbol.
store::ProductRecord labelWith(const QString &code, const QString &mark, const QString &size)
{
    // Texts short enough to leave room for the bars below them.
    store::ProductRecord r = testsupport::sampleProduct();
    r.ingredients = QStringLiteral("原材料名:ご飯、鮭塩焼き、卵焼き、煮物（人参、椎茸、筍）、漬物、ごま");
    r.responsible = QStringLiteral("製造者:さくら食品株式会社");
    r.remarks.clear();
    r.barcode = code;
    r.recycleMark = mark;
    r.recycleSub2 = QStringLiteral("ふた");
    r.labelSize = size;
    return r;
}

// The pages of a spooled PDF as the printer's head makes them, each read by
// the scanner: one line of symbology and digits a page, or what it said.
QStringList scanPages(const QString &pdf, int dpi, const QString &folder)
{
    QStringList reads;
    if (!QDir().mkpath(folder))
        return reads;
    QProcess render;
    render.start(QStringLiteral("pdftoppm"),
                 {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-gray"), pdf, folder + QStringLiteral("/page")});
    if (!render.waitForFinished(60000) || render.exitCode() != 0)
        return reads;
    for (const QString &page : QDir(folder).entryList({QStringLiteral("page-*.pgm")}, QDir::Files, QDir::Name))
        reads.append(testsupport::runTool(QStringLiteral("zbarimg"), {QStringLiteral("--quiet"), folder + u'/' + page}));
    return reads;
}

} // namespace

class TestBarcodeScan : public QObject
{
    Q_OBJECT

    QTemporaryDir m_work;

private slots:
    void initTestCase()
    {
        QVERIFY2(testsupport::spoolerRunning(), testsupport::kNoSpooler);
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
        const QStringList reads = scanPages(pdf, dpi, m_work.filePath(QStringLiteral("%1-%2").arg(queue).arg(landscape)));
        QCOMPARE(reads.size(), kCodes.size());
        for (qsizetype i = 0; i < kCodes.size(); ++i)
            QCOMPARE(reads.at(i), symbology(kCodes.at(i)) + kCodes.at(i) + u'\n');
    }

    // Whole labels as the composers lay them out, marks and text boxes
    // beside the symbol: upright on portrait labels, turned on landscape
    // ones, one label a page.
    void wholeLabelsRead_data()
    {
        QTest::addColumn<QString>("queue");
        QTest::addColumn<int>("dpi");
        QTest::newRow("203 dpi") << "SATO_T408v" << 203;
        QTest::newRow("305 dpi") << "SATO_T412v" << 305;
    }
    void wholeLabelsRead()
    {
        QFETCH(QString, queue);
        QFETCH(int, dpi);
        const QString portrait = QString::fromUtf16(engine::kPortraitLabel);
        const QString landscape = QString::fromUtf16(engine::kLandscapeLabel);
        const QList<store::ProductRecord> labels = {
            labelWith(QStringLiteral("4901234567894"), QStringLiteral("プラ"), portrait),
            labelWith(QStringLiteral("49123456"), QStringLiteral("紙＆プラ"), portrait),
            labelWith(QStringLiteral("4901234567894"), QStringLiteral("紙"), landscape),
            labelWith(QStringLiteral("49123456"), QStringLiteral("なし"), landscape),
        };

        // Start positions that keep both formats on the 45 x 65 mm medium.
        QTemporaryDir work;
        store::UserSettings settings = store::UserSettings::defaults();
        settings.portraitStartX = QStringLiteral("200");
        settings.portraitStartY = QStringLiteral("100");
        settings.landscapeStartX = QStringLiteral("100");
        settings.landscapeStartY = QStringLiteral("-2700");
        QVERIFY(store::writeUserSettings(work.path(), settings).ok);
        engine::ensureMarkPictures(work.path());

        platform::FixedClock clock{QDateTime(QDate(2024, 3, 5), QTime(9, 7))};
        platform::CupsPrinterSystem system(clock, platform::PdfPrinter::outputFolder(work.path()));
        const std::unique_ptr<platform::Printer> printer = system.open(queue);
        QVERIFY(printer);
        QVERIFY(printer->setPaperSize(515));
        engine::PrinterPageTarget page(*printer);
        platform::RecordingMessageSink messages;
        platform::RecordingProgramExit exit;
        engine::LabelRenderer renderer({printer.get(), &page, nullptr, &messages, &exit, work.path(), settings});
        for (qsizetype i = 0; i < labels.size(); ++i) {
            if (i > 0)
                QVERIFY(printer->newPage());
            QVERIFY(engine::composeLabel(renderer, print::fillLabelJob(labels.at(i), print::JobKind::IssuingPrint, clock.now(),
                                                                       {QString::fromUtf16(engine::kDisplayByAddedDays),
                                                                        QStringLiteral("1")})));
        }
        QVERIFY2(messages.shown().isEmpty(), qPrintable(messages.shown().join(u'\n')));
        QVERIFY2(printer->endDocument(), qPrintable(printer->error()));
        const QString pdf = testsupport::waitForSpoolerJob(queue, static_cast<platform::CupsPrinter *>(printer.get())->lastJobId());
        QVERIFY2(!pdf.isEmpty(), "the job never arrived");
        QCOMPARE(testsupport::pdfImageCount(pdf), 4); // プラ, 紙 and プラ, 紙

        const QStringList reads = scanPages(pdf, dpi, m_work.filePath(QStringLiteral("whole-%1").arg(queue)));
        QCOMPARE(reads.size(), labels.size());
        for (qsizetype i = 0; i < labels.size(); ++i)
            QCOMPARE(reads.at(i), symbology(labels.at(i).barcode) + labels.at(i).barcode + u'\n');
    }
};

QTEST_MAIN(TestBarcodeScan)
#include "tst_barcodescan.moc"
