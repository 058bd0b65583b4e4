#include "tests/support/labelfixture.h"

#include <QTest>

namespace {

const QString kTwoLinePrinter = QStringLiteral("SATO_CL2130");
const QString kOtherPrinter = QStringLiteral("SATO_T408v");
const QString kPortrait = QString::fromUtf16(engine::kPortraitLabel);
const QString kLandscape = QString::fromUtf16(engine::kLandscapeLabel);
const QString kSmall = QString::fromUtf16(engine::kSmallLabel);

// The drawn lines as "x y size bold text": consecutive characters on one y
// make one line, x is its first character's.
QStringList drawnLines(const LabelFixture &fixture)
{
    QStringList found;
    double lastY = -1e9;
    for (const QString &record : fixture.lines(QStringLiteral("text"))) {
        const QStringList f = record.split(u'\t');
        const double y = f.at(3).toDouble();
        if (found.isEmpty() || y != lastY)
            found.append(QStringList{f.at(2), f.at(3), f.at(5), f.at(6), QString()}.join(u' '));
        found.last().append(f.at(9));
        lastY = y;
    }
    return found;
}

// A printed label whose text area starts at (100, 100) on both origins.
void begin(LabelFixture &fixture, const QString &labelSize, const QString &recycleMark = QStringLiteral("なし"))
{
    engine::LabelJob job;
    job.toPrinter = true;
    job.baseDate = QDateTime(QDate(2024, 3, 5), QTime(9, 7));
    job[engine::LabelJob::LabelSize] = labelSize;
    job[engine::LabelJob::RecycleMark] = recycleMark;
    job[engine::LabelJob::RuledLines] = QStringLiteral("ooooooooooo");
    fixture.renderer->beginLabel(job);
    fixture.recording.clear();
    fixture.renderer->originX = fixture.renderer->landscapeOriginX = 100;
    fixture.renderer->originY = fixture.renderer->landscapeOriginY = 100;
}

} // namespace

class TestLineFitting : public QObject
{
    Q_OBJECT

private slots:
    void lines_data()
    {
        QTest::addColumn<QString>("labelSize");
        QTest::addColumn<QString>("printer");
        QTest::addColumn<int>("linePitch");
        QTest::addColumn<int>("lineIndex");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("markupLevel");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<int>("lineIndexAfter");

        const QString a = QStringLiteral("あ");
        const QString h = QStringLiteral("A");
        const QString p = kOtherPrinter;
        QTest::newRow("29 units: one line, closed at the end")
            << kPortrait << p << 200 << 0 << h.repeated(29) << 0 << QStringList{"120 102 8 0 " + h.repeated(29)} << 1;
        QTest::newRow("30 units: one line, nothing after it")
            << kPortrait << p << 200 << 0 << h.repeated(30) << 0 << QStringList{"120 102 8 0 " + h.repeated(30)} << 1;
        QTest::newRow("the overhang takes a 31st half-width")
            << kPortrait << p << 200 << 0 << h.repeated(32) << 0
            << QStringList{"120 102 8 0 " + h.repeated(31), "120 302 8 0 A"} << 2;
        QTest::newRow("30 by a full-width, then a half-width joins")
            << kPortrait << p << 200 << 0 << a.repeated(15) + h << 0 << QStringList{"120 102 8 0 " + a.repeated(15) + h}
            << 1;
        QTest::newRow("30 by a full-width, then a full-width starts the next line")
            << kPortrait << p << 200 << 0 << a.repeated(15) + "い" << 0
            << QStringList{"120 102 8 0 " + a.repeated(15), "120 302 8 0 い"} << 2;
        QTest::newRow("pitch 164 and a later line") << kPortrait << p << 164 << 3 << "名称" << 0
                                                    << QStringList{"120 594 8 0 名称"} << 4;
        QTest::newRow("bold at level 1") << kPortrait << p << 200 << 0 << "<b>ABC" << 1
                                         << QStringList{"120 102 8 1 ABC"} << 1;
        QTest::newRow("bold tag drawn at level 0") << kPortrait << p << 200 << 0 << "<b>ABC" << 0
                                                   << QStringList{"120 102 8 0 <b>ABC"} << 1;
        QTest::newRow("a wide title that fits one line uses two lines")
            << kPortrait << p << 200 << 0 << "<w>ABC" << 2 << QStringList{"120 122 14 1 ABC"} << 2;
        QTest::newRow("wide tag drawn at level 1") << kPortrait << p << 200 << 0 << "<w>ABC" << 1
                                                   << QStringList{"120 102 8 0 <w>ABC"} << 1;
        QTest::newRow("a broken wide line takes one line, the last two")
            << kPortrait << p << 200 << 0 << "<w>" + h.repeated(40) << 2
            << QStringList{"120 122 14 1 " + h.repeated(31), "120 322 14 1 " + h.repeated(9)} << 3;
        QTest::newRow("bold then wide: wide") << kPortrait << p << 200 << 0 << "<b><w>X" << 2
                                              << QStringList{"120 122 14 1 X"} << 2;
        QTest::newRow("wide then bold: the bold tag is text") << kPortrait << p << 200 << 0 << "<w><b>X" << 3
                                                              << QStringList{"120 122 14 1 <b>X"} << 2;
        QTest::newRow("date at level 3") << kPortrait << p << 200 << 0 << "<d>YYYY/MM/DD hh:mm" << 3
                                         << QStringList{"120 102 8 0 2024/03/05 09:07"} << 1;
        QTest::newRow("date tag drawn at level 2") << kPortrait << p << 200 << 0 << "<d>YY.M.D" << 2
                                                   << QStringList{"120 102 8 0 <d>YY.M.D"} << 1;
        QTest::newRow("bold date at level 3 is a plain date")
            << kPortrait << p << 200 << 0 << "<b><d>M/D" << 3 << QStringList{"120 102 8 0 3/5"} << 1;
        QTest::newRow("empty text takes no line") << kPortrait << p << 200 << 4 << "" << 3 << QStringList{} << 4;

        QTest::newRow("small: 6 points, 36 units, pitch 135")
            << kSmall << p << 200 << 1 << h.repeated(38) << 0
            << QStringList{"120 237 6 0 " + h.repeated(37), "120 372 6 0 A"} << 3;
        QTest::newRow("small: wide is regular 6 points, one line")
            << kSmall << p << 200 << 0 << "<w>ABC" << 2 << QStringList{"120 102 6 0 ABC"} << 1;
        QTest::newRow("small: full line still drawn at index 10")
            << kSmall << p << 200 << 10 << h.repeated(36) << 0 << QStringList{"120 1452 6 0 " + h.repeated(36)} << 11;
        QTest::newRow("small: last partial line at index 10 dropped silently")
            << kSmall << p << 200 << 10 << "ABC" << 0 << QStringList{} << 10;
        QTest::newRow("small 2130: last partial line at index 9 dropped silently")
            << kSmall << kTwoLinePrinter << 200 << 9 << "ABC" << 0 << QStringList{} << 9;

        QTest::newRow("landscape: 44 units and the overhang")
            << kLandscape << p << 200 << 0 << h.repeated(46) << 0
            << QStringList{"120 102 8 0 " + h.repeated(45), "120 302 8 0 A"} << 2;
        QTest::newRow("landscape with a mark: 38 units and the overhang")
            << kLandscape << p << 200 << 0 << h.repeated(40) << 0
            << QStringList{"120 102 8 0 " + h.repeated(39), "120 302 8 0 A"} << 2;
        QTest::newRow("landscape: wide last line uses two lines")
            << kLandscape << p << 164 << 1 << "<w>AB" << 2 << QStringList{"120 286 14 1 AB"} << 3;
        QTest::newRow("landscape 2130 pitch 164: last line at index 14 drawn")
            << kLandscape << kTwoLinePrinter << 164 << 14 << "AB" << 0 << QStringList{"120 2398 8 0 AB"} << 15;
    }
    void lines()
    {
        QFETCH(QString, labelSize);
        QFETCH(QString, printer);
        QFETCH(int, linePitch);
        QFETCH(int, lineIndex);
        QFETCH(QString, text);
        QFETCH(int, markupLevel);
        QFETCH(QStringList, expected);
        QFETCH(int, lineIndexAfter);
        LabelFixture fixture(printer);
        const bool withMark = QByteArray(QTest::currentDataTag()).contains("with a mark");
        begin(fixture, labelSize, withMark ? QStringLiteral("プラ") : QStringLiteral("なし"));
        fixture.renderer->linePitch = linePitch;
        fixture.renderer->lineIndex = lineIndex;
        if (labelSize == kLandscape)
            fixture.renderer->drawFieldLinesLandscape(text, markupLevel);
        else
            fixture.renderer->drawFieldLines(text, markupLevel);
        QCOMPARE(drawnLines(fixture), expected);
        QCOMPARE(fixture.renderer->lineIndex, lineIndexAfter);
        QVERIFY(fixture.lines(QStringLiteral("message")).isEmpty());
    }

    // Text past the label's line budget: what was drawn stays, the rest is
    // left out, and the user is told once for the field.
    void overflow_data()
    {
        QTest::addColumn<QString>("labelSize");
        QTest::addColumn<QString>("printer");
        QTest::addColumn<int>("linePitch");
        QTest::addColumn<int>("lineIndex");
        QTest::addColumn<int>("fullLines"); // in the text, of 50 half-width each
        QTest::addColumn<int>("drawn");
        QTest::addColumn<int>("messages");

        QTest::newRow("portrait 2130 pitch 200: index 17 overflows") << kPortrait << kTwoLinePrinter << 200 << 15 << 5
                                                                     << 2 << 1;
        QTest::newRow("portrait 2130 pitch 164: index 21 overflows") << kPortrait << kTwoLinePrinter << 164 << 15 << 8
                                                                     << 6 << 1;
        QTest::newRow("portrait, other printer: never") << kPortrait << kOtherPrinter << 200 << 15 << 10 << 10 << 0;
        QTest::newRow("small: index 11 overflows") << kSmall << kOtherPrinter << 200 << 8 << 5 << 3 << 1;
        QTest::newRow("small 2130: index 10 overflows") << kSmall << kTwoLinePrinter << 200 << 8 << 5 << 2 << 1;
        QTest::newRow("landscape 2130 pitch 200: index 12 overflows")
            << kLandscape << kTwoLinePrinter << 200 << 10 << 5 << 2 << 1;
        QTest::newRow("landscape 2130 pitch 164: index 15 overflows")
            << kLandscape << kTwoLinePrinter << 164 << 10 << 8 << 5 << 1;
        QTest::newRow("landscape, other printer: never") << kLandscape << kOtherPrinter << 200 << 10 << 8 << 8 << 0;
    }
    void overflow()
    {
        QFETCH(QString, labelSize);
        QFETCH(QString, printer);
        QFETCH(int, linePitch);
        QFETCH(int, lineIndex);
        QFETCH(int, fullLines);
        QFETCH(int, drawn);
        QFETCH(int, messages);
        LabelFixture fixture(printer);
        begin(fixture, labelSize);
        fixture.renderer->linePitch = linePitch;
        fixture.renderer->lineIndex = lineIndex;
        // Lines that fill the format just past its limit with full-width
        // characters: 30 units on the portrait label, 36 on the small one,
        // 44 on the landscape one.
        const int perLine = labelSize == kSmall ? 18 : labelSize == kLandscape ? 22 : 15;
        const QString text = QStringLiteral("あ").repeated(perLine * fullLines);
        if (labelSize == kLandscape)
            fixture.renderer->drawFieldLinesLandscape(text, 0);
        else
            fixture.renderer->drawFieldLines(text, 0);
        QCOMPARE(drawnLines(fixture).size(), drawn);
        QCOMPARE(fixture.renderer->lineIndex, lineIndex + drawn);
        const QStringList shown = fixture.lines(QStringLiteral("message"));
        QCOMPARE(shown.size(), messages);
        if (messages > 0)
            QCOMPARE(shown.first(), QStringLiteral("message\t文字が一部表示出来ません。\\r\\r文字数を減らし、行数を減らして下さい。"));
    }

    void previewDrawsOnTheFirstPicture()
    {
        LabelFixture fixture;
        engine::LabelJob job;
        job[engine::LabelJob::LabelSize] = kPortrait;
        fixture.renderer->beginLabel(job);
        fixture.recording.clear();
        fixture.renderer->drawFieldLines(QStringLiteral("AB"), 0);
        const QStringList text = fixture.lines(QStringLiteral("text"));
        QCOMPARE(text.size(), 2);
        QCOMPARE(text.first().section(u'\t', 1, 3), QStringLiteral("first\t60\t52"));
    }
};

QTEST_GUILESS_MAIN(TestLineFitting)
#include "tst_linefitting.moc"
