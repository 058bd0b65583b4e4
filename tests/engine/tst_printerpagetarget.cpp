#include "engine/render/printerpagetarget.h"
#include "platform/fakeprintersystem.h"
#include "platform/fonts.h"
#include "platform/printer.h"

#include <QGuiApplication>
#include <QImage>
#include <QTest>

#include <functional>
#include <memory>

namespace {

using Line = QList<engine::PlacedChar>;

// A line of characters side by side, half-width ones in half a cell.
Line placed(const QString &text, const engine::TextStyle &style, double y = 300)
{
    Line line;
    double x = 200;
    for (const QChar c : text) {
        line.append(engine::PlacedChar{x, y, style, QString(c)});
        x += c.unicode() < 0x80 || c == QChar(0x00A5) ? 90 : 180;
    }
    return line;
}

// The page a fake 203-dpi printer got after `draw` on its page target.
QImage pageDrawnBy(const std::function<void(engine::PrinterPageTarget &)> &draw)
{
    platform::FakePrinterSystem system;
    system.addPrinter({QStringLiteral("SATO_T408v"), 203, platform::FakePrinterSystem::labelPrinterForms(), 515});
    {
        const std::unique_ptr<platform::Printer> printer = system.open(QStringLiteral("SATO_T408v"));
        engine::PrinterPageTarget page(*printer);
        draw(page);
        printer->endDocument();
    }
    const platform::FakePrinterRecord &record = system.record(QStringLiteral("SATO_T408v"));
    return record.documents.isEmpty() || record.documents.front().pages.isEmpty()
               ? QImage()
               : record.documents.front().pages.front().image;
}

bool hasInk(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 128)
                return true;
        }
    }
    return false;
}

engine::TextStyle style(bool bold = false, bool italic = false, bool underline = false)
{
    return engine::TextStyle{QStringLiteral("ＭＳ ゴシック"), 8, bold, italic, underline};
}

} // namespace

class TestPrinterPageTarget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { platform::installFontSubstitutions(); }

    // The page draws a whole line at once; it must look exactly as the same
    // characters drawn one by one, whatever the line holds.
    void aLineDrawsAsItsCharacters_data()
    {
        QTest::addColumn<Line>("line");
        QTest::newRow("plain") << placed(QStringLiteral("原材料名:ご飯、鮭(10℃以下)"), style());
        QTest::newRow("bold") << placed(QStringLiteral("消費期限:２０２６．０３．０６"), style(true));
        QTest::newRow("italic") << placed(QStringLiteral("保存方法:要冷蔵"), style(false, true));
        QTest::newRow("underlined") << placed(QStringLiteral("ご飯 ABC"), style(false, false, true));
        QTest::newRow("narrowed yen") << placed(QStringLiteral("価格¥398円"), style());
        QTest::newRow("not in the font") << placed(QStringLiteral("김치と漬物"), style());
        QTest::newRow("larger size") << placed(QStringLiteral("幕の内弁当"), engine::TextStyle{
                                                      QStringLiteral("ＭＳ ゴシック"), 14, true, false, false});
        Line mixed = placed(QStringLiteral("ご飯、"), style());
        mixed += placed(QStringLiteral("卵焼き"), style(false, false, true));
        mixed += placed(QStringLiteral("煮物"), style(true), 500);
        mixed += placed(QStringLiteral("漬物"), style());
        QTest::newRow("styles change within the line") << mixed;
    }
    void aLineDrawsAsItsCharacters()
    {
        QFETCH(Line, line);
        const QImage whole = pageDrawnBy([&](engine::PrinterPageTarget &page) { page.drawChars(line); });
        const QImage oneByOne = pageDrawnBy([&](engine::PrinterPageTarget &page) {
            for (const engine::PlacedChar &c : line)
                page.drawChar(c.x, c.y, c.style, c.character);
        });
        QVERIFY(!whole.isNull());
        QVERIFY(hasInk(whole));
        QCOMPARE(whole, oneByOne);
    }

    // The bars of a symbol are filled at once; they must look exactly as the
    // same boxes filled one by one, on the dot grid or off it, given by any
    // two corners.
    void barsDrawAsTheirBoxes_data()
    {
        QTest::addColumn<QList<engine::Box>>("bars");
        QList<engine::Box> grid;
        const double dot = 1440.0 / 203;
        for (int i = 0; i < 30; i += 2)
            grid.append({(200 + i * 2) * dot, 100 * dot, (202 + i * 2) * dot, 160 * dot});
        QTest::newRow("on the dot grid, side by side") << grid;
        QTest::newRow("off the grid, overlapping")
            << QList<engine::Box>{{1400.5, 700.25, 1413.7, 1090.1}, {1410.2, 700.25, 1440.9, 1100}, {1500, 800, 1514, 1200}};
        QTest::newRow("corners the other way round") << QList<engine::Box>{{1514, 1200, 1500, 800}, {1600, 800, 1586, 1200}};
    }
    void barsDrawAsTheirBoxes()
    {
        QFETCH(QList<engine::Box>, bars);
        const QImage atOnce = pageDrawnBy([&](engine::PrinterPageTarget &page) { page.drawBoxes(bars); });
        const QImage oneByOne = pageDrawnBy([&](engine::PrinterPageTarget &page) {
            for (const engine::Box &b : bars)
                page.drawBox(b.x1, b.y1, b.x2, b.y2);
        });
        QVERIFY(hasInk(atOnce));
        QCOMPARE(atOnce, oneByOne);
    }
};

QTEST_MAIN(TestPrinterPageTarget)
#include "tst_printerpagetarget.moc"
