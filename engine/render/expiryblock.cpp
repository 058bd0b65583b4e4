// The expiry line of a label: the product's expiry title, and on the same
// line the expiry date, the product's own wording or where the date is printed.
#include "engine/render/labelrenderer.h"

#include "engine/render/expirydate.h"
#include "store/cp932.h"

namespace engine {

void LabelRenderer::drawExpiryBlock()
{
    const LabelJob &label = job();
    const QString &title = label[LabelJob::ExpiryTitle];
    if (expiryHidden(title))
        return;
    const QString size = labelSize();
    const bool landscape = size == kLandscapeLabel;
    const QString &mask = label[LabelJob::RuledLines];
    const bool maskRuled = mask.size() > 4 && mask.at(4) == u'o';

    // The title is a field of its own, boxed like the fields around it.
    const qint32 linesBefore = lineIndex;
    if (!title.isEmpty()) {
        if (landscape) {
            prepareFieldLandscape(title, maskRuled && landscapeOriginY + boxCursorY > 0);
            drawFieldLinesLandscape(preparedText, 1);
        } else if (size == kSmallLabel) {
            drawFieldLines(title, 1);
        } else {
            prepareField(title, maskRuled && originY + boxCursorY > 0);
            drawFieldLines(preparedText, 1);
        }
    }
    // The date goes on the title's last line. A title that took no line (empty,
    // or past the label's last line) leaves no line to share: stepping back
    // would print the date over the field above.
    if (lineIndex > linesBefore)
        lineIndex -= 1;

    const QString indent(store::cp932Width(title), u' ');
    const QString &method = label[LabelJob::ExpiryDisplayMethod];
    QString line;
    if (method == kDisplayAltText) {
        line = indent + label[LabelJob::ExpiryAltText];
    } else if (method == kDisplayByAddedDays) {
        // The expiry date stays the label's date: a "<d>" field further down
        // shows it too.
        baseDate = computeExpiryDate(baseDate, label[LabelJob::ExpiryAddDays]);
        const ExpiryDateText date = expiryDateText(baseDate, label[LabelJob::ExpiryFormat]);
        line = (date.bold ? QStringLiteral("<b>") : QString()) + indent + date.text;
    } else {
        line = indent + method;
    }
    if (landscape)
        drawFieldLinesLandscape(line, 1);
    else
        drawFieldLines(line, 1);
}

} // namespace engine
