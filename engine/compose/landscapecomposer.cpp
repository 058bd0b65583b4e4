// The turned label "65×45(ヨコ)": fields in the left column, barcode and
// recycling marks in the right one.
#include "engine/compose/landscapecomposer.h"

#include "engine/compose/labeltexts.h"
#include "engine/render/previewsurface.h"
#include "platform/printer.h"

#include <optional>

namespace engine {
namespace {

constexpr qint32 kModuleThickness = 14;
constexpr qint32 kBarLength = 350;
constexpr qint32 kGuardExtension = 40;
constexpr int kSecondLabelWidth = 46;

// The barcode climbs from lower down the more marks stand above it; a label
// with an unknown mark value gets no barcode.
std::optional<qint32> barcodeDepth(const QString &mark)
{
    if (mark == u"なし")
        return 1600;
    if (mark == u"プラ" || mark == u"紙")
        return 1500;
    if (mark == u"プラ＆紙" || mark == u"紙＆プラ")
        return 1400;
    return std::nullopt;
}

// One field: boxed when the mask asks for it and the box starts below the
// label's top edge.
void drawField(LabelRenderer &r, const QString &text, int maskPosition, int markupLevel)
{
    if (text.isEmpty())
        return;
    const QString &mask = r.job()[LabelJob::RuledLines];
    const bool ruled =
        mask.size() >= maskPosition && mask.at(maskPosition - 1) == u'o' && r.landscapeOriginY + r.boxCursorY > 0;
    r.prepareFieldLandscape(text, ruled);
    r.drawFieldLinesLandscape(r.preparedText, markupLevel);
}

void drawSecondLabel(LabelRenderer &r, const QString &extended)
{
    const QStringList lines = secondLabelLines(extended, kSecondLabelWidth);
    const QString font = QString::fromUtf16(kPrinterFont);
    for (qsizetype k = 0; k < lines.size(); ++k) {
        float x = float(r.landscapeOriginX + 2);
        const float y = float(r.landscapeOriginY + 2 + r.linePitch * qint32(k));
        if (r.toPrinter)
            r.drawText(x, y, lines.at(k), font, false, false, 8);
        else
            r.drawGridText(x, y, lines.at(k), font, false, false, 8);
    }
}

} // namespace

void composeLandscapeLabel(LabelRenderer &r, const LabelJob &job)
{
    r.beginLabel(job);
    const auto field = [&r](const QString &text, int maskPosition, int markupLevel) {
        drawField(r, text, maskPosition, markupLevel);
    };

    field(labelProductName(job[LabelJob::ProductName]), 1, 2);
    field(job[LabelJob::CategoryName], 2, 2);
    const IngredientsParts ingredients = splitIngredients(job[LabelJob::Ingredients]);
    r.ingredientsSplit = ingredients.split;
    field(ingredients.main, 3, 0);
    field(job[LabelJob::NetContent] + job[LabelJob::NetContentUnit], 4, 1);
    r.drawExpiryBlock();
    field(job[LabelJob::Storage], 6, 1);
    field(job[LabelJob::Spare1], 7, 3);
    field(job[LabelJob::Spare2], 8, 3);
    field(job[LabelJob::Responsible], 9, 1);
    field(job[LabelJob::Spare3], 10, 1);
    field(job[LabelJob::Remarks], 11, 3);

    const QString &code = job[LabelJob::Barcode];
    if (!code.isEmpty() && !r.aborted()) {
        if (const std::optional<qint32> depth = barcodeDepth(job[LabelJob::RecycleMark])) {
            // The preview's column stands 50 twips lower, from its own top.
            qint32 y = r.toPrinter ? r.landscapeOriginY + *depth : *depth + 50;
            r.drawBarcodeRotated(r.landscapeOriginX + 3000, y, code, kModuleThickness, kBarLength, kGuardExtension);
        }
    }
    if (!r.aborted())
        r.drawRecycleMarksLandscape();

    if (PreviewSurface *window = r.previewSurface()) {
        if (ingredients.split)
            drawSecondLabel(r, ingredients.extended);
        window->present();
        window->setNoticeVisible(ingredients.split);
        window->setPageButtonEnabled(ingredients.split);
        window->compositionFinished();
    }

    if (r.toPrinter) {
        if (ingredients.split && !r.aborted()) {
            if (platform::Printer *printer = r.services().printer)
                printer->newPage();
            drawSecondLabel(r, ingredients.extended);
        }
        r.landscapeOriginX = r.savedOrigins.landscapeOriginX;
        r.landscapeOriginY = r.savedOrigins.landscapeOriginY;
    }
}

} // namespace engine
