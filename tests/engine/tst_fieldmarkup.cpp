#include "tests/support/labelfixture.h"

#include <QTest>

namespace {

const QString kTwoLinePrinter = QStringLiteral("SATO_CL2130");

// The rules drawn, each as "x1 y1 x2 y2".
QStringList rules(const LabelFixture &fixture)
{
    QStringList found;
    for (const QString &line : fixture.lines(QStringLiteral("line")))
        found.append(line.split(u'\t').mid(2, 4).join(u' '));
    return found;
}

// A printed label whose box tops start at y = 100: origin (100, 114) and the
// box cursor at -14 as every label starts.
void beginAt100(LabelFixture &fixture, const QString &labelSize, const QString &recycleMark = QStringLiteral("なし"),
                const QString &barcode = {})
{
    engine::LabelJob job;
    job.toPrinter = true;
    job[engine::LabelJob::LabelSize] = labelSize;
    job[engine::LabelJob::RecycleMark] = recycleMark;
    job[engine::LabelJob::Barcode] = barcode;
    job[engine::LabelJob::RuledLines] = QStringLiteral("ooooooooooo");
    fixture.renderer->beginLabel(job);
    fixture.recording.clear();
    fixture.renderer->originX = fixture.renderer->landscapeOriginX = 100;
    fixture.renderer->originY = fixture.renderer->landscapeOriginY = 114;
}

const QString kPortrait = QString::fromUtf16(engine::kPortraitLabel);
const QString kLandscape = QString::fromUtf16(engine::kLandscapeLabel);
const QString kSmall = QString::fromUtf16(engine::kSmallLabel);

} // namespace

class TestFieldMarkup : public QObject
{
    Q_OBJECT

private slots:
    // The rules of one portrait field in a box whose top is at y = 100.
    void portraitBox_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ruled");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<int>("boxCursorY");
        QTest::addColumn<QString>("prepared");

        const QStringList oneRowBox{"100 100 2460 100", "100 300 2460 300", "100 100 100 300", "2460 100 2460 300"};
        QTest::newRow("full-width title: separator at +334")
            << "名称：ケーキ" << true
            << (QStringList{"100 300 434 300", "434 100 434 300"} + oneRowBox) << 186 << "名称　ケーキ";
        QTest::newRow("half-width title: separator at +258")
            << "ABC:xyz" << true << (QStringList{"100 300 358 300", "358 100 358 300"} + oneRowBox) << 186
            << "ABC xyz";
        QTest::newRow("wide title: separator at +546, two rows down, an extra row")
            << "<w>名称：ケーキ" << true
            << QStringList{"100 500 646 500", "646 100 646 500", "100 100 2460 100", "100 500 2460 500",
                           "100 100 100 500", "2460 100 2460 500"}
            << 386 << "<w>名称　ケーキ";
        QTest::newRow("wide title of width 15: 1938 in whole twips, not 1937")
            << "<b><w>ABCDEFGHIJKLMNO:x" << true
            << QStringList{"100 500 2068 500", "2068 100 2068 500", "100 100 2460 100", "100 500 2460 500",
                           "100 100 100 500", "2460 100 2460 500"}
            << 386 << "<b><w>ABCDEFGHIJKLMNO x";
        QTest::newRow("wide after bold only strips the wide tag")
            << "<w><b>AB:x" << true
            << QStringList{"100 500 776 500", "776 100 776 500", "100 100 2460 100", "100 500 2460 500",
                           "100 100 100 500", "2460 100 2460 500"}
            << 386 << "<w><b>AB x";
        QTest::newRow("no colon: no separator") << "ケーキ" << true << oneRowBox << 186 << "ケーキ";
        QTest::newRow("colon first: no separator, still a blank")
            << "：ケーキ" << true << oneRowBox << 186 << "　ケーキ";
        QTest::newRow("unruled: no rules, colon kept") << "名称：ケーキ" << false << QStringList{} << 186
                                                     << "名称：ケーキ";
        QTest::newRow("title measured before the memo, colon of the memo replaced")
            << "AB<m>C:D" << true << oneRowBox << 186 << "AB<m>C D";
        QTest::newRow("empty text: a top rule and a box of no height")
            << "" << true << QStringList{"100 100 2460 100", "100 100 2460 100", "100 100 100 100",
                                         "2460 100 2460 100"}
            << -14 << "";
    }
    void portraitBox()
    {
        QFETCH(QString, text);
        QFETCH(bool, ruled);
        QFETCH(QStringList, expected);
        QFETCH(int, boxCursorY);
        QFETCH(QString, prepared);
        LabelFixture fixture;
        beginAt100(fixture, kPortrait);
        fixture.renderer->prepareField(text, ruled);
        QCOMPARE(rules(fixture), expected);
        QCOMPARE(fixture.renderer->boxCursorY, boxCursorY);
        QCOMPARE(fixture.renderer->preparedText, prepared);
    }

    // The rows a field takes, read from the box cursor of an unruled field.
    void rowCount_data()
    {
        QTest::addColumn<QString>("labelSize");
        QTest::addColumn<QString>("printer");
        QTest::addColumn<int>("lineIndex");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("recycleMark");

        const QString sato = QStringLiteral("SATO_T408v");
        const QString none = QStringLiteral("なし");
        const QString a = QStringLiteral("あ");
        const QString h = QStringLiteral("A");
        QTest::newRow("15 full-width: one row") << kPortrait << sato << 0 << a.repeated(15) << 1 << none;
        QTest::newRow("16 full-width: two rows") << kPortrait << sato << 0 << a.repeated(16) << 2 << none;
        QTest::newRow("31 half-width: the overhang keeps one row") << kPortrait << sato << 0 << h.repeated(31) << 1
                                                                   << none;
        QTest::newRow("32 half-width: two rows") << kPortrait << sato << 0 << h.repeated(32) << 2 << none;
        QTest::newRow("width 30 by a full-width, then half-width joins")
            << kPortrait << sato << 0 << a.repeated(15) + h << 1 << none;
        QTest::newRow("width 30 by a full-width, then full-width starts a row")
            << kPortrait << sato << 0 << a.repeated(15) + a << 2 << none;
        QTest::newRow("wide takes a second row") << kPortrait << sato << 0 << "<w>" + a << 2 << none;
        QTest::newRow("date tag is stripped before measuring")
            << kPortrait << sato << 0 << "<d>" + h.repeated(29) << 1 << none;
        QTest::newRow("memo cut off before measuring") << kPortrait << sato << 0 << "AB<m>" + a.repeated(30) << 1
                                                       << none;
        QTest::newRow("a text of width 3 is not cut at the memo") << kPortrait << sato << 0 << "<m>" << 1 << none;
        QTest::newRow("a memo tag at the start of a longer text leaves nothing")
            << kPortrait << sato << 0 << "<m>A" << 0 << none;
        QTest::newRow("small label: 37 half-width in one row") << kSmall << sato << 0 << h.repeated(37) << 1 << none;
        QTest::newRow("small label: 38 half-width in two rows") << kSmall << sato << 0 << h.repeated(38) << 2
                                                                << none;
        QTest::newRow("2130: lines past 16 are not counted")
            << kPortrait << kTwoLinePrinter << 15 << h.repeated(31 * 3) << 2 << none;
        QTest::newRow("2130: a last line that ends the text is counted")
            << kPortrait << kTwoLinePrinter << 15 << h.repeated(31 * 2) << 2 << none;
        QTest::newRow("other printer: every line counted") << kPortrait << QStringLiteral("SATO_T408v") << 15
                                                           << h.repeated(31 * 3) << 3 << none;
        QTest::newRow("landscape: 45 half-width in one row") << kLandscape << sato << 0 << h.repeated(45) << 1
                                                             << none;
        QTest::newRow("landscape with a mark: 39 half-width in one row")
            << kLandscape << sato << 0 << h.repeated(39) << 1 << QStringLiteral("プラ");
        QTest::newRow("landscape with a mark: 40 half-width in two rows")
            << kLandscape << sato << 0 << h.repeated(40) << 2 << QStringLiteral("プラ");
        QTest::newRow("landscape 2130: lines past 11 are not counted")
            << kLandscape << kTwoLinePrinter << 10 << h.repeated(45 * 3) << 2 << none;
    }
    void rowCount()
    {
        QFETCH(QString, labelSize);
        QFETCH(QString, printer);
        QFETCH(int, lineIndex);
        QFETCH(QString, text);
        QFETCH(int, rows);
        QFETCH(QString, recycleMark);
        LabelFixture fixture(printer);
        beginAt100(fixture, labelSize, recycleMark);
        fixture.renderer->lineIndex = lineIndex;
        if (labelSize == kLandscape)
            fixture.renderer->prepareFieldLandscape(text, false);
        else
            fixture.renderer->prepareField(text, false);
        QCOMPARE(fixture.renderer->boxCursorY, -14 + 200 * rows);
        QCOMPARE(fixture.renderer->lineIndex, lineIndex);
        QVERIFY(fixture.lines(QStringLiteral("line")).isEmpty());
    }

    // A "2130" printer's page ends at 3500 twips: rules at or below are left
    // out, except the separator of a wide title.
    void printerPageEnd_data()
    {
        QTest::addColumn<QString>("printer");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("originY");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("separator and box below the end left out")
            << kTwoLinePrinter << "AB:x" << 3314 << QStringList{"100 3300 2460 3300"};
        QTest::newRow("top rule at 3500 left out too") << kTwoLinePrinter << "x" << 3514 << QStringList{};
        QTest::newRow("wide separator drawn anyway")
            << kTwoLinePrinter << "<w>AB:x" << 3314
            << QStringList{"100 3700 388 3700", "388 3300 388 3700", "100 3300 2460 3300"};
        QTest::newRow("other printers draw everything")
            << QStringLiteral("SATO_T408v") << "AB:x" << 3314
            << QStringList{"100 3500 282 3500", "282 3300 282 3500", "100 3300 2460 3300", "100 3500 2460 3500",
                           "100 3300 100 3500", "2460 3300 2460 3500"};
    }
    void printerPageEnd()
    {
        QFETCH(QString, printer);
        QFETCH(QString, text);
        QFETCH(int, originY);
        QFETCH(QStringList, expected);
        LabelFixture fixture(printer);
        beginAt100(fixture, kPortrait);
        fixture.renderer->originY = originY;
        fixture.renderer->prepareField(text, true);
        QCOMPARE(rules(fixture), expected);
    }

    void landscapeBox_data()
    {
        QTest::addColumn<QString>("labelSize");
        QTest::addColumn<QString>("printer");
        QTest::addColumn<QString>("recycleMark");
        QTest::addColumn<QString>("barcode");
        QTest::addColumn<QStringList>("expected");
        const QString sato = QStringLiteral("SATO_T408v");
        QTest::newRow("full width without a side column")
            << kLandscape << sato << "なし" << ""
            << QStringList{"100 300 434 300", "434 100 434 300", "100 100 3500 100", "100 300 3500 300",
                           "100 100 100 300", "3500 100 3500 300"};
        QTest::newRow("a barcode keeps the side column")
            << kLandscape << sato << "なし" << "4901234567894"
            << QStringList{"100 300 434 300", "434 100 434 300", "100 100 3030 100", "100 300 3030 300",
                           "100 100 100 300", "3030 100 3030 300"};
        QTest::newRow("an empty mark counts as a mark")
            << kLandscape << sato << "" << ""
            << QStringList{"100 300 434 300", "434 100 434 300", "100 100 3030 100", "100 300 3030 300",
                           "100 100 100 300", "3030 100 3030 300"};
        QTest::newRow("no page end check on a 2130 printer")
            << kLandscape << kTwoLinePrinter << "なし" << ""
            << QStringList{"100 300 434 300", "434 100 434 300", "100 100 3500 100", "100 300 3500 300",
                           "100 100 100 300", "3500 100 3500 300"};
        QTest::newRow("another label format: separator and top rule only")
            << kPortrait << sato << "なし" << ""
            << QStringList{"100 300 434 300", "434 100 434 300", "100 100 3500 100"};
    }
    void landscapeBox()
    {
        QFETCH(QString, labelSize);
        QFETCH(QString, printer);
        QFETCH(QString, recycleMark);
        QFETCH(QString, barcode);
        QFETCH(QStringList, expected);
        LabelFixture fixture(printer);
        beginAt100(fixture, labelSize, recycleMark, barcode);
        if (printer == kTwoLinePrinter)
            fixture.renderer->landscapeOriginY = 114 + 3300; // far below a 2130 page end
        fixture.renderer->prepareFieldLandscape(QStringLiteral("名称：ケーキ"), true);
        QStringList want = expected;
        if (printer == kTwoLinePrinter) {
            for (QString &rule : want) {
                QStringList n = rule.split(u' ');
                n[1] = QString::number(n[1].toInt() + 3300);
                n[3] = QString::number(n[3].toInt() + 3300);
                rule = n.join(u' ');
            }
        }
        QCOMPARE(rules(fixture), want);
        QCOMPARE(fixture.renderer->boxCursorY, 186);
        QCOMPARE(fixture.renderer->preparedText, QStringLiteral("名称　ケーキ"));
    }
};

QTEST_GUILESS_MAIN(TestFieldMarkup)
#include "tst_fieldmarkup.moc"
