// The recycling-mark pictures: a rounded square of four chasing arrows with
// the material's name in the middle, as on Japanese packaging.
#include "engine/render/markpictures.h"

#include "engine/render/labeljob.h"
#include "platform/fonts.h"
#include "store/textfile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <cmath>

namespace engine {
namespace {

// 390 x 350 twips on a 305-dpi head: the largest box a label gives a mark.
constexpr int kWidth = 83;
constexpr int kHeight = 74;
constexpr double kStroke = 3.0;
constexpr double kArrowLength = 8.0;
constexpr double kArrowHalfWidth = 5.0;
constexpr double kGap = 4.0;

QPointF pointAt(const QPainterPath &path, double length)
{
    return path.pointAtPercent(path.percentAtLength(std::clamp(length, 0.0, path.length())));
}

// One arrow follows the outline from `from` to `to` (lengths along it) and
// ends in a head pointing onward.
void drawArrow(QPainter &painter, const QPainterPath &outline, double from, double to)
{
    const double shaftEnd = to - kArrowLength + 1.0;
    QPolygonF shaft;
    for (double at = from; at < shaftEnd; at += 0.5)
        shaft << pointAt(outline, at);
    shaft << pointAt(outline, shaftEnd);
    painter.setPen(QPen(Qt::black, kStroke, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(shaft);

    const QPointF tip = pointAt(outline, to);
    const QPointF base = pointAt(outline, to - kArrowLength);
    QPointF along = tip - base;
    const double norm = std::hypot(along.x(), along.y());
    if (norm <= 0)
        return;
    along /= norm;
    const QPointF across(-along.y(), along.x());
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawPolygon(QPolygonF{tip, base + across * kArrowHalfWidth, base - across * kArrowHalfWidth});
}

QImage drawMark(const QString &name, int pixelSize, bool bold, double trace = 0)
{
    QImage canvas(kWidth, kHeight, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    {
        QPainter painter(&canvas);
        painter.setRenderHint(QPainter::Antialiasing);

        // The outline runs clockwise from the middle of the top side, so each
        // arrow turns one corner.
        const double inset = kArrowHalfWidth + 0.5;
        const QRectF box(inset, inset, kWidth - 2 * inset, kHeight - 2 * inset);
        const double r = 11.0;
        QPainterPath outline(QPointF(box.center().x(), box.top()));
        outline.lineTo(box.right() - r, box.top());
        outline.arcTo(QRectF(box.right() - 2 * r, box.top(), 2 * r, 2 * r), 90, -90);
        outline.lineTo(box.right(), box.bottom() - r);
        outline.arcTo(QRectF(box.right() - 2 * r, box.bottom() - 2 * r, 2 * r, 2 * r), 0, -90);
        outline.lineTo(box.left() + r, box.bottom());
        outline.arcTo(QRectF(box.left(), box.bottom() - 2 * r, 2 * r, 2 * r), 270, -90);
        outline.lineTo(box.left(), box.top() + r);
        outline.arcTo(QRectF(box.left(), box.top(), 2 * r, 2 * r), 180, -90);
        outline.closeSubpath();

        // Each arrow starts at the middle of a side and ends short of the
        // middle of the next one, so the four chase each other round.
        const double w = box.width() - 2 * r;
        const double h = box.height() - 2 * r;
        const double arc = M_PI * r / 2;
        const double starts[5] = {0, w / 2 + arc + h / 2, w + 2 * arc + h, 1.5 * w + 3 * arc + 1.5 * h,
                                  outline.length()};
        for (int i = 0; i < 4; ++i)
            drawArrow(painter, outline, starts[i] + kGap / 2, starts[i + 1] - kGap / 2);

        platform::installFontSubstitutions();
        QFont font(QString::fromUtf16(kPrinterFont));
        font.setPixelSize(pixelSize);
        font.setBold(bold);
        painter.setFont(font);
        painter.setPen(Qt::black);
        if (trace > 0) {
            // A pen of `trace` pixels round the outline keeps thin strokes
            // whole once the greys become dots.
            const QRectF ink = QFontMetricsF(font, &canvas).tightBoundingRect(name);
            QPainterPath glyphs;
            glyphs.addText(box.center() - ink.center(), font, name);
            painter.setPen(QPen(Qt::black, trace, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            painter.setBrush(Qt::black);
            painter.drawPath(glyphs);
        } else {
            painter.drawText(box, Qt::AlignCenter, name);
        }
    }
    // Label printers print dots, not greys.
    QImage mark = canvas.convertToFormat(QImage::Format_Mono, Qt::MonoOnly | Qt::ThresholdDither);
    const int dotsPerMeter = qRound(305 / 0.0254);
    mark.setDotsPerMeterX(dotsPerMeter);
    mark.setDotsPerMeterY(dotsPerMeter);
    return mark;
}

// Drawn only when the file is missing: a print run from a script starts
// with this, and drawing the marks takes longer than a label.
void writeWhenMissing(const QString &path, QImage (*draw)())
{
    if (QFile::exists(path))
        return;
    const QImage picture = draw();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.save(&buffer, "BMP"))
        return;
    store::replaceFileContent(path, path + QStringLiteral(".tmp"), bytes);
}

} // namespace

QImage drawPlasticMark()
{
    return drawMark(QStringLiteral("プラ"), 26, true);
}

QImage drawPaperMark()
{
    // Many thin strokes: bold would close them up, and without a trace
    // some of them would fall apart into dots.
    return drawMark(QStringLiteral("紙"), 40, false, 0.8);
}

void ensureMarkPictures(const QString &workDir)
{
    const QDir folder(workDir);
    writeWhenMissing(folder.filePath(QStringLiteral("pura.bmp")), &drawPlasticMark);
    writeWhenMissing(folder.filePath(QStringLiteral("kami.bmp")), &drawPaperMark);
}

} // namespace engine
