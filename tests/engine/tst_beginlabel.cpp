#include "tests/support/labelfixture.h"

#include "store/usersettings.h"

#include <QDir>
#include <QImage>
#include <QTest>

using engine::LabelJob;

namespace {

LabelJob jobFor(const QString &size, bool toPrinter, const QString &mask = QStringLiteral("ooooooooooo"))
{
    LabelJob job;
    job[LabelJob::Number] = QStringLiteral("0001");
    job[LabelJob::LabelSize] = size;
    job[LabelJob::RuledLines] = mask;
    job[LabelJob::CopyCount] = QStringLiteral("3");
    job.toPrinter = toPrinter;
    job.baseDate = QDateTime(QDate(2024, 3, 5), QTime(9, 7));
    return job;
}

void useSettings(LabelFixture &fixture, int x, int y, int landscapeX, int landscapeY,
                 const QString &collated = QStringLiteral("しない"))
{
    store::UserSettings settings = store::UserSettings::defaults();
    settings.portraitStartX = QString::number(x);
    settings.portraitStartY = QString::number(y);
    settings.landscapeStartX = QString::number(landscapeX);
    settings.landscapeStartY = QString::number(landscapeY);
    settings.collatedPrinting = collated;
    fixture.useSettings(settings);
}

} // namespace

class TestBeginLabel : public QObject
{
    Q_OBJECT

private slots:
    void origins_data()
    {
        QTest::addColumn<QString>("printer");
        QTest::addColumn<QString>("size");
        QTest::addColumn<bool>("toPrinter");
        QTest::addColumn<bool>("registration");
        QTest::addColumn<QList<int>>("settings"); // lines 2, 3, 8, 9
        QTest::addColumn<QPoint>("origin");
        const QString other = QStringLiteral("SATO_T408v");
        const QString family = QStringLiteral("SATO_CT4-LX_2130");
        const QString portrait = QStringLiteral("65×45(タテ)");
        const QString small = QStringLiteral("28×38");
        const QString landscape = QStringLiteral("65×45(ヨコ)");
        QTest::newRow("portrait printed") << other << portrait << true << false << QList{1740, 110, 1740, 20} << QPoint(1740, 110);
        QTest::newRow("portrait clamped to 14") << other << portrait << true << false << QList{1740, 5, 1740, 20} << QPoint(1740, 14);
        QTest::newRow("portrait preview") << other << portrait << false << false << QList{1740, 110, 1740, 20} << QPoint(40, 50);
        QTest::newRow("small printed") << other << small << true << false << QList{40, 100, 1740, 20} << QPoint(170, 70);
        QTest::newRow("small printed, 2130") << family << small << true << false << QList{150, 0, 1740, 20} << QPoint(100, 14);
        QTest::newRow("small preview, 2130") << family << small << false << false << QList{1740, 110, 1740, 20} << QPoint(40, 110);
        QTest::newRow("landscape printed") << other << landscape << true << false << QList{1740, 110, 1770, 80} << QPoint(2950, 1770);
        QTest::newRow("landscape printed, 2130") << family << landscape << true << false << QList{1740, 110, 1770, 80} << QPoint(80, 1770);
        QTest::newRow("landscape preview, issuing") << other << landscape << false << false << QList{1740, 110, 1740, 20} << QPoint(40, 10);
        QTest::newRow("landscape preview, registration") << other << landscape << false << true << QList{1740, 110, 1740, 20} << QPoint(40, 44);
    }
    void origins()
    {
        QFETCH(QString, printer);
        QFETCH(QString, size);
        QFETCH(bool, toPrinter);
        QFETCH(bool, registration);
        QFETCH(QList<int>, settings);
        QFETCH(QPoint, origin);
        LabelFixture fixture(printer);
        useSettings(fixture, settings[0], settings[1], settings[2], settings[3]);
        LabelJob job = jobFor(size, toPrinter);
        job.registrationPreview = registration;
        fixture.renderer->beginLabel(job);
        const auto &r = *fixture.renderer;
        const QPoint got = size == u"65×45(ヨコ)" ? QPoint(r.landscapeOriginX, r.landscapeOriginY) : QPoint(r.originX, r.originY);
        QCOMPARE(got, origin);
        QCOMPARE(r.lineIndex, 0);
        QCOMPARE(r.savedOrigins.originX, settings[0]);
    }

    void linePitchFollowsTheMask_data()
    {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<int>("pitch");
        QTest::newRow("nothing ruled") << "xxxxxxxxxxx" << 164;
        QTest::newRow("one ruled") << "xxxxxxxxxxo" << 200;
        QTest::newRow("short mask") << "xxxx" << 200;
    }
    void linePitchFollowsTheMask()
    {
        QFETCH(QString, mask);
        QFETCH(int, pitch);
        LabelFixture fixture;
        fixture.renderer->beginLabel(jobFor(QStringLiteral("65×45(タテ)"), true, mask));
        QCOMPARE(fixture.renderer->linePitch, pitch);
        QCOMPARE(fixture.renderer->boxCursorY, -14);
        QCOMPARE(fixture.renderer->charPitch, 74);
    }

    // A "2130" printer switches to the paper form that suits the label and
    // remembers it in user.dat, on the preview too.
    void paperFormSwitch_data()
    {
        QTest::addColumn<QString>("printer");
        QTest::addColumn<QString>("size");
        QTest::addColumn<int>("paperInHand");
        QTest::addColumn<bool>("toPrinter");
        QTest::addColumn<int>("switchedTo"); // 0: no switch
        const QString family = QStringLiteral("SATO_CT4-LX_2130");
        QTest::newRow("small on 65x47") << family << "28×38" << 514 << true << 513;
        QTest::newRow("small on 65x47, preview") << family << "28×38" << 514 << false << 513;
        QTest::newRow("small on 40x28") << family << "28×38" << 513 << true << 0;
        QTest::newRow("portrait on 40x28") << family << "65×45(タテ)" << 513 << true << 514;
        QTest::newRow("landscape on 40x28") << family << "65×45(ヨコ)" << 513 << true << 514;
        QTest::newRow("other family never switches") << "SATO_T408v" << "28×38" << 514 << true << 0;
    }
    void paperFormSwitch()
    {
        QFETCH(QString, printer);
        QFETCH(QString, size);
        QFETCH(int, paperInHand);
        QFETCH(bool, toPrinter);
        QFETCH(int, switchedTo);
        LabelFixture fixture(printer);
        useSettings(fixture, 1740, 110, 1740, 20);
        QVERIFY(fixture.inner->setPaperSize(paperInHand));
        fixture.renderer->beginLabel(jobFor(size, toPrinter));
        const QStringList paper = fixture.lines(QStringLiteral("paper"));
        const auto settings = store::readUserSettings(fixture.folder.path());
        QVERIFY(settings.has_value());
        if (switchedTo == 0) {
            QVERIFY(paper.isEmpty());
            QCOMPARE(settings->paperForm, QStringLiteral("0000"));
            QCOMPARE(fixture.printer->paperSize(), paperInHand);
        } else {
            QCOMPARE(paper, QStringList{QStringLiteral("paper\t%1").arg(switchedTo)});
            QCOMPARE(settings->paperForm, QStringLiteral("0%1").arg(switchedTo));
            QCOMPARE(fixture.printer->paperSize(), switchedTo);
        }
    }

    // A "2130" driver without the form keeps its paper, and user.dat must
    // not claim the switch was made.
    void paperFormSwitchRefusedIsNotRemembered()
    {
        QList<platform::PaperForm> forms;
        for (const platform::PaperForm &form : platform::FakePrinterSystem::labelPrinterForms()) {
            if (form.number != 514)
                forms.append(form);
        }
        LabelFixture fixture(QStringLiteral("SATO_CT4-LX_2130"), 203, forms);
        useSettings(fixture, 1740, 110, 1740, 20);
        QVERIFY(fixture.inner->setPaperSize(513));
        fixture.renderer->beginLabel(jobFor(QStringLiteral("65×45(タテ)"), true));
        QCOMPARE(fixture.printer->paperSize(), 513);
        const auto settings = store::readUserSettings(fixture.folder.path());
        QVERIFY(settings.has_value());
        QCOMPARE(settings->paperForm, QStringLiteral("0000"));
    }

    // Copies and orientation are set on every printed job, so nothing of a
    // job before carries over.
    void copiesAndOrientationOnEveryJob_data()
    {
        QTest::addColumn<QString>("collated");
        QTest::addColumn<QString>("size");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("printer makes the copies") << "しない" << "65×45(タテ)" << QStringList{"copies\t3", "orientation\tportrait"};
        QTest::newRow("collated: one copy a run") << "する" << "65×45(タテ)" << QStringList{"copies\t1", "orientation\tportrait"};
        QTest::newRow("landscape") << "しない" << "65×45(ヨコ)" << QStringList{"copies\t3", "orientation\tlandscape"};
    }
    void copiesAndOrientationOnEveryJob()
    {
        QFETCH(QString, collated);
        QFETCH(QString, size);
        QFETCH(QStringList, expected);
        LabelFixture fixture;
        useSettings(fixture, 1740, 110, 1740, 20, collated);
        fixture.renderer->beginLabel(jobFor(size, true));
        QCOMPARE(fixture.recording.lines(), expected);
    }

    void previewDrawsNothingOnThePrinter()
    {
        LabelFixture fixture;
        useSettings(fixture, 1740, 110, 1740, 20);
        fixture.renderer->beginLabel(jobFor(QStringLiteral("28×38"), false));
        // Only the small label's outline, on the first preview picture.
        const QStringList lines = fixture.recording.lines();
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines.first(), QStringLiteral("line\tfirst\t0\t0\t2150\t0\t1"));
        QCOMPARE(lines.last(), QStringLiteral("line\tfirst\t0\t1630\t2150\t1630\t1"));
    }

    // The format's picture and the product's, by its number; only files of
    // the working folder itself, whatever a hand-edited number says.
    void backgroundPictures_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QStringList>("drawn");
        const QString format = QStringLiteral("picture\tpage\t65×45(タテ).bmp\t1740\t110\t2300\t3580");
        QTest::newRow("format and product") << QStringLiteral("0001")
                                            << QStringList{format, "picture\tpage\t0001.bmp\t1740\t110\t2300\t3580"};
        QTest::newRow("number naming a subfolder") << QStringLiteral("sub/0001") << QStringList{format};
        QTest::newRow("number naming the folder above") << QStringLiteral("../0001") << QStringList{format};
    }
    void backgroundPictures()
    {
        QFETCH(QString, number);
        QFETCH(QStringList, drawn);
        LabelFixture fixture;
        useSettings(fixture, 1740, 110, 1740, 20);
        QImage picture(10, 10, QImage::Format_RGB32);
        picture.fill(Qt::white);
        QVERIFY(QDir(fixture.folder.path()).mkdir(QStringLiteral("sub")));
        for (const QString &name : {QStringLiteral("65×45(タテ).bmp"), QStringLiteral("0001.bmp"), QStringLiteral("sub/0001.bmp")})
            QVERIFY(picture.save(fixture.folder.filePath(name), "BMP"));
        LabelJob job = jobFor(QStringLiteral("65×45(タテ)"), true);
        job[LabelJob::Number] = number;
        fixture.renderer->beginLabel(job);
        QCOMPARE(fixture.lines(QStringLiteral("picture")), drawn);
    }

    void unreadableSettingsStillDrawTheLabel()
    {
        LabelFixture fixture(QStringLiteral("SATO_CT4-LX_2130"));
        QVERIFY(QDir(fixture.folder.path()).mkdir(QStringLiteral("user.dat")));
        QVERIFY(fixture.inner->setPaperSize(513));
        fixture.renderer->beginLabel(jobFor(QStringLiteral("65×45(タテ)"), true));
        // The page switches for this job, and the defaults place the label.
        QCOMPARE(fixture.printer->paperSize(), 514);
        QCOMPARE(fixture.renderer->originX, 1740);
    }
};

QTEST_MAIN(TestBeginLabel)
#include "tst_beginlabel.moc"
