#include "engine/render/celltext.h"
#include "platform/fonts.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTest>

namespace {

// The right-most column with ink, or -1.
int lastInkColumn(const QImage &image)
{
    for (int x = image.width() - 1; x >= 0; --x) {
        for (int y = 0; y < image.height(); ++y) {
            if (qGray(image.pixel(x, y)) < 128)
                return x;
        }
    }
    return -1;
}

} // namespace

class TestCellText : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { platform::installFontSubstitutions(); }

    // The yen sign counts one width unit; it must stay inside a half-width
    // cell even where the font draws it full-width.
    void halfWidthCharactersStayInTheirCell_data()
    {
        QTest::addColumn<QString>("character");
        QTest::newRow("yen") << QStringLiteral("¥");
        QTest::newRow("digit") << QStringLiteral("3");
    }
    void halfWidthCharactersStayInTheirCell()
    {
        QFETCH(QString, character);
        QImage image(200, 120, QImage::Format_RGB32);
        image.fill(Qt::white);
        QFont font(QStringLiteral("ＭＳ ゴシック"));
        font.setPixelSize(80);
        {
            QPainter painter(&image);
            painter.setPen(Qt::black);
            engine::drawCellCharacter(painter, font, QPointF(10, 10), character);
        }
        const double half = QFontMetricsF(font, &image).horizontalAdvance(QLatin1Char('0'));
        const int ink = lastInkColumn(image);
        QVERIFY(ink > 10);
        QVERIFY2(ink <= 10 + half + 1, qPrintable(QStringLiteral("ink to %1, cell ends at %2").arg(ink).arg(10 + half)));
    }

    void fullWidthCharactersKeepTheirWidth()
    {
        QImage image(200, 120, QImage::Format_RGB32);
        image.fill(Qt::white);
        QFont font(QStringLiteral("ＭＳ ゴシック"));
        font.setPixelSize(80);
        {
            QPainter painter(&image);
            painter.setPen(Qt::black);
            engine::drawCellCharacter(painter, font, QPointF(10, 10), QStringLiteral("円"));
        }
        const double half = QFontMetricsF(font, &image).horizontalAdvance(QLatin1Char('0'));
        QVERIFY2(lastInkColumn(image) > 10 + half + 10, qPrintable(QStringLiteral("ink to %1, half %2").arg(lastInkColumn(image)).arg(half)));
    }
};

QTEST_MAIN(TestCellText)
#include "tst_celltext.moc"
