#include "engine/render/expirydate.h"
#include "engine/render/imagepreviewhost.h"
#include "engine/render/previewgeometry.h"
#include "engine/render/recording.h"
#include "platform/fakeprintersystem.h"
#include "platform/messagesink.h"
#include "platform/programexit.h"
#include "print/copycount.h"
#include "print/issuingjob.h"
#include "store/settingssource.h"
#include "store/usersettings.h"
#include "tests/support/sampleproduct.h"

#include <QTemporaryDir>
#include <QTest>

using print::IssuingInput;
using print::IssuingJob;

namespace {

const QString kPrinter = QStringLiteral("SATO_T408v");

store::ProductRecord product(const QString &number, const QString &name, const QString &size = QString::fromUtf16(engine::kPortraitLabel))
{
    store::ProductRecord record = testsupport::sampleProduct(number, name);
    record.labelSize = size;
    return record;
}

// A working folder with user.dat and the product file, a fake label printer
// and the job over them.
struct IssuingFixture
{
    explicit IssuingFixture(const QString &collated = QStringLiteral("する"), const QString &printer = kPrinter)
    {
        system.addPrinter({kPrinter, 203, platform::FakePrinterSystem::labelPrinterForms()});
        store::UserSettings settings = store::UserSettings::defaults();
        settings.printer = printer;
        settings.collatedPrinting = collated;
        settings.dataLocation = store::kLocationHardDisk.toString();
        QVERIFY(store::writeUserSettings(folder.path(), settings).ok);
        const print::IssuingServices services{.printers = &system, .settings = &settingsFile, .messages = &messages,
                                              .exit = &exit, .previews = &recording, .workDir = folder.path()};
        job = std::make_unique<IssuingJob>(services, products());
    }

    store::ProductFile products() const
    {
        return print::productFileFor(folder.path(), settingsFile.readOrDefaults(), QString());
    }

    IssuingInput shown(const store::ProductRecord &record, const QString &copies = QStringLiteral("1")) const
    {
        IssuingInput input;
        input.number = record.number;
        input.displayMethod = QString::fromUtf16(engine::kDisplayByAddedDays);
        input.copies = copies;
        input.year = QStringLiteral("2026");
        input.month = QStringLiteral("03");
        input.day = QStringLiteral("05");
        input.hour = QStringLiteral("09");
        input.minute = QStringLiteral("07");
        return print::showProduct(input, record);
    }

    void save(const store::ProductRecord &record) const
    {
        QVERIFY(products().saveRecord(record).ok);
    }

    const platform::FakePrinterRecord &printed() const { return system.record(kPrinter); }

    QTemporaryDir folder;
    store::FileSettingsSource settingsFile{folder.path()};
    platform::FakePrinterSystem system;
    platform::RecordingMessageSink messages;
    platform::RecordingProgramExit exit;
    engine::Recording recording;
    std::unique_ptr<IssuingJob> job;
};

const QString kBadCopies = QStringLiteral("枚数の指定が異常です");

} // namespace

class TestIssuingJob : public QObject
{
    Q_OBJECT

private slots:
    void copies_data()
    {
        QTest::addColumn<QString>("collated");
        QTest::addColumn<QString>("copies");
        QTest::addColumn<int>("pages");
        QTest::addColumn<int>("printerCopies");
        QTest::newRow("collated 3: three pages") << "する" << "3" << 3 << 1;
        QTest::newRow("by the printer 3: one page") << "しない" << "3" << 1 << 3;
        QTest::newRow("2.5 rounds half to even") << "する" << "2.5" << 2 << 1;
        QTest::newRow("3.5 rounds half to even") << "しない" << "3.5" << 1 << 4;
        QTest::newRow("2枚 counts 2") << "する" << "2枚" << 2 << 1;
    }
    void copies()
    {
        QFETCH(QString, collated);
        QFETCH(QString, copies);
        QFETCH(int, pages);
        QFETCH(int, printerCopies);
        IssuingFixture f(collated);
        const print::IssuingOutcome outcome = f.job->printShownProduct(f.shown(product("0001", "品名:弁当"), copies));
        QVERIFY(outcome.ok);
        QVERIFY(f.messages.shown().isEmpty());
        QCOMPARE(f.printed().documents.size(), 1);
        const platform::FakeDocument &document = f.printed().documents.constFirst();
        QCOMPARE(document.pages.size(), pages);
        QCOMPARE(document.copies, printerCopies);
        // Every copy the same label, the expiry date included.
        for (const platform::FakePage &page : document.pages)
            QCOMPARE(page.image, document.pages.constFirst().image);
    }

    void refusedCopies_data()
    {
        QTest::addColumn<QString>("copies");
        QTest::newRow("0.4 rounds to 0") << "0.4";
        QTest::newRow("0") << "0";
        QTest::newRow("0.5 rounds to 0") << "0.5";
        QTest::newRow("32768") << "32768";
        QTest::newRow("abc") << "abc";
        QTest::newRow("negative") << "-1";
    }
    void refusedCopies()
    {
        QFETCH(QString, copies);
        IssuingFixture f;
        const print::IssuingOutcome outcome = f.job->printShownProduct(f.shown(product("0001", "品名:弁当"), copies));
        QVERIFY(!outcome.ok);
        QCOMPARE(outcome.focus, print::IssuingFocus::Copies);
        QCOMPARE(f.messages.shown(), QStringList{kBadCopies});
        QVERIFY(f.printed().documents.isEmpty());
        QVERIFY(f.printed().openPages.isEmpty());
    }

    void largestCopyCount()
    {
        QCOMPARE(print::copyCountOf(QStringLiteral("32767")), 32767);
        QCOMPARE(print::copyCountOf(QStringLiteral("32767.4")), 32767);
        QCOMPARE(print::copyCountOf(QStringLiteral("0.6")), 1);
    }

    void missingPrinterEndsTheProgram_data()
    {
        QTest::addColumn<bool>("list");
        QTest::newRow("print") << false;
        QTest::newRow("issue list") << true;
    }
    void missingPrinterEndsTheProgram()
    {
        QFETCH(bool, list);
        IssuingFixture f(QStringLiteral("する"), QStringLiteral("SATO_GONE"));
        const IssuingInput input = f.shown(product("0001", "品名:弁当"));
        if (list) {
            QVERIFY(f.job->registerIssueEntry(input).ok);
            QVERIFY(!f.job->printIssueList().ok);
        } else {
            QVERIFY(!f.job->printShownProduct(input).ok);
        }
        QCOMPARE(f.messages.shown().size(), 1);
        const QString message = f.messages.shown().constFirst();
        QVERIFY(message.startsWith(QString(11, QChar(0x3000)) + QStringLiteral("■■■指定されたプリンターのドライバーが見つかりません■■■\r\r")));
        QVERIFY(message.endsWith(QStringLiteral("\r詳しくは、「さくらべ」の操作説明書をご確認下さいませ。このソフトウェアは、この時点で終了します。")));
        QVERIFY(f.exit.requested());
        QVERIFY(f.job->ended());
        QCOMPARE(f.printed().timesOpened, 0);
    }

    void noProductShown()
    {
        IssuingFixture f;
        IssuingInput input = f.shown(product("0001", "品名:弁当"));
        input.product.reset();
        const print::IssuingOutcome printed = f.job->printShownProduct(input);
        QCOMPARE(printed.focus, print::IssuingFocus::Number);
        QVERIFY(!f.job->previewShownProduct(input).ok);
        QCOMPARE(f.messages.shown(),
                 (QStringList{QStringLiteral("登録番号に対する商品情報が見当りませんでした為、印刷を行いませんでした"),
                              QStringLiteral("商品情報が選択されていません\r商品情報を選択して下さい")}));
        QVERIFY(f.printed().documents.isEmpty());
    }

    void invalidBaseDatePrintsNothingSilently()
    {
        IssuingFixture f;
        IssuingInput input = f.shown(product("0001", "品名:弁当"));
        input.day = QStringLiteral("30");
        input.month = QStringLiteral("02");
        QCOMPARE(f.job->printShownProduct(input).focus, print::IssuingFocus::Keyword);
        QVERIFY(!f.job->previewShownProduct(input).ok);
        QVERIFY(f.messages.shown().isEmpty());
        QVERIFY(f.printed().documents.isEmpty());
        QVERIFY(f.recording.lines().isEmpty());
    }

    void paperFormFromSettings_data()
    {
        QTest::addColumn<QString>("line6");
        QTest::addColumn<QStringList>("calls");
        QTest::newRow("0000 leaves the paper") << "0000" << QStringList{};
        QTest::newRow("the paper in hand is not set again") << "0513" << QStringList{};
        QTest::newRow("another paper is set") << "0515" << QStringList{QStringLiteral("setPaperSize 515")};
    }
    void paperFormFromSettings()
    {
        QFETCH(QString, line6);
        QFETCH(QStringList, calls);
        IssuingFixture f;
        store::UserSettings settings = *store::readUserSettings(f.folder.path());
        settings.paperForm = line6;
        QVERIFY(store::writeUserSettings(f.folder.path(), settings).ok);
        QVERIFY(f.job->printShownProduct(f.shown(product("0001", "品名:弁当"))).ok);
        QStringList paperCalls;
        for (const QString &call : f.printed().calls) {
            if (call.startsWith(u"setPaperSize"))
                paperCalls.append(call);
        }
        QCOMPARE(paperCalls, calls);
    }

    void unknownLabelSizeEndsAnEmptyDocument()
    {
        IssuingFixture f;
        QVERIFY(f.job->printShownProduct(f.shown(product("0001", "品名:弁当", QStringLiteral("A4")), QStringLiteral("3"))).ok);
        QCOMPARE(f.printed().calls.count(QStringLiteral("endDocument")), 1);
        QVERIFY(f.printed().documents.isEmpty());
    }

    void failedHandOverIsReported()
    {
        IssuingFixture f;
        // A printer that takes the drawing but refuses the job.
        f.system.addPrinter({QStringLiteral("SATO_REFUSING"), 203, platform::FakePrinterSystem::labelPrinterForms(),
                             0, false, true});
        store::UserSettings settings = *store::readUserSettings(f.folder.path());
        settings.printer = QStringLiteral("SATO_REFUSING");
        QVERIFY(store::writeUserSettings(f.folder.path(), settings).ok);
        QVERIFY(!f.job->printShownProduct(f.shown(product("0001", "品名:弁当"))).ok);
        QCOMPARE(f.messages.shown().size(), 1);
        QVERIFY(!f.messages.shown().constFirst().isEmpty());
    }

    void issueListPrintsInOrderAfterADeletion()
    {
        IssuingFixture f(QStringLiteral("しない"));
        const QStringList names{QStringLiteral("品名:一"), QStringLiteral("品名:二"), QStringLiteral("品名:三")};
        for (int i = 0; i < names.size(); ++i)
            QVERIFY(f.job->registerIssueEntry(f.shown(product(QStringLiteral("000%1").arg(i + 1), names.at(i)),
                                                      QString::number(i + 2))).ok);
        QCOMPARE(f.job->issueList().at(0).text, QStringLiteral("0001 品名:一 2枚"));
        f.job->deleteIssueEntry(0);
        f.job->deleteIssueEntry(5); // nothing selected
        QCOMPARE(f.job->issueList().size(), 2);
        QCOMPARE(f.job->issueList().at(0).text, QStringLiteral("0002 品名:二 3枚"));
        QVERIFY(f.job->printIssueList().ok);
        // One document per entry, in list order, each with its own copy count.
        QCOMPARE(f.printed().documents.size(), 2);
        QCOMPARE(f.printed().documents.at(0).copies, 3);
        QCOMPARE(f.printed().documents.at(1).copies, 4);
        // The list stays and can be issued again.
        QVERIFY(f.job->printIssueList().ok);
        QCOMPARE(f.printed().documents.size(), 4);
    }

    void issueListEntryWithoutCopiesPrintsNothing_data()
    {
        QTest::addColumn<QString>("collated");
        QTest::newRow("collated") << "する";
        QTest::newRow("by the printer") << "しない";
    }
    void issueListEntryWithoutCopiesPrintsNothing()
    {
        QFETCH(QString, collated);
        IssuingFixture f(collated);
        QVERIFY(f.job->registerIssueEntry(f.shown(product("0001", "品名:一"), QString())).ok);
        QVERIFY(f.job->registerIssueEntry(f.shown(product("0002", "品名:二"), QStringLiteral("1"))).ok);
        QVERIFY(f.job->printIssueList().ok);
        QCOMPARE(f.printed().documents.size(), 1);
        QCOMPARE(f.printed().documents.constFirst().pages.size(), 1);
    }

    void invalidDateEntryIsRefused()
    {
        IssuingFixture f;
        IssuingInput input = f.shown(product("0001", "品名:一"));
        input.month = QStringLiteral("13");
        QVERIFY(!f.job->registerIssueEntry(input).ok);
        QVERIFY(f.job->issueList().isEmpty());
        QCOMPARE(f.messages.shown(), QStringList{QStringLiteral("存在しない日付を指定されました")});
    }

    void emptyIssueList()
    {
        IssuingFixture f;
        QVERIFY(!f.job->printIssueList().ok);
        QCOMPARE(f.messages.shown(), QStringList{QStringLiteral("印刷する商品が登録されていません。\rまずは登録を行って下さい")});
        QVERIFY(f.printed().documents.isEmpty());
    }

    void issueListHasNoThousandLimit()
    {
        IssuingFixture f;
        const IssuingInput input = f.shown(product("0001", "品名:一"));
        for (int i = 0; i < 1001; ++i)
            f.job->registerIssueEntry(input);
        QCOMPARE(f.job->issueList().size(), 1001);
    }

    // The preview is sized for the printer of user.dat line 1; one that is
    // not installed is reported, and the preview is drawn all the same.
    void previewMeasuresOnTheSettingsPrinter_data()
    {
        QTest::addColumn<QString>("printer");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<int>("dpi");
        QTest::newRow("203 dpi") << kPrinter << QStringList{} << 203;
        QTest::newRow("305 dpi") << "SATO_T412v" << QStringList{} << 305;
        QTest::newRow("not installed") << "SATO_GONE" << QStringList{QStringLiteral("指定のプリンターが見つかりません")} << 203;
    }
    void previewMeasuresOnTheSettingsPrinter()
    {
        QFETCH(QString, printer);
        QFETCH(QStringList, messages);
        QFETCH(int, dpi);
        IssuingFixture f(QStringLiteral("する"), printer);
        f.system.addPrinter({QStringLiteral("SATO_T412v"), 305, platform::FakePrinterSystem::labelPrinterForms()});
        engine::ImagePreviewHost images;
        const print::IssuingServices services{.printers = &f.system, .settings = &f.settingsFile,
                                              .messages = &f.messages, .exit = &f.exit, .previews = &images,
                                              .workDir = f.folder.path()};
        IssuingJob job(services, f.products());
        QVERIFY(job.previewShownProduct(f.shown(product("0001", "品名:弁当"))).ok);
        QCOMPARE(f.messages.shown(), messages);
        const double workWidth = engine::previewGeometry(engine::PreviewShape::Portrait, 1440.0 / dpi).work.twips.width();
        // 96 screen pixels an inch, 1440 twips.
        QCOMPARE(images.image().width(), static_cast<int>(std::ceil(workWidth / 15.0 - 1e-9)));
        QVERIFY(!f.exit.requested());
    }

    void previewDrawsOnThePreview()
    {
        IssuingFixture f;
        QVERIFY(f.job->previewShownProduct(f.shown(product("0001", "品名:弁当"), QStringLiteral("3"))).ok);
        QVERIFY(f.printed().documents.isEmpty());
        QVERIFY(f.printed().calls.filter(QStringLiteral("setCopies")).isEmpty());
        QVERIFY(f.recording.text().contains(QStringLiteral("弁")));
    }

    void missingProductFileMeansNoProducts()
    {
        IssuingFixture f;
        QString error;
        QVERIFY(!f.job->lookupProduct(QStringLiteral("0001"), &error));
        QVERIFY(error.isEmpty());
        f.job->dumpOutput(f.shown(product("0001", "")), print::IssuingMode::OneKind);
        QCOMPARE(f.messages.shown(), QStringList{QStringLiteral("ダンプ印刷を完了しました")});
        QVERIFY(f.printed().documents.isEmpty());
    }

    void dumpOutput()
    {
        IssuingFixture f(QStringLiteral("しない"));
        f.save(product("0002", "品名:二"));
        f.save(product("0300", "品名:三百"));
        f.save(product("0301", "品名:三百一"));
        IssuingInput base = f.shown(product("0001", ""), QStringLiteral("5"));
        base.product.reset();
        f.job->dumpOutput(base, print::IssuingMode::SeveralKinds);
        QCOMPARE(f.job->issueList().size(), 2);
        QCOMPARE(f.job->issueList().at(0).text, QStringLiteral("0002 品名:二 1枚"));
        QCOMPARE(f.job->issueList().at(1).text, QStringLiteral("0300 品名:三百 1枚"));
        QVERIFY(f.printed().documents.isEmpty());

        f.job->dumpOutput(base, print::IssuingMode::OneKind);
        QCOMPARE(f.printed().documents.size(), 2);
        QCOMPARE(f.messages.shown().count(QStringLiteral("ダンプ印刷を完了しました")), 2);
    }
};

QTEST_MAIN(TestIssuingJob)
#include "tst_issuingjob.moc"
