#include "engine/render/picturetarget.h"
#include "engine/render/labeljob.h"
#include "platform/fonts.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QTest>

namespace {

using engine::PictureGeometry;
using engine::PictureTarget;
using engine::TargetKind;

// A label space of 2450 x 3600 twips on a picture twice as large, at 144 dpi:
// one label twip is 0.2 logical pixels.
const PictureGeometry kGeometry{QSizeF(4900, 7200), QSizeF(2450, 3600)};
constexpr double kDpi = 144;

bool dark(const QImage &image, int x, int y)
{
    return qGray(image.pixel(x, y)) < 128;
}

// The bounding box of the dark pixels, in device pixels; null when all is white.
QRect ink(const QImage &image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (dark(image, x, y))
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

} // namespace

class TestPictureTarget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { platform::installFontSubstitutions(); }

    void ratio_data()
    {
        QTest::addColumn<double>("ratio");
        QTest::newRow("ordinary screen") << 1.0;
        QTest::newRow("HiDPI screen") << 2.0;
    }

    void sizeFollowsTheScreen_data() { ratio_data(); }
    void sizeFollowsTheScreen()
    {
        QFETCH(double, ratio);
        const PictureTarget target(TargetKind::First, kGeometry, kDpi, ratio);
        // 4900 twips at 144 dpi: 490 logical pixels.
        QCOMPARE(target.pixelSize(), QSizeF(490, 720));
        QCOMPARE(target.image().size(), QSize(490 * ratio, 720 * ratio));
        QCOMPARE(target.image().devicePixelRatio(), ratio);
        QCOMPARE(target.toPixels(2450, 3600), QPointF(490, 720));
        QVERIFY(!dark(target.image(), 0, 0));
    }

    void lineLandsOnItsColumn_data() { ratio_data(); }
    void lineLandsOnItsColumn()
    {
        QFETCH(double, ratio);
        PictureTarget target(TargetKind::First, kGeometry, kDpi, ratio);
        target.drawLine(1000, 500, 1000, 3000, 1);
        // x = 1000 twips is logical pixel 200; one logical pixel wide.
        const QRect line = ink(target.image());
        QCOMPARE(line.left(), qRound(200 * ratio));
        QCOMPARE(line.width(), qRound(ratio));
        QCOMPARE(line.top(), qRound(100 * ratio));
        QVERIFY(qAbs(line.bottom() - 600 * ratio) <= ratio);
    }

    void boxIsFilled_data() { ratio_data(); }
    void boxIsFilled()
    {
        QFETCH(double, ratio);
        PictureTarget target(TargetKind::First, kGeometry, kDpi, ratio);
        target.drawBox(100, 200, 150, 700);
        QCOMPARE(ink(target.image()), QRect(QPoint(20 * ratio, 40 * ratio), QPoint(30 * ratio - 1, 140 * ratio - 1)));
    }

    void characterAtItsCellDoubled_data() { ratio_data(); }
    void characterAtItsCellDoubled()
    {
        QFETCH(double, ratio);
        PictureTarget target(TargetKind::First, kGeometry, kDpi, ratio);
        const engine::TextStyle style{QString::fromUtf16(engine::kPrinterFont), 8};
        target.drawChar(500, 1000, style, QStringLiteral("■"));
        const QRect drawn = ink(target.image());
        QVERIFY(!drawn.isNull());
        // The cell's top-left corner is logical pixel (100, 200); the glyph
        // sits inside the cell, near its corner.
        QVERIFY(drawn.left() >= 100 * ratio && drawn.left() < 106 * ratio);
        QVERIFY(drawn.top() >= 200 * ratio && drawn.top() < 212 * ratio);
        // 8 points asked, 16 points drawn, points of a 144-dpi screen.
        QFont doubled(QString::fromUtf16(engine::kPrinterFont));
        doubled.setPointSizeF(16);
        const QRectF expected = QFontMetricsF(doubled, &target.image()).tightBoundingRect(QStringLiteral("■"));
        QVERIFY2(qAbs(drawn.height() - expected.height() * ratio) <= 2 * ratio,
                 qPrintable(QStringLiteral("%1 against %2").arg(drawn.height()).arg(expected.height() * ratio)));
        // 16 points at 144 dpi is a 32-pixel em; the square fills most of it.
        QVERIFY(drawn.height() > 20 * ratio);
    }

    void rotatedTextRunsUpward()
    {
        PictureTarget target(TargetKind::First, kGeometry, kDpi, 1.0);
        target.drawRotatedText(1000, 3000, QStringLiteral("4901234567894"));
        const QRect drawn = ink(target.image());
        QVERIFY(!drawn.isNull());
        // From (200, 600) the digits go up and their cell lies to the right.
        QVERIFY(drawn.left() >= 199 && drawn.left() < 206);
        QVERIFY(drawn.bottom() <= 600);
        QVERIFY(drawn.height() > 3 * drawn.width());
    }

    void clearMakesItWhite()
    {
        PictureTarget target(TargetKind::Second, kGeometry, kDpi, 1.0);
        target.drawBox(0, 0, 2450, 3600);
        target.clear();
        QVERIFY(ink(target.image()).isNull());
    }
};

QTEST_MAIN(TestPictureTarget)
#include "tst_picturetarget.moc"
