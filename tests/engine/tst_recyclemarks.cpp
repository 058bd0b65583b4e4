#include "engine/render/markpictures.h"
#include "tests/support/labelfixture.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {

const QString kPortrait = QString::fromUtf16(engine::kPortraitLabel);
const QString kLandscape = QString::fromUtf16(engine::kLandscapeLabel);
const QString kNoRoom = QStringLiteral("表示スペースが足りない為、リサイクルマークの表示が行えませんでした\\r");
const QString kSingleNoRoom
    = kNoRoom + QStringLiteral("マークのみの場合は２行、文字入りの場合は３行以上の空きスペースを確保して下さい。");
const QString kTwoNoRoom = kNoRoom + QStringLiteral("３行以上の空きスペースを確保して下さい。");
const QString kBarcodeAndTwo
    = QStringLiteral("バーコードと文字付きリサイクルマーク×２個は、スペースの関係上、同時に印刷が出来ません");

constexpr qint32 kOriginX = 100;
constexpr qint32 kOriginY = 200;

// "TARGET FILE X Y W H" for each picture drawn.
QStringList pictures(const LabelFixture &fixture)
{
    QStringList found;
    for (const QString &line : fixture.lines(QStringLiteral("picture")))
        found.append(line.split(u'\t').mid(1).join(u' '));
    return found;
}

// "X Y TEXT" for each drawn run of subscript characters (a run breaks where
// the next character does not follow on); every character is
// six-point regular "ＭＳ ゴシック".
QStringList subscripts(const LabelFixture &fixture)
{
    QStringList runs;
    double lastX = 1e9;
    QString lastY;
    for (const QString &record : fixture.lines(QStringLiteral("text"))) {
        const QStringList f = record.split(u'\t');
        if (f.at(4) != QString::fromUtf16(engine::kPrinterFont) || f.at(5) != u"6" || f.at(6) != u"0")
            return {QStringLiteral("unexpected style: ") + record};
        const double x = f.at(2).toDouble();
        if (x <= lastX || x > lastX + 150 || f.at(3) != lastY)
            runs.append(f.at(2) + u' ' + f.at(3) + u' ');
        runs.last().append(f.at(9));
        lastX = x;
        lastY = f.at(3);
    }
    return runs;
}

struct MarkCase
{
    QString labelSize;
    QString mark;
    QString sub1;
    QString sub2;
    QString barcode;
    bool registration = false;
    bool toPrinter = false;
};

void writePicture(const QString &path)
{
    QImage picture(8, 8, QImage::Format_Mono);
    picture.fill(1);
    QVERIFY(picture.save(path, "BMP"));
}

void compose(LabelFixture &fixture, const MarkCase &c, qint32 textBottom, qint32 p)
{
    engine::LabelJob job;
    job.toPrinter = c.toPrinter;
    job.registrationPreview = c.registration;
    job.baseDate = QDateTime(QDate(2024, 1, 1), QTime(9, 0));
    job[engine::LabelJob::LabelSize] = c.labelSize;
    job[engine::LabelJob::RecycleMark] = c.mark;
    job[engine::LabelJob::RecycleSub1] = c.sub1;
    job[engine::LabelJob::RecycleSub2] = c.sub2;
    job[engine::LabelJob::Barcode] = c.barcode;
    fixture.renderer->beginLabel(job);
    fixture.recording.clear();
    fixture.renderer->originX = fixture.renderer->landscapeOriginX = kOriginX;
    fixture.renderer->originY = fixture.renderer->landscapeOriginY = kOriginY;
    if (c.labelSize == kLandscape)
        fixture.renderer->drawRecycleMarksLandscape();
    else
        fixture.renderer->drawRecycleMarks(textBottom, p);
}

} // namespace

Q_DECLARE_METATYPE(MarkCase)

class TestRecycleMarks : public QObject
{
    Q_OBJECT

private slots:
    void marks_data()
    {
        QTest::addColumn<MarkCase>("markCase");
        QTest::addColumn<int>("textBottom");
        QTest::addColumn<int>("p");
        QTest::addColumn<QStringList>("expectedPictures");
        QTest::addColumn<QStringList>("expectedSubscripts");
        QTest::addColumn<QString>("expectedMessage");

        const QString ean = QStringLiteral("4901234567894");
        // Portrait, issuing: pictures 390 x 350 at + 1710 (single) or + 60 / + 1160 (two).
        QTest::newRow("paper alone, text reaching 3120: the lower place")
            << MarkCase{kPortrait, "紙", "", "", "", false, true} << 3120 << 0
            << QStringList{"page kami.bmp 1810 3310 390 350"} << QStringList{} << "";
        QTest::newRow("paper alone, text to 3110: the upper place")
            << MarkCase{kPortrait, "紙", "", "", "", false, true} << 3110 << 0
            << QStringList{"page kami.bmp 1810 3230 390 350"} << QStringList{} << "";
        QTest::newRow("paper alone, 3153, preview: no room, said")
            << MarkCase{kPortrait, "紙", "", "", "", false, false} << 3153 << 0 << QStringList{} << QStringList{}
            << kSingleNoRoom;
        QTest::newRow("paper alone, 3153, printing: no room, nothing said")
            << MarkCase{kPortrait, "紙", "", "", "", false, true} << 3153 << 0 << QStringList{} << QStringList{}
            << "";
        QTest::newRow("plastic, one subscript")
            << MarkCase{kPortrait, "プラ", "リサイクル", "", "", false, true} << 3022 << 0
            << QStringList{"page pura.bmp 1810 3230 390 350"} << QStringList{"1750 3612 リサイクル"} << "";
        QTest::newRow("plastic, one subscript, 3023: no room")
            << MarkCase{kPortrait, "プラ", "リサイクル", "", "", false, false} << 3023 << 0 << QStringList{}
            << QStringList{} << kSingleNoRoom;
        QTest::newRow("plastic, only the second subscript: the two-subscript place")
            << MarkCase{kPortrait, "プラ", "", "容器", "", false, true} << 2972 << 0
            << QStringList{"page pura.bmp 1810 3092 390 350"} << QStringList{"1750 3580 容器"} << "";
        QTest::newRow("plastic, two subscripts, 2973: no room")
            << MarkCase{kPortrait, "プラ", "袋", "容器", "", false, false} << 2973 << 0 << QStringList{}
            << QStringList{} << kSingleNoRoom;
        QTest::newRow("single mark: <r> is printed as it stands")
            << MarkCase{kPortrait, "プラ", "袋<r>容器", "", "", false, true} << 3000 << 0
            << QStringList{"page pura.bmp 1810 3230 390 350"} << QStringList{"1750 3612 袋<r>容器"} << "";
        QTest::newRow("preview draws on the first picture")
            << MarkCase{kPortrait, "プラ", "", "", "", false, false} << 3000 << 0
            << QStringList{"first pura.bmp 1810 3230 390 350"} << QStringList{} << "";
        // Portrait, registration: 350 wide, 40 further right and lower.
        QTest::newRow("registration, plastic alone, lower place")
            << MarkCase{kPortrait, "プラ", "", "", "", true, false} << 3120 << 0
            << QStringList{"first pura.bmp 1850 3350 350 310"} << QStringList{} << "";
        QTest::newRow("registration, paper alone, upper place")
            << MarkCase{kPortrait, "紙", "", "", "", true, false} << 3000 << 0
            << QStringList{"first kami.bmp 1850 3270 350 310"} << QStringList{} << "";
        QTest::newRow("registration, two subscripts")
            << MarkCase{kPortrait, "紙", "袋", "容器", "", true, false} << 2900 << 0
            << QStringList{"first kami.bmp 1850 3132 350 310"} << QStringList{"1750 3460 袋", "1750 3580 容器"}
            << "";
        // Portrait, two marks.
        QTest::newRow("plastic and paper: one <r> makes two lines beside the plastic mark")
            << MarkCase{kPortrait, "プラ＆紙", "リサイクル<r>ボックス", "", "", false, true} << 3202 << 0
            << QStringList{"page pura.bmp 160 3380 390 350", "page kami.bmp 1260 3380 390 350"}
            << QStringList{"600 3472 リサイクル", "600 3592 ボックス"} << "";
        QTest::newRow("paper and plastic, issuing preview: second mark 20 further right, its subscript lower")
            << MarkCase{kPortrait, "紙＆プラ", "箱", "袋", "", false, false} << 3000 << 0
            << QStringList{"first kami.bmp 160 3380 390 350", "first pura.bmp 1280 3380 390 350"}
            << QStringList{"600 3492 箱", "1700 3512 袋"} << "";
        QTest::newRow("paper and plastic, printing")
            << MarkCase{kPortrait, "紙＆プラ", "", "", "", false, true} << 3000 << 0
            << QStringList{"page kami.bmp 160 3380 390 350", "page pura.bmp 1260 3380 390 350"} << QStringList{}
            << "";
        QTest::newRow("registration, plastic and paper")
            << MarkCase{kPortrait, "プラ＆紙", "", "", "", true, false} << 3000 << 0
            << QStringList{"first pura.bmp 200 3420 350 310", "first kami.bmp 1300 3380 350 350"}
            << QStringList{} << "";
        QTest::newRow("registration, paper and plastic")
            << MarkCase{kPortrait, "紙＆プラ", "", "", "", true, false} << 3000 << 0
            << QStringList{"first kami.bmp 200 3380 350 350", "first pura.bmp 1300 3420 350 310"}
            << QStringList{} << "";
        QTest::newRow("2130 printer: everything 50 higher; two tags make three lines")
            << MarkCase{kPortrait, "プラ＆紙", "", "紙<r>ラベル<r>台紙", "", false, true} << 3000 << 1
            << QStringList{"page pura.bmp 160 3330 390 350", "page kami.bmp 1260 3330 390 350"}
            << QStringList{"1700 3332 紙", "1700 3452 ラベル", "1700 3582 台紙"} << "";
        QTest::newRow("three tags: that subscript left out")
            << MarkCase{kPortrait, "プラ＆紙", "a<r>b<r>c<r>d", "容器", "", false, true} << 3000 << 0
            << QStringList{"page pura.bmp 160 3380 390 350", "page kami.bmp 1260 3380 390 350"}
            << QStringList{"1700 3492 容器"} << "";
        QTest::newRow("four tags: left out, no failure")
            << MarkCase{kPortrait, "プラ＆紙", "a<r>b<r>c<r>d<r>e", "", "", false, true} << 3000 << 0
            << QStringList{"page pura.bmp 160 3380 390 350", "page kami.bmp 1260 3380 390 350"}
            << QStringList{} << "";
        QTest::newRow("upper-case <R> is no tag")
            << MarkCase{kPortrait, "プラ＆紙", "a<R>b", "", "", false, true} << 3000 << 0
            << QStringList{"page pura.bmp 160 3380 390 350", "page kami.bmp 1260 3380 390 350"}
            << QStringList{"600 3492 a<R>b"} << "";
        QTest::newRow("two marks under a barcode, 2749")
            << MarkCase{kPortrait, "プラ＆紙", "", "", ean, false, true} << 2749 << 0
            << QStringList{"page pura.bmp 160 3380 390 350", "page kami.bmp 1260 3380 390 350"}
            << QStringList{} << "";
        QTest::newRow("two marks under a barcode, 2750: no room, said when printing too")
            << MarkCase{kPortrait, "プラ＆紙", "袋", "", ean, false, true} << 2750 << 0 << QStringList{}
            << QStringList{} << kTwoNoRoom;
        QTest::newRow("two marks, no barcode, 3203: no room")
            << MarkCase{kPortrait, "紙＆プラ", "", "", "", true, false} << 3203 << 0 << QStringList{}
            << QStringList{} << kTwoNoRoom;
        QTest::newRow("none") << MarkCase{kPortrait, "なし", "袋", "", "", false, true} << 0 << 0 << QStringList{}
                              << QStringList{} << "";
        QTest::newRow("empty mark") << MarkCase{kPortrait, "", "袋", "", "", false, false} << 0 << 0
                                    << QStringList{} << QStringList{} << "";
        QTest::newRow("unknown mark") << MarkCase{kPortrait, "ビン", "", "", "", false, false} << 0 << 0
                                      << QStringList{} << QStringList{} << "";

        // Landscape: the side column; subscripts at + 2950, as they stand.
        QTest::newRow("landscape plastic with subscripts, printing")
            << MarkCase{kLandscape, "プラ", "袋", "a<r>b", "", false, true} << 0 << 0
            << QStringList{"page pura.bmp 3110 1810 390 350"} << QStringList{"3050 2200 袋", "3050 2330 a<r>b"}
            << "";
        QTest::newRow("landscape plastic with a second subscript only, preview")
            << MarkCase{kLandscape, "プラ", "", "袋", "", false, false} << 0 << 0
            << QStringList{"first pura.bmp 3110 1770 390 350"} << QStringList{"3050 2290 袋"} << "";
        QTest::newRow("landscape paper alone, printing")
            << MarkCase{kLandscape, "紙", "", "", "", false, true} << 0 << 0
            << QStringList{"page kami.bmp 3110 1910 390 350"} << QStringList{} << "";
        QTest::newRow("landscape paper alone, preview")
            << MarkCase{kLandscape, "紙", "", "", "", false, false} << 0 << 0
            << QStringList{"first kami.bmp 3110 1870 390 350"} << QStringList{} << "";
        QTest::newRow("landscape registration, with subscripts")
            << MarkCase{kLandscape, "プラ", "袋", "", "", true, false} << 0 << 0
            << QStringList{"first pura.bmp 3150 1810 350 310"} << QStringList{"3050 2160 袋"} << "";
        QTest::newRow("landscape registration, alone")
            << MarkCase{kLandscape, "紙", "", "", "", true, false} << 0 << 0
            << QStringList{"first kami.bmp 3150 1910 350 310"} << QStringList{} << "";
        QTest::newRow("landscape paper and plastic with subscripts")
            << MarkCase{kLandscape, "紙＆プラ", "箱", "袋", "", false, true} << 0 << 0
            << QStringList{"page kami.bmp 3110 460 390 350", "page pura.bmp 3110 1360 390 350"}
            << QStringList{"3050 930 箱", "3050 1780 袋"} << "";
        QTest::newRow("landscape registration, plastic and paper with subscripts")
            << MarkCase{kLandscape, "プラ＆紙", "箱", "", "", true, false} << 0 << 0
            << QStringList{"first pura.bmp 3150 500 350 350", "first kami.bmp 3150 1400 350 310"}
            << QStringList{"3050 930 箱"} << "";
        QTest::newRow("landscape two marks without subscripts, with a barcode")
            << MarkCase{kLandscape, "プラ＆紙", "", "", ean, false, false} << 0 << 0
            << QStringList{"first pura.bmp 3110 1710 390 350", "first kami.bmp 3110 2160 390 350"}
            << QStringList{} << "";
        QTest::newRow("landscape registration, two marks without subscripts")
            << MarkCase{kLandscape, "紙＆プラ", "", "", "", true, false} << 0 << 0
            << QStringList{"first kami.bmp 3150 1750 350 350", "first pura.bmp 3150 2200 350 310"}
            << QStringList{} << "";
        QTest::newRow("landscape two marks with subscripts and a barcode, preview: said")
            << MarkCase{kLandscape, "紙＆プラ", "箱", "", ean, false, false} << 0 << 0 << QStringList{}
            << QStringList{} << kBarcodeAndTwo;
        QTest::newRow("landscape two marks with subscripts and a barcode, printing: not said")
            << MarkCase{kLandscape, "紙＆プラ", "", "袋", ean, false, true} << 0 << 0 << QStringList{}
            << QStringList{} << "";
        QTest::newRow("landscape none") << MarkCase{kLandscape, "なし", "箱", "", "", false, true} << 0 << 0
                                        << QStringList{} << QStringList{} << "";
    }
    void marks()
    {
        QFETCH(MarkCase, markCase);
        QFETCH(int, textBottom);
        QFETCH(int, p);
        QFETCH(QStringList, expectedPictures);
        QFETCH(QStringList, expectedSubscripts);
        QFETCH(QString, expectedMessage);

        LabelFixture fixture;
        const QDir folder(fixture.folder.path());
        writePicture(folder.filePath(QStringLiteral("pura.bmp")));
        writePicture(folder.filePath(QStringLiteral("kami.bmp")));
        compose(fixture, markCase, textBottom, p);

        QCOMPARE(pictures(fixture), expectedPictures);
        QCOMPARE(subscripts(fixture), expectedSubscripts);
        const QStringList messages = fixture.lines(QStringLiteral("message"));
        QCOMPARE(messages.join(u'\n'), expectedMessage.isEmpty() ? QString() : "message\t" + expectedMessage);
    }

    // Without its picture a mark leaves a gap; the subscripts and the other
    // mark are drawn, and nothing is said.
    void missingOrUnreadablePictureIsSkipped()
    {
        LabelFixture fixture;
        const QDir folder(fixture.folder.path());
        QFile broken(folder.filePath(QStringLiteral("kami.bmp")));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("BM not a picture");
        broken.close();

        compose(fixture, MarkCase{kPortrait, "プラ＆紙", "袋", "箱", "", false, true}, 3000, 0);
        QCOMPARE(pictures(fixture), QStringList{});
        QCOMPARE(subscripts(fixture), (QStringList{"600 3492 袋", "1700 3492 箱"}));
        QVERIFY(fixture.lines(QStringLiteral("message")).isEmpty());

        writePicture(folder.filePath(QStringLiteral("pura.bmp")));
        compose(fixture, MarkCase{kPortrait, "プラ＆紙", "袋", "箱", "", false, true}, 3000, 0);
        QCOMPARE(pictures(fixture), QStringList{"page pura.bmp 160 3380 390 350"});
    }

    // The program's own pictures are what a fresh working folder prints.
    void shippedPicturesAreDrawn()
    {
        LabelFixture fixture;
        engine::ensureMarkPictures(fixture.folder.path());
        compose(fixture, MarkCase{kLandscape, "紙＆プラ", "", "", "", false, true}, 0, 0);
        QCOMPARE(pictures(fixture),
                 (QStringList{"page kami.bmp 3110 1710 390 350", "page pura.bmp 3110 2160 390 350"}));
    }
};

QTEST_MAIN(TestRecycleMarks)
#include "tst_recyclemarks.moc"
