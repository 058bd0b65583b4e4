#include "engine/render/labelrenderer.h"
#include "engine/render/printerpagetarget.h"
#include "platform/clock.h"
#include "platform/cupsprinter.h"
#include "platform/cupsprintersystem.h"
#include "platform/messagesink.h"
#include "platform/pdfprinter.h"
#include "platform/programexit.h"
#include "tests/spooler/pdfprobe.h"
#include "tests/support/spooler.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

// Fields printed through the private spooler of tests/spooler/spooler.sh,
// which scripts/test.sh starts: the label's characters reach the PDF in
// IPAGothic, where the line fitting put them.

class TestFieldsPrint : public QObject
{
    Q_OBJECT

    QTemporaryDir m_work;
    QString m_pdf;

private slots:
    void initTestCase()
    {
        QVERIFY2(testsupport::spoolerRunning(), testsupport::kNoSpooler);
        QVERIFY(m_work.isValid());

        const QString queue = QStringLiteral("SATO_T408v");
        platform::FixedClock clock{QDateTime(QDate(2024, 3, 5), QTime(9, 7))};
        platform::CupsPrinterSystem system(clock, platform::PdfPrinter::outputFolder(m_work.path()));
        const std::unique_ptr<platform::Printer> printer = system.open(queue);
        QVERIFY(printer);
        QVERIFY(printer->setPaperSize(515)); // 45 x 65 mm, the portrait label
        engine::PrinterPageTarget page(*printer);
        platform::RecordingMessageSink messages;
        platform::RecordingProgramExit exit;
        engine::LabelRenderer renderer({printer.get(), &page, nullptr, &messages, &exit, m_work.path()});

        engine::LabelJob job;
        job.toPrinter = true;
        job.baseDate = QDateTime(QDate(2024, 3, 5), QTime(9, 7));
        job[engine::LabelJob::LabelSize] = QString::fromUtf16(engine::kPortraitLabel);
        job[engine::LabelJob::RuledLines] = QStringLiteral("ooooooooooo");
        job[engine::LabelJob::CopyCount] = QStringLiteral("1");
        renderer.beginLabel(job);
        renderer.originX = 200;
        renderer.originY = 300;

        renderer.drawFieldLines(QStringLiteral("<b>名称：ケーキ"), 2);
        renderer.drawFieldLines(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefgh"), 0);
        renderer.drawFieldLines(QStringLiteral("<w>内容量"), 2);
        renderer.drawFieldLines(QStringLiteral("<d>YYYY/MM/DD"), 3);
        QVERIFY(messages.shown().isEmpty());
        QVERIFY(!renderer.aborted());
        QVERIFY2(printer->endDocument(), qPrintable(printer->error()));

        m_pdf = testsupport::waitForSpoolerJob(queue, static_cast<platform::CupsPrinter *>(printer.get())->lastJobId());
        QVERIFY2(!m_pdf.isEmpty(), "the job never arrived");
    }

    void fontIsIpaGothic()
    {
        QCOMPARE(testsupport::pdfFonts(m_pdf), QStringList{QStringLiteral("IPAGothic")});
    }

    // Each line starts at originX + 20 and on its line's y (twips / 20 =
    // points): 8-point lines 200 twips apart, a wide line 20 twips lower. A
    // word ends one character's advance after its last character's place on
    // the pitch.
    void wordsStandWhereTheLinesWere_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::addColumn<double>("height");
        QTest::addColumn<double>("right");
        // The sixth character of the bold title stands 740 twips on; a
        // full-width character is as wide as its size.
        QTest::newRow("bold title, line 0") << "名称：ケーキ" << 11.0 << 15.1 << 8.0 << 11.0 + 740 / 20.0 + 8.0;
        QTest::newRow("line 1: 31 characters with the overhang") << "ABCDEFGHIJKLMNOPQRSTUVWXYZabcde" << 11.0 << 25.1
                                                                 << 8.0 << -1.0;
        QTest::newRow("line 2: the rest") << "fgh" << 11.0 << 35.1 << 8.0 << -1.0;
        // On the 14-point pitch the third character stands 499 twips on.
        QTest::newRow("wide line 3 at 14 points") << "内容量" << 11.0 << 46.1 << 14.0 << 11.0 + 499 / 20.0 + 14.0;
        QTest::newRow("date field after the wide line's second line") << "2024/03/05" << 11.0 << 65.1 << 8.0 << -1.0;
    }
    void wordsStandWhereTheLinesWere()
    {
        QFETCH(QString, word);
        QFETCH(double, x);
        QFETCH(double, y);
        QFETCH(double, height);
        QFETCH(double, right);
        const QRectF box = testsupport::pdfWordBox(m_pdf, word);
        QVERIFY2(!box.isEmpty(), qPrintable(word + QStringLiteral(" not found in ") + testsupport::pdfText(m_pdf)));
        QVERIFY2(qAbs(box.left() - x) < 1.0, qPrintable(QStringLiteral("x %1").arg(box.left())));
        QVERIFY2(qAbs(box.top() - y) < 1.0, qPrintable(QStringLiteral("y %1").arg(box.top())));
        QVERIFY2(qAbs(box.height() - height) < 1.0, qPrintable(QStringLiteral("height %1").arg(box.height())));
        if (right >= 0)
            QVERIFY2(qAbs(box.right() - right) < 1.0, qPrintable(QStringLiteral("right %1").arg(box.right())));
    }
};

QTEST_MAIN(TestFieldsPrint)
#include "tst_fieldsprint.moc"
