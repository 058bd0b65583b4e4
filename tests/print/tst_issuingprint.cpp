#include "engine/render/expirydate.h"
#include "platform/clock.h"
#include "platform/cupsprinter.h"
#include "platform/cupsprintersystem.h"
#include "platform/messagesink.h"
#include "platform/pdfprinter.h"
#include "platform/programexit.h"
#include "print/issuingjob.h"
#include "store/settingssource.h"
#include "store/usersettings.h"
#include "tests/spooler/pdfprobe.h"
#include "tests/support/jobnotingsystem.h"
#include "tests/support/sampleproduct.h"
#include "tests/support/spooler.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

// The issuing job printing through the private spooler of
// tests/spooler/spooler.sh, which scripts/test.sh starts.

namespace {

const QString kQueue = QStringLiteral("SATO_T408v");

QString optionsOf(const QString &pdf)
{
    QFile file(pdf.chopped(4) + QStringLiteral(".opts"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

class TestIssuingPrint : public QObject
{
    Q_OBJECT

    QTemporaryDir m_work;
    platform::FixedClock m_clock{QDateTime(QDate(2026, 3, 5), QTime(9, 7))};
    platform::RecordingMessageSink m_messages;
    platform::RecordingProgramExit m_exit;
    store::FileSettingsSource m_settings{m_work.path()};
    std::unique_ptr<testsupport::JobNotingSystem> m_system;
    std::unique_ptr<print::IssuingJob> m_job;

    void useCollated(const QString &collated)
    {
        store::UserSettings settings = store::UserSettings::defaults();
        settings.printer = kQueue;
        settings.collatedPrinting = collated;
        settings.paperForm = QStringLiteral("0515"); // 45 x 65 mm, the portrait label
        // Start positions that put the whole label on that paper.
        settings.portraitStartX = QStringLiteral("200");
        settings.portraitStartY = QStringLiteral("300");
        settings.dataLocation = store::kLocationHardDisk.toString();
        QVERIFY(store::writeUserSettings(m_work.path(), settings).ok);
    }

    print::IssuingInput input(const QString &name, const QString &copies, const QString &addDays = QStringLiteral("1"))
    {
        print::IssuingInput in;
        in.number = QStringLiteral("0001");
        in.displayMethod = QString::fromUtf16(engine::kDisplayByAddedDays);
        in.copies = copies;
        in.year = QStringLiteral("2026");
        in.month = QStringLiteral("3");
        in.day = QStringLiteral("5");
        in.hour = QStringLiteral("9");
        in.minute = QStringLiteral("7");
        in = print::showProduct(in, testsupport::sampleProduct(QStringLiteral("0001"), name));
        in.addDays = addDays;
        return in;
    }

    QStringList arrivedPdfs()
    {
        QStringList pdfs;
        for (int id : std::as_const(m_system->jobs))
            pdfs.append(testsupport::waitForSpoolerJob(kQueue, id));
        return pdfs;
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(testsupport::spoolerRunning(), testsupport::kNoSpooler);
        QVERIFY(m_work.isValid());
    }

    void init()
    {
        m_messages.clear();
        m_system = std::make_unique<testsupport::JobNotingSystem>(m_clock, platform::PdfPrinter::outputFolder(m_work.path()));
        const print::IssuingServices services{.printers = m_system.get(), .settings = &m_settings,
                                              .messages = &m_messages, .exit = &m_exit, .workDir = m_work.path()};
        m_job = std::make_unique<print::IssuingJob>(services, store::ProductFile(store::productFilePaths(m_work.path())));
    }

    void collatedCopiesAreOneDocumentOfIdenticalPages()
    {
        useCollated(QStringLiteral("する"));
        QVERIFY(m_job->printShownProduct(input(QStringLiteral("品名:幕の内"), QStringLiteral("3"))).ok);
        QVERIFY2(m_messages.shown().isEmpty(), qPrintable(m_messages.shown().join(u'\n')));
        const QStringList pdfs = arrivedPdfs();
        QCOMPARE(pdfs.size(), 1);
        QVERIFY2(!pdfs.constFirst().isEmpty(), "the job never arrived");
        QCOMPARE(testsupport::pdfPageCount(pdfs.constFirst()), 3);
        // Every copy starts from the job's base date: the same expiry date on each page.
        const QStringList pages = testsupport::pdfText(pdfs.constFirst()).split(u'\f', Qt::SkipEmptyParts);
        QCOMPARE(pages.size(), 3);
        for (const QString &page : pages) {
            QCOMPARE(page, pages.constFirst());
            QVERIFY2(page.contains(QStringLiteral("2026/03/06")), qPrintable(page));
        }
        QVERIFY(optionsOf(pdfs.constFirst()).startsWith(QStringLiteral("copies=1\n")));
    }

    void printerCopiesAreOnePage()
    {
        useCollated(QStringLiteral("しない"));
        QVERIFY(m_job->printShownProduct(input(QStringLiteral("品名:幕の内"), QStringLiteral("3"))).ok);
        const QStringList pdfs = arrivedPdfs();
        QCOMPARE(pdfs.size(), 1);
        QVERIFY2(!pdfs.constFirst().isEmpty(), "the job never arrived");
        QCOMPARE(testsupport::pdfPageCount(pdfs.constFirst()), 1);
        const QString options = optionsOf(pdfs.constFirst());
        QVERIFY2(options.startsWith(QStringLiteral("copies=3\n")), qPrintable(options));
    }

    void issueListPrintsInOrderAfterADeletion()
    {
        useCollated(QStringLiteral("する"));
        const QStringList names{QStringLiteral("品名:一番"), QStringLiteral("品名:二番"), QStringLiteral("品名:三番")};
        for (int i = 0; i < names.size(); ++i)
            QVERIFY(m_job->registerIssueEntry(input(names.at(i), QString::number(i + 1), QString::number(i))).ok);
        m_job->deleteIssueEntry(0);
        QVERIFY(m_job->printIssueList().ok);
        const QStringList pdfs = arrivedPdfs();
        QCOMPARE(pdfs.size(), 2);
        const QStringList expected{QStringLiteral("二番"), QStringLiteral("三番")};
        const QStringList dates{QStringLiteral("2026/03/06"), QStringLiteral("2026/03/07")};
        for (int i = 0; i < 2; ++i) {
            QVERIFY2(!pdfs.at(i).isEmpty(), "the job never arrived");
            QCOMPARE(testsupport::pdfPageCount(pdfs.at(i)), i + 2);
            const QString text = testsupport::pdfText(pdfs.at(i));
            QVERIFY2(text.contains(expected.at(i)), qPrintable(text));
            QVERIFY2(text.contains(dates.at(i)), qPrintable(text));
        }
    }
};

QTEST_MAIN(TestIssuingPrint)
#include "tst_issuingprint.moc"
