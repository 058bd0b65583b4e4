// The upright labels: "65×45(タテ)" with every field, boxes, barcode and
// marks, and the small "28×38" with the fields only.
#include "engine/compose/portraitcomposer.h"

#include "engine/compose/labeltexts.h"
#include "engine/render/barcodefont.h"
#include "engine/render/previewsurface.h"
#include "platform/messagesink.h"
#include "platform/printer.h"
#include "store/usersettings.h"

namespace engine {
namespace {

constexpr char16_t kNoMark[] = u"なし";
constexpr char16_t kBarcodeNoRoom[] = u"表示スペースが足りない為、バーコードの表示が行えませんでした\r"
                                      u"２行以上の空きスペースを確保して下さい。";
constexpr qint32 kModuleWidth = 14;
constexpr qint32 kGuardExtension = 40;
// The size the printer's barcode fonts are set in: the label's text size.
constexpr int kBarcodeFontSize = 8;

bool maskRuled(const QString &mask, int position)
{
    return mask.size() >= position && mask.at(position - 1) == u'o';
}

bool twoMarks(const QString &mark)
{
    return mark == u"紙＆プラ" || mark == u"プラ＆紙";
}

// How the rows of the label decide whether a box still fits above them: the
// two name rows may start right at the top edge, the others must start below it.
enum class TopEdge { Allowed, Below };

// One field: boxed when the mask asks for it and the box still starts on the
// label; the small label draws its fields unboxed.
void drawField(LabelRenderer &r, const QString &text, int maskPosition, TopEdge edge, int markupLevel)
{
    if (text.isEmpty())
        return;
    if (r.labelSize() == kSmallLabel) {
        r.drawFieldLines(text, markupLevel);
        return;
    }
    const qint32 top = r.originY + r.boxCursorY;
    const bool room = edge == TopEdge::Allowed ? top >= 0 : top > 0;
    r.prepareField(text, maskRuled(r.job()[LabelJob::RuledLines], maskPosition) && room);
    r.drawFieldLines(r.preparedText, markupLevel);
}

// The digits in the printer's own barcode font, as one run of text.
void drawInBarcodeFont(LabelRenderer &r, const QString &font, double x, double y, const QString &code)
{
    DrawTarget *page = r.target(TargetKind::Page);
    if (!page || !page->canDraw())
        return;
    page->drawChar(x, y, TextStyle{font, kBarcodeFontSize, false, false, false}, code);
}

void drawPortraitBarcode(LabelRenderer &r, const LabelJob &job, qint32 textBottom, qint32 p)
{
    const QString &code = job[LabelJob::Barcode];
    if (code.isEmpty())
        return;
    const QString &mark = job[LabelJob::RecycleMark];
    const bool two = twoMarks(mark);
    const bool none = mark == kNoMark;
    const bool knownLength = code.size() == 13 || code.size() == 8;
    const bool fits = two ? textBottom - r.originY < 2625 : textBottom < 3170;
    if (!knownLength || !fits) {
        if (!r.toPrinter && r.services().messages)
            r.services().messages->information(QString::fromUtf16(kBarcodeNoRoom));
        return;
    }

    const qint32 barcodeDrop = textBottom > 3100 ? 70 : 0;
    // The preview draws the bars 30 twips further right than the printer.
    const qint32 previewShift = r.toPrinter ? 0 : 30;
    double x = 0;
    qint32 y = 0;
    qint32 height = 350;
    if (two) {
        x = r.originX + 460 + previewShift;
        y = r.originY + 2630;
    } else {
        x = r.originX + (none ? 460 : 120) + previewShift;
        y = r.originY + 3020 + barcodeDrop - 10 * p;
        height = 350 - 60 * p;
    }

    if (r.toPrinter) {
        const store::UserSettings &settings = r.services().settings;
        const QString font = code.size() == 13 ? QStringLiteral("jan13") : QStringLiteral("jan8");
        // Without the printer's barcode font the bars are drawn here, so no
        // label goes out without a code a scanner reads.
        const auto &installed = r.services().fontInstalled;
        if (!settings.barcodeBySoftware() && (installed ? installed(font) : barcodeFontInstalled(font))) {
            if (two) {
                drawInBarcodeFont(r, font, r.originX + 460, r.originY + 2630, code);
            } else {
                const qint32 fontX = code.size() == 13 ? (none ? 460 : 120) : (none ? 620 : 280);
                drawInBarcodeFont(r, font, r.originX + fontX, 3110 + barcodeDrop, code);
            }
            return;
        }
    }
    r.drawBarcode(x, y, code, kModuleWidth, height, kGuardExtension);
}

// The ingredients after the question mark, on a label of their own: a new
// page on the printer, the second picture in the preview.
void drawSecondLabel(LabelRenderer &r, const QString &extended, bool small)
{
    const int size = small ? 6 : 8;
    const qint32 pitch = small ? r.smallLinePitch : r.linePitch;
    if (r.toPrinter && r.services().printer && !r.aborted())
        r.services().printer->newPage();
    const QStringList lines = secondLabelLines(extended, small ? 36 : 30);
    const QString font = QString::fromUtf16(kPrinterFont);
    for (qsizetype j = 0; j < lines.size(); ++j) {
        float x = float(r.originX + 2);
        const float y = float(r.originY + 2 + qint32(j) * pitch);
        if (r.toPrinter)
            r.drawText(x, y, lines.at(j), font, false, false, size);
        else
            r.drawGridText(x, y, lines.at(j), font, false, false, size);
    }
}

} // namespace

void composePortraitLabel(LabelRenderer &r, const LabelJob &job)
{
    r.beginLabel(job);
    const bool small = job[LabelJob::LabelSize] == kSmallLabel;
    const auto field = [&r](const QString &text, int maskPosition, TopEdge edge, int markupLevel) {
        drawField(r, text, maskPosition, edge, markupLevel);
    };

    field(labelProductName(job[LabelJob::ProductName]), 1, TopEdge::Allowed, 2);
    field(job[LabelJob::CategoryName], 2, TopEdge::Allowed, 2);
    const IngredientsParts ingredients = splitIngredients(job[LabelJob::Ingredients]);
    r.ingredientsSplit = ingredients.split;
    field(ingredients.main, 3, TopEdge::Below, 0);
    field(job[LabelJob::NetContent] + job[LabelJob::NetContentUnit], 4, TopEdge::Below, 1);
    r.drawExpiryBlock();
    field(job[LabelJob::Storage], 6, TopEdge::Below, 1);
    field(job[LabelJob::Spare1], 7, TopEdge::Below, 3);
    field(job[LabelJob::Spare2], 8, TopEdge::Below, 3);
    field(job[LabelJob::Responsible], 9, TopEdge::Below, 1);
    field(job[LabelJob::Spare3], 10, TopEdge::Below, 1);
    if (!small)
        field(job[LabelJob::Remarks], 11, TopEdge::Below, 3);

    if (!small && !r.aborted()) {
        const qint32 textBottom = r.originY + 2 + r.linePitch * r.lineIndex;
        const qint32 p = r.printerIs2130 ? 1 : 0;
        drawPortraitBarcode(r, job, textBottom, p);
        r.drawRecycleMarks(textBottom, p);
    }

    if (ingredients.split && !r.aborted())
        drawSecondLabel(r, ingredients.extended, small);
    if (PreviewSurface *window = r.previewSurface()) {
        window->present();
        window->setNoticeVisible(ingredients.split);
        window->compositionFinished();
    }

    r.originX = r.savedOrigins.originX;
    r.originY = r.savedOrigins.originY;
}

} // namespace engine
