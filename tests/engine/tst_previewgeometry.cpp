#include "engine/render/previewgeometry.h"

#include <QTest>

using engine::PreviewShape;

Q_DECLARE_METATYPE(engine::PreviewShape)

class TestPreviewGeometry : public QObject
{
    Q_OBJECT

private slots:
    void pictures_data()
    {
        QTest::addColumn<PreviewShape>("shape");
        QTest::addColumn<double>("twipsPerDot");
        QTest::addColumn<QSizeF>("shown");
        QTest::addColumn<QSizeF>("work");
        QTest::addColumn<QSizeF>("logical");
        QTest::addColumn<QSizeF>("workLogical");
        const QSizeF portraitSpace(2550, 3600);
        const QSizeF portraitWorkSpace(2450, 3600);
        const QSizeF landscapeSpace(3600, 2550);
        // The driver's rounded twips per dot and the exact 1440 / 203 both mean k = 1.
        QTest::newRow("203 dpi portrait") << PreviewShape::Portrait << 7.093596 << QSizeF(5600, 7372)
                                          << QSizeF(5350, 7372) << portraitSpace << portraitWorkSpace;
        QTest::newRow("203 dpi exact portrait") << PreviewShape::Portrait << 1440.0 / 203 << QSizeF(5600, 7372)
                                                << QSizeF(5350, 7372) << portraitSpace << portraitWorkSpace;
        QTest::newRow("203 dpi landscape") << PreviewShape::Landscape << 1440.0 / 203 << QSizeF(7372, 5000)
                                           << QSizeF(7372, 5100) << landscapeSpace << landscapeSpace;
        QTest::newRow("305 dpi portrait") << PreviewShape::Portrait << 1440.0 / 305 << QSizeF(5500, 7200)
                                          << QSizeF(5250, 7200) << portraitSpace << portraitWorkSpace;
        QTest::newRow("305 dpi landscape") << PreviewShape::Landscape << 1440.0 / 305 << QSizeF(7200, 4900)
                                           << QSizeF(7200, 5000) << landscapeSpace << landscapeSpace;
        // A coarser printer: Int rounds down, so the pictures grow by whole steps.
        QTest::newRow("150 dpi portrait") << PreviewShape::Portrait << 1440.0 / 150 << QSizeF(5653, 7462)
                                          << QSizeF(5403, 7462) << portraitSpace << portraitWorkSpace;
        QTest::newRow("unknown resolution") << PreviewShape::Portrait << 0.0 << QSizeF(5600, 7372)
                                            << QSizeF(5350, 7372) << portraitSpace << portraitWorkSpace;
    }
    void pictures()
    {
        QFETCH(PreviewShape, shape);
        QFETCH(double, twipsPerDot);
        QFETCH(QSizeF, shown);
        QFETCH(QSizeF, work);
        QFETCH(QSizeF, logical);
        QFETCH(QSizeF, workLogical);
        const engine::PreviewGeometry g = engine::previewGeometry(shape, twipsPerDot);
        QCOMPARE(g.shown.twips, shown);
        QCOMPARE(g.work.twips, work);
        QCOMPARE(g.shown.logical, logical);
        QCOMPARE(g.work.logical, workLogical);
    }

    void presentedWorkKeepsTheShownScale()
    {
        // Copied one to one in label twips, a label point lands on the shown
        // picture where the shown picture's own space puts it.
        const engine::PreviewGeometry g = engine::previewGeometry(PreviewShape::Portrait, 1440.0 / 203);
        const engine::PictureGeometry presented = g.presentedWork();
        QCOMPARE(presented.logical, g.work.logical);
        QCOMPARE(presented.scaleX(), g.shown.scaleX());
        QCOMPARE(presented.scaleY(), g.shown.scaleY());
        QVERIFY(presented.twips.width() < g.shown.twips.width());
    }
};

QTEST_APPLESS_MAIN(TestPreviewGeometry)
#include "tst_previewgeometry.moc"
