#include "engine/render/barcodefont.h"
#include "engine/render/janmodules.h"
#include "tests/support/labelfixture.h"

#include <QFontDatabase>
#include <QTest>

#include <cmath>

// The drawn JAN symbol: where its modules, guard bars and digits land on the
// preview pictures, and that on paper every module is the same whole number
// of printer dots, each starting where the last one ended.

namespace {

struct Box
{
    QString target;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

QList<Box> boxes(const LabelFixture &fixture)
{
    QList<Box> found;
    for (const QString &line : fixture.lines(QStringLiteral("box"))) {
        const QStringList f = line.split(u'\t');
        found.append({f.at(1), f.at(2).toDouble(), f.at(3).toDouble(), f.at(4).toDouble(), f.at(5).toDouble()});
    }
    return found;
}

// The text the digits make, and where its first character stands.
struct Digits
{
    QString text;
    double x = 0, y = 0;
    QString look; // font, size, bold of the first character
};

Digits digits(const LabelFixture &fixture)
{
    Digits found;
    for (const QString &line : fixture.lines(QStringLiteral("text"))) {
        const QStringList f = line.split(u'\t');
        if (found.text.isEmpty()) {
            found.x = f.at(2).toDouble();
            found.y = f.at(3).toDouble();
            found.look = f.mid(4, 3).join(u' ');
        }
        found.text += f.at(9);
    }
    return found;
}

// 1-based positions of the bar modules.
QList<int> bars(const QString &code)
{
    QList<int> found;
    const QString modules = engine::janModules(code);
    for (int d = 1; d <= modules.size(); ++d) {
        if (modules.at(d - 1) == u'1')
            found.append(d);
    }
    return found;
}

engine::LabelJob previewJob(const char16_t *labelSize)
{
    engine::LabelJob job;
    job.toPrinter = false;
    job.baseDate = QDateTime(QDate(2024, 3, 5), QTime(9, 7));
    job[engine::LabelJob::LabelSize] = QString::fromUtf16(labelSize);
    return job;
}

bool onGrid(double twips, double twipsPerDot)
{
    // The recording keeps two decimals.
    return std::abs(twips / twipsPerDot - std::nearbyint(twips / twipsPerDot)) < 0.01;
}

// The label printers on paper: EAN-13 and EAN-8 at both head resolutions,
// with the whole dots a module covers there.
void addPaperRows()
{
        QTest::addColumn<QString>("printer");
        QTest::addColumn<int>("dpi");
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("dotsPerModule");
        QTest::newRow("203 dpi, EAN-13") << "SATO_T408v" << 203 << "4901234567894" << 2;
        QTest::newRow("203 dpi, EAN-8") << "SATO_T408v" << 203 << "49123456" << 2;
        QTest::newRow("305 dpi, EAN-13") << "SATO_T412v" << 305 << "4901234567894" << 3;
        QTest::newRow("305 dpi, EAN-8") << "SATO_T412v" << 305 << "49123456" << 3;
}

} // namespace

class TestBarcode : public QObject
{
    Q_OBJECT

private slots:
    void uprightPreview_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("extension");
        QTest::addColumn<double>("xAfter");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("textX");
        QTest::newRow("EAN-13, guards 40 longer") << "4901234567894" << 40 << 500 + 95 * 14.2 << " 490123 4567894"
                                                  << 610.0;
        QTest::newRow("EAN-13, no extension") << "4901234567894" << 0 << 500 + 95 * 14.2 << " 490123 4567894" << 610.0;
        QTest::newRow("EAN-8 behind 14 spaces") << "49123456" << 40 << 500 + 81 * 14.2 << "   4912 3456" << 610.0;
        QTest::newRow("12 digits: nothing, 11 modules of room") << "490123456789" << 40 << 656.2 << "" << 0.0;
    }
    void uprightPreview()
    {
        QFETCH(QString, code);
        QFETCH(int, extension);
        QFETCH(double, xAfter);
        QFETCH(QString, text);
        QFETCH(double, textX);
        LabelFixture fixture;
        fixture.renderer->beginLabel(previewJob(engine::kPortraitLabel));
        fixture.recording.clear();

        double x = 500;
        fixture.renderer->drawBarcode(x, 3000, code, 14, 350, extension);

        QVERIFY(qAbs(x - xAfter) < 1e-6);
        const QList<Box> drawn = boxes(fixture);
        const QList<int> expectedBars = code.size() == 12 ? QList<int>{} : bars(code);
        QCOMPARE(drawn.size(), expectedBars.size());
        for (qsizetype i = 0; i < drawn.size(); ++i) {
            const int d = expectedBars.at(i);
            const double left = 500 + (d - 1) * 14.2;
            const bool longer = extension > 0 && engine::isJanGuardModule(code.size(), d);
            QCOMPARE(drawn.at(i).target, QStringLiteral("first"));
            QVERIFY2(qAbs(drawn.at(i).x1 - left) < 0.006 && qAbs(drawn.at(i).x2 - (left + 13)) < 0.006,
                     qPrintable(QStringLiteral("module %1 at %2").arg(d).arg(drawn.at(i).x1)));
            QCOMPARE(drawn.at(i).y1, 3000.0);
            QCOMPARE(drawn.at(i).y2, longer ? 3390.0 : 3350.0);
        }
        const Digits shown = digits(fixture);
        QCOMPARE(shown.text, text);
        if (!text.isEmpty()) {
            QCOMPARE(shown.x, textX);
            QCOMPARE(shown.y, 3370.0);
            QCOMPARE(shown.look, QStringLiteral("ＭＳ ゴシック 8 0"));
        }
    }

    void rotatedPreview_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("extension");
        QTest::addColumn<int>("yAfter");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("textY");
        // The preview draws the turned text 200 twips above the given y.
        QTest::newRow("EAN-13") << "4901234567894" << 40 << 2500 - 95 * 14 << " 490123 4567894"
                                << 2500 - 95 * 14 + 1440 - 200.0;
        QTest::newRow("EAN-13, no extension") << "4901234567894" << 0 << 2500 - 95 * 14 << " 490123 4567894"
                                              << 2500 - 95 * 14 + 1440 - 200.0;
        QTest::newRow("EAN-8") << "49123456" << 40 << 2500 - 81 * 14 << "   4912 3456"
                               << 2500 - 81 * 14 + 1260 - 200.0;
        QTest::newRow("12 digits") << "490123456789" << 40 << 2500 - 11 * 14 << "" << 2500 - 11 * 14 + 1260 - 200.0;
    }
    void rotatedPreview()
    {
        QFETCH(QString, code);
        QFETCH(int, extension);
        QFETCH(int, yAfter);
        QFETCH(QString, text);
        QFETCH(double, textY);
        LabelFixture fixture;
        fixture.renderer->beginLabel(previewJob(engine::kLandscapeLabel));
        fixture.recording.clear();

        qint32 y = 2500;
        fixture.renderer->drawBarcodeRotated(3000.0, y, code, 14, 350, extension);

        QCOMPARE(y, yAfter);
        const QList<Box> drawn = boxes(fixture);
        const QList<int> expectedBars = code.size() == 12 ? QList<int>{} : bars(code);
        QCOMPARE(drawn.size(), expectedBars.size());
        for (qsizetype i = 0; i < drawn.size(); ++i) {
            const int d = expectedBars.at(i);
            const bool longer = extension > 0 && engine::isJanGuardModule(code.size(), d);
            QCOMPARE(drawn.at(i).target, QStringLiteral("first"));
            QCOMPARE(drawn.at(i).x1, 3000.0);
            QCOMPARE(drawn.at(i).x2, longer ? 3390.0 : 3350.0);
            QCOMPARE(drawn.at(i).y1, 2500.0 - (d - 1) * 14);
            QCOMPARE(drawn.at(i).y2, 2500.0 - (d - 1) * 14 + 13);
        }
        const QStringList turned = fixture.lines(QStringLiteral("rotated"));
        QCOMPARE(turned.size(), 1);
        QCOMPARE(turned.first().split(u'\t').mid(1),
                 (QStringList{QStringLiteral("first"), QStringLiteral("3370"), QString::number(textY), text}));
    }

    // On paper: every bar module the same whole number of dots wide, its
    // edges on the dot grid, and module d exactly d - 1 modules from the first.
    void uprightOnPaper_data()
    {
        addPaperRows();
        QTest::newRow("600 dpi") << "Office" << 600 << "4901234567894" << 6;
    }
    void uprightOnPaper()
    {
        QFETCH(QString, printer);
        QFETCH(int, dpi);
        QFETCH(QString, code);
        QFETCH(int, dotsPerModule);
        LabelFixture fixture(printer, dpi);
        fixture.renderer->toPrinter = true;
        const double dot = 1440.0 / dpi;

        double x = 1203.5;
        fixture.renderer->drawBarcode(x, 3001, code, 14, 350, 40);

        QVERIFY(qAbs(x - (1203.5 + engine::janModules(code).size() * 14.2)) < 1e-6);
        const QList<Box> drawn = boxes(fixture);
        const QList<int> expectedBars = bars(code);
        QCOMPARE(drawn.size(), expectedBars.size());
        const double moduleTwips = dotsPerModule * dot;
        const double start = drawn.first().x1 - (expectedBars.first() - 1) * moduleTwips;
        // The bars start 3 twips left of the preview's place.
        QVERIFY2(qAbs(start - (1203.5 - 3)) <= dot / 2 + 0.01, qPrintable(QString::number(start)));
        for (qsizetype i = 0; i < drawn.size(); ++i) {
            const Box &box = drawn.at(i);
            const int d = expectedBars.at(i);
            QCOMPARE(box.target, QStringLiteral("page"));
            QVERIFY2(onGrid(box.x1, dot) && onGrid(box.x2, dot) && onGrid(box.y1, dot) && onGrid(box.y2, dot),
                     qPrintable(QStringLiteral("module %1 off the dot grid").arg(d)));
            QVERIFY2(qAbs(box.x1 - (start + (d - 1) * moduleTwips)) < 0.02, qPrintable(QString::number(d)));
            QVERIFY(qAbs(box.x2 - box.x1 - moduleTwips) < 0.02);
            const bool longer = engine::isJanGuardModule(code.size(), d);
            QVERIFY(qAbs(box.y1 - 3001) <= dot / 2);
            QVERIFY(qAbs(box.y2 - (longer ? 3391 : 3351)) <= dot / 2);
        }
        QCOMPARE(digits(fixture).x, 1313.5);
    }

    void rotatedOnPaper_data() { addPaperRows(); }
    void rotatedOnPaper()
    {
        QFETCH(QString, printer);
        QFETCH(int, dpi);
        QFETCH(QString, code);
        QFETCH(int, dotsPerModule);
        LabelFixture fixture(printer, dpi);
        fixture.renderer->toPrinter = true;
        const double dot = 1440.0 / dpi;

        qint32 y = 2500;
        fixture.renderer->drawBarcodeRotated(3000.0, y, code, 14, 350, 40);

        QCOMPARE(y, 2500 - static_cast<int>(engine::janModules(code).size()) * 14);
        const QList<Box> drawn = boxes(fixture);
        const QList<int> expectedBars = bars(code);
        QCOMPARE(drawn.size(), expectedBars.size());
        const double moduleTwips = dotsPerModule * dot;
        const double firstTop = drawn.first().y1 + (expectedBars.first() - 1) * moduleTwips;
        QVERIFY(qAbs(firstTop - 2500) <= dot / 2 + 0.01);
        for (qsizetype i = 0; i < drawn.size(); ++i) {
            const Box &box = drawn.at(i);
            const int d = expectedBars.at(i);
            const bool guard = engine::isJanGuardModule(code.size(), d);
            QVERIFY2(onGrid(box.x1, dot) && onGrid(box.x2, dot) && onGrid(box.y1, dot) && onGrid(box.y2, dot),
                     qPrintable(QStringLiteral("module %1 off the dot grid").arg(d)));
            QVERIFY2(qAbs(box.y1 - (firstTop - (d - 1) * moduleTwips)) < 0.02, qPrintable(QString::number(d)));
            QVERIFY(qAbs(box.y2 - box.y1 - moduleTwips) < 0.02);
            QVERIFY(qAbs(box.x1 - (guard ? 2997 : 3000)) <= dot / 2);
            QVERIFY(qAbs(box.x2 - (guard ? 3390 : 3350)) <= dot / 2);
        }
        QCOMPARE(fixture.lines(QStringLiteral("rotated")).size(), 1);
    }

    // Only a family of exactly that name counts as the printer's barcode font.
    void barcodeFont()
    {
        const QStringList families = QFontDatabase::families();
        QVERIFY(!families.isEmpty());
        QVERIFY(engine::barcodeFontInstalled(families.first()));
        QCOMPARE(engine::barcodeFontInstalled(QStringLiteral("jan13")), families.contains(QStringLiteral("jan13")));
        QVERIFY(!engine::barcodeFontInstalled(families.first() + QStringLiteral("x")));
        QVERIFY(!engine::barcodeFontInstalled(QString()));
    }

    // A printer that has gone away ends the program at the digits; no bar follows.
    void failedPrinterDrawsNoBars()
    {
        LabelFixture fixture;
        fixture.renderer->toPrinter = true;
        fixture.recording.setPageWorking(false);
        double x = 500;
        fixture.renderer->drawBarcode(x, 3000, QStringLiteral("4901234567894"), 14, 350, 40);
        QVERIFY(fixture.renderer->aborted());
        QVERIFY(boxes(fixture).isEmpty());
        QCOMPARE(fixture.exit.code(), 1);
    }
};

QTEST_MAIN(TestBarcode)
#include "tst_barcode.moc"
