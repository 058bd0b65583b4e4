#include "tests/support/labelfixture.h"

#include <QTest>

namespace {

const QString kFont = QStringLiteral("ＭＳ ゴシック");

struct Drawn
{
    QString character;
    double x = 0;
    double y = 0;
    bool underline = false;
};

QList<Drawn> drawnCharacters(const LabelFixture &fixture)
{
    QList<Drawn> drawn;
    for (const QString &line : fixture.lines(QStringLiteral("text"))) {
        const QStringList f = line.split(u'\t');
        drawn.append({f.at(9), f.at(2).toDouble(), f.at(3).toDouble(), f.at(8) == u"1"});
    }
    return drawn;
}

} // namespace

class TestTextOutput : public QObject
{
    Q_OBJECT

private slots:
    void placement_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("size");
        QTest::addColumn<QList<double>>("xs");
        QTest::newRow("8 points: 74 a unit") << "ABC" << 8 << QList<double>{100, 174, 248};
        QTest::newRow("10 points: Int of 87.875 a unit") << "ABC" << 10 << QList<double>{100, 187, 275};
        QTest::newRow("full-width advances two units") << "あA" << 8 << QList<double>{100, 248};
        QTest::newRow("6 points: Int of 55.5 a unit") << "ABC" << 6 << QList<double>{100, 155, 211};
    }
    void placement()
    {
        QFETCH(QString, text);
        QFETCH(int, size);
        QFETCH(QList<double>, xs);
        LabelFixture fixture;
        fixture.renderer->toPrinter = true;
        float x = 100;
        fixture.renderer->drawText(x, 300, text, kFont, false, false, size);
        const QList<Drawn> drawn = drawnCharacters(fixture);
        QCOMPARE(drawn.size(), xs.size());
        for (qsizetype i = 0; i < xs.size(); ++i) {
            QCOMPARE(drawn.at(i).x, xs.at(i));
            QCOMPARE(drawn.at(i).y, 300.0);
        }
        QCOMPARE(x, 100.0f);
    }

    void underline_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("characters");
        QTest::addColumn<QString>("underlined");
        QTest::newRow("a pair") << "a<u>bc</u>d" << "abcd" << "0110";
        QTest::newRow("lone closing tag toggles") << "a</u>bc" << "abc" << "011";
        QTest::newRow("no tag, brackets kept") << "a<b" << "a<b" << "000";
        QTest::newRow("full-width inside") << "<u>あい</u>う" << "あいう" << "110";
        QTest::newRow("many pairs") << QString(QStringLiteral("<u>x</u>y")).repeated(150)
                                    << QStringLiteral("xy").repeated(150) << QStringLiteral("10").repeated(150);
    }
    void underline()
    {
        QFETCH(QString, text);
        QFETCH(QString, characters);
        QFETCH(QString, underlined);
        LabelFixture fixture;
        fixture.renderer->toPrinter = true;
        float x = 0;
        fixture.renderer->drawText(x, 0, text, kFont, false, false, 8);
        QString gotCharacters;
        QString gotUnderlined;
        for (const Drawn &d : drawnCharacters(fixture)) {
            gotCharacters += d.character;
            gotUnderlined += d.underline ? u'1' : u'0';
        }
        QCOMPARE(gotCharacters, characters);
        QCOMPARE(gotUnderlined, underlined);
    }

    // At 14 points a blank pulls the rest of the line, and the caller's x, 50 twips left.
    void fourteenPointBlank()
    {
        LabelFixture fixture;
        fixture.renderer->toPrinter = true;
        float x = 100;
        fixture.renderer->drawText(x, 0, QStringLiteral("A B"), kFont, true, false, 14);
        const QList<Drawn> drawn = drawnCharacters(fixture);
        QCOMPARE(drawn.size(), 3);
        QCOMPARE(drawn.at(0).x, 100.0);
        QCOMPARE(drawn.at(1).x, 224.0);        // 100 + Int(124.875)
        QCOMPARE(drawn.at(2).x, 50.0 + 249.0); // moved 50 left
        QCOMPARE(x, 50.0f);
    }

    void carriageReturnFeedsALine()
    {
        LabelFixture fixture;
        fixture.renderer->toPrinter = true;
        fixture.renderer->linePitch = 164;
        float x = 100;
        fixture.renderer->drawText(x, 20, QStringLiteral("X\rY"), kFont, false, false, 8);
        const QList<Drawn> drawn = drawnCharacters(fixture);
        QCOMPARE(drawn.size(), 2);
        QCOMPARE(drawn.at(1).x, 100.0);
        QCOMPARE(drawn.at(1).y, 184.0);
    }

    void backslashPrintsAsYen()
    {
        LabelFixture fixture;
        fixture.renderer->toPrinter = true;
        float x = 0;
        fixture.renderer->drawText(x, 0, QStringLiteral("\\398"), kFont, false, false, 8);
        const QList<Drawn> drawn = drawnCharacters(fixture);
        QCOMPARE(drawn.at(0).character, QStringLiteral("¥"));
        QCOMPARE(drawn.at(1).x, 74.0); // still one unit wide
    }

    void failingPrinterEndsTheProgram()
    {
        LabelFixture fixture;
        fixture.renderer->toPrinter = true;
        fixture.recording.setPageWorking(false);
        float x = 0;
        fixture.renderer->drawText(x, 0, QStringLiteral("A"), kFont, false, false, 8);
        fixture.renderer->drawText(x, 0, QStringLiteral("B"), kFont, false, false, 8);
        fixture.renderer->drawLine(0, 0, 10, 10, 1);
        QCOMPARE(fixture.recording.lines(),
                 QStringList{QStringLiteral("message\tプリンター出力の際に異常を検出しました\\rソフトウェアを終了します")});
        QVERIFY(fixture.exit.requested());
        QVERIFY(fixture.renderer->aborted());
    }

    void gridTextHasNoTagsAndGoesToTheSecondPicture()
    {
        LabelFixture fixture;
        fixture.renderer->toPrinter = true;
        fixture.renderer->drawGridText(100, 0, QStringLiteral("<u>A"), kFont, false, false, 10);
        const QStringList text = fixture.lines(QStringLiteral("text"));
        QCOMPARE(text.size(), 4);
        // Grid text keeps the 8-point rule at any size: Int(9.25 x 10 x col).
        QCOMPARE(text.at(3).section(u'\t', 2, 2), QStringLiteral("377"));
    }

    void rotatedTextLandsAtTheSameTwips_data()
    {
        QTest::addColumn<int>("dpi");
        QTest::newRow("203 dpi") << 203;
        QTest::newRow("305 dpi") << 305;
        QTest::newRow("300 dpi") << 300;
    }
    void rotatedTextLandsAtTheSameTwips()
    {
        QFETCH(int, dpi);
        LabelFixture fixture(QStringLiteral("SATO_T412v"), dpi);
        fixture.renderer->toPrinter = true;
        fixture.renderer->landscapeOriginX = 2950;
        fixture.renderer->drawRotatedText(0, 1000.0f, QStringLiteral("4901234567894"));
        const QStringList f = fixture.lines(QStringLiteral("rotated")).value(0).split(u'\t');
        const double pixel = 1440.0 / dpi;
        QVERIFY2(std::abs(f.value(2).toDouble() - (2950 + 3367.8)) <= pixel, qPrintable(f.join(u' ')));
        QVERIFY2(std::abs(f.value(3).toDouble() - (1000 - 195.7)) <= pixel, qPrintable(f.join(u' ')));
        QCOMPARE(f.value(4), QStringLiteral("4901234567894"));
    }
};

QTEST_GUILESS_MAIN(TestTextOutput)
#include "tst_textoutput.moc"
