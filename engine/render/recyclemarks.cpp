// The recycling marks of a label: the plastic and paper pictures with their
// subscripts, below the text of a portrait label or in the side column of a
// landscape one, or a word to the user when they do not fit.
#include "engine/render/labelrenderer.h"

#include "platform/messagesink.h"

#include <QImage>
#include <QStringList>

namespace engine {
namespace {

constexpr char16_t kPlastic[] = u"プラ";
constexpr char16_t kPaper[] = u"紙";
constexpr char16_t kPaperThenPlastic[] = u"紙＆プラ";
constexpr char16_t kPlasticThenPaper[] = u"プラ＆紙";

QString pictureOf(bool plastic)
{
    return plastic ? QStringLiteral("pura.bmp") : QStringLiteral("kami.bmp");
}

constexpr int kSubscriptSize = 6;

const QString &noRoomMessage()
{
    static const QString text = QStringLiteral("表示スペースが足りない為、リサイクルマークの表示が行えませんでした");
    return text;
}

// Where one picture goes, in twips from the label's origin.
struct MarkBox
{
    QString file;
    qint32 x = 0;
    qint32 y = 0;
    qint32 width = 0;
    qint32 height = 0;
};

// A picture that is missing or cannot be read is left out; the rest of the
// label is drawn all the same.
void drawMarkPicture(LabelRenderer &renderer, const MarkBox &box, qint32 originX, qint32 originY)
{
    const QImage &picture = renderer.picture(box.file);
    if (picture.isNull())
        return;
    if (DrawTarget *out = renderer.target(TargetKind::First))
        out->drawPicture(box.file, picture, originX + box.x, originY + box.y, box.width, box.height);
}

void tellUser(const LabelRenderer &renderer, const QString &text)
{
    if (platform::MessageSink *messages = renderer.services().messages)
        messages->information(text);
}

} // namespace

void LabelRenderer::drawRecycleMarks(qint32 textBottom, qint32 p)
{
    if (aborted())
        return;
    const LabelJob &label = job();
    const QString &mark = label[LabelJob::RecycleMark];
    const QString &sub1 = label[LabelJob::RecycleSub1];
    const QString &sub2 = label[LabelJob::RecycleSub2];
    const bool registration = label.registrationPreview;
    const QString font = QString::fromUtf16(kPrinterFont);
    const qint32 x0 = originX;
    const qint32 y0 = originY;

    if (mark == kPlastic || mark == kPaper) {
        MarkBox box{pictureOf(mark == kPlastic), registration ? 1750 : 1710, 0,
                    registration ? 350 : 390, registration ? 310 : 350};
        QStringList subscripts; // drawn as they are, "<r>" included
        if (sub1.isEmpty() && sub2.isEmpty() && textBottom < 3153) {
            box.y = (textBottom > 3110 ? 3110 : 3030) + (registration ? 40 : 0);
        } else if (sub2.isEmpty() && textBottom < 3023) {
            box.y = registration ? 3070 : 3030;
            subscripts = {sub1};
        } else if (!sub2.isEmpty() && textBottom < 2973) {
            box.y = registration ? 2932 : 2892;
            subscripts = {sub1, sub2};
        } else {
            if (!toPrinter)
                tellUser(*this, noRoomMessage() + u'\r'
                                    + QStringLiteral("マークのみの場合は２行、文字入りの場合は３行以上の空きスペースを確保して下さい。"));
            return;
        }
        drawMarkPicture(*this, box, x0, y0);
        const qint32 subscriptY[2][2] = {{3412, 0}, {3260, 3380}};
        for (qsizetype i = 0; i < subscripts.size(); ++i) {
            float x = static_cast<float>(x0 + 1650);
            drawText(x, static_cast<float>(y0 + subscriptY[subscripts.size() - 1][i]), subscripts.at(i), font, false,
                     false, kSubscriptSize);
        }
        return;
    }

    if (mark != kPaperThenPlastic && mark != kPlasticThenPaper)
        return;
    const bool withBarcode = !label[LabelJob::Barcode].isEmpty();
    if (withBarcode ? textBottom >= 2750 : textBottom >= 3203) {
        // Said when printing too: the label goes out without its marks.
        tellUser(*this, noRoomMessage() + u'\r' + QStringLiteral("３行以上の空きスペースを確保して下さい。"));
        return;
    }
    const qint32 lift = 50 * p;
    const bool paperFirst = mark == kPaperThenPlastic;
    const auto boxFor = [&](bool plastic, qint32 x) {
        if (plastic)
            return MarkBox{pictureOf(true), x, (registration ? 3220 : 3180) - lift, registration ? 350 : 390,
                           registration ? 310 : 350};
        return MarkBox{pictureOf(false), x, 3180 - lift, registration ? 350 : 390, 350};
    };
    qint32 secondX = registration ? 1200 : 1160;
    if (paperFirst && !registration && !toPrinter)
        secondX = 1180;
    drawMarkPicture(*this, boxFor(!paperFirst, registration ? 100 : 60), x0, y0);
    drawMarkPicture(*this, boxFor(paperFirst, secondX), x0, y0);

    // A subscript beside a picture: "<r>" starts a new line; with three or
    // more of them it does not fit beside the picture and is left out.
    const auto drawSubscript = [&](const QString &text, qint32 x, qint32 singleLineY) {
        const QStringList lines = text.split(QStringLiteral("<r>"));
        static const QList<qint32> twoLines{3272, 3392};
        static const QList<qint32> threeLines{3182, 3302, 3432};
        QList<qint32> ys;
        if (lines.size() == 1)
            ys = {singleLineY};
        else if (lines.size() == 2)
            ys = twoLines;
        else if (lines.size() == 3)
            ys = threeLines;
        for (qsizetype i = 0; i < ys.size(); ++i) {
            float left = static_cast<float>(x0 + x);
            drawText(left, static_cast<float>(y0 + ys.at(i) - lift), lines.at(i), font, false, false,
                     kSubscriptSize);
        }
    };
    drawSubscript(sub1, 500, 3292);
    drawSubscript(sub2, 1600, paperFirst ? 3312 : 3292);
}

void LabelRenderer::drawRecycleMarksLandscape()
{
    if (aborted())
        return;
    const LabelJob &label = job();
    const QString &mark = label[LabelJob::RecycleMark];
    const QString &sub1 = label[LabelJob::RecycleSub1];
    const QString &sub2 = label[LabelJob::RecycleSub2];
    const bool registration = label.registrationPreview;
    const bool withSubscripts = !sub1.isEmpty() || !sub2.isEmpty();
    const QString font = QString::fromUtf16(kPrinterFont);
    const qint32 x0 = landscapeOriginX;
    const qint32 y0 = landscapeOriginY;
    // The issuing screen draws its pictures larger, 40 twips further left and
    // higher than the registration screen's.
    const qint32 left = registration ? 3050 : 3010;
    const qint32 shift = registration ? 0 : -40;
    const qint32 width = registration ? 350 : 390;

    const auto drawSubscriptsAt = [&](qint32 y1, qint32 y2) {
        float x = static_cast<float>(x0 + 2950);
        drawText(x, static_cast<float>(y0 + y1), sub1, font, false, false, kSubscriptSize);
        x = static_cast<float>(x0 + 2950);
        drawText(x, static_cast<float>(y0 + y2), sub2, font, false, false, kSubscriptSize);
    };

    if (mark == kPlastic || mark == kPaper) {
        const qint32 top = (withSubscripts ? 1650 : 1750) - (toPrinter ? 0 : 40) + shift;
        drawMarkPicture(*this, {pictureOf(mark == kPlastic), left, top, width,
                                registration ? 310 : 350},
                        x0, y0);
        if (withSubscripts)
            drawSubscriptsAt(toPrinter ? 2000 : 1960, toPrinter ? 2130 : 2090);
        return;
    }

    if (mark != kPaperThenPlastic && mark != kPlasticThenPaper)
        return;
    if (withSubscripts && !label[LabelJob::Barcode].isEmpty()) {
        if (!toPrinter)
            tellUser(*this, QStringLiteral("バーコードと文字付きリサイクルマーク×２個は、スペースの関係上、同時に印刷が出来ません"));
        return;
    }
    const bool paperFirst = mark == kPaperThenPlastic;
    const QString firstFile = pictureOf(!paperFirst);
    const QString secondFile = pictureOf(paperFirst);
    const qint32 firstTop = (withSubscripts ? 300 : 1550) + shift;
    const qint32 secondTop = (withSubscripts ? 1200 : 2000) + shift;
    drawMarkPicture(*this, {firstFile, left, firstTop, width, 350}, x0, y0);
    drawMarkPicture(*this, {secondFile, left, secondTop, width, registration ? 310 : 350}, x0, y0);
    if (withSubscripts)
        drawSubscriptsAt(730, 1580);
}

} // namespace engine
