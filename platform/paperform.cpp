#include "platform/paperform.h"

#include <QPageSize>
#include <QSet>

#include <cmath>

namespace platform {
namespace {

// Label sizes are matched with 1 mm to spare: drivers give them in whole or
// rounded points.
constexpr double kLabelTolerance = 1.0;
// Standard sizes are matched closely: points rounding moves them by less than
// 0.2 mm, while a label can lie 1 mm from a standard size.
constexpr double kStandardTolerance = 0.5;

bool within(QSizeF a, QSizeF b, double tolerance)
{
    return std::abs(a.width() - b.width()) <= tolerance && std::abs(a.height() - b.height()) <= tolerance;
}

bool isLabel(QSizeF size, QSizeF label)
{
    return within(size, label, kLabelTolerance) || within(size, label.transposed(), kLabelTolerance);
}

} // namespace

int standardPaperNumber(QSizeF sizeMm)
{
    if (sizeMm.width() <= 0 || sizeMm.height() <= 0)
        return 0;
    const QPageSize::PageSizeId id = QPageSize::id(sizeMm, QPageSize::Millimeter, QPageSize::FuzzyMatch);
    if (id == QPageSize::Custom)
        return 0;
    if (!within(sizeMm, QPageSize::size(id, QPageSize::Millimeter), kStandardTolerance))
        return 0;
    const int number = QPageSize::windowsId(id);
    // 256 and above are Windows' user-defined forms, not standard sizes.
    return number > 0 && number < 256 ? number : 0;
}

QList<PaperForm> numberPaperForms(const QList<PaperForm> &media)
{
    QList<PaperForm> forms = media;
    QSet<int> used;
    for (PaperForm &form : forms) {
        form.number = 0;
        int number = 0;
        if (isLabel(form.sizeMm, QSizeF(40, 28)))
            number = kSmallLabelPaperNumber;
        else if (isLabel(form.sizeMm, QSizeF(47, 65)))
            number = kLargeLabelPaperNumber;
        else
            number = standardPaperNumber(form.sizeMm);
        if (number != 0 && !used.contains(number)) {
            form.number = number;
            used.insert(number);
        }
    }
    int next = kFirstOtherPaperNumber;
    for (PaperForm &form : forms) {
        if (form.number != 0)
            continue;
        while (used.contains(next))
            ++next;
        form.number = next;
        used.insert(next);
    }
    return forms;
}

QList<PaperForm> labelPrinterMedia()
{
    const auto label = [](int width, int height) {
        PaperForm form;
        form.key = QStringLiteral("%1x%2mm").arg(width).arg(height);
        form.name = QStringLiteral("%1 x %2 mm").arg(width).arg(height);
        form.sizeMm = QSizeF(width, height);
        return form;
    };
    PaperForm a4;
    a4.key = QStringLiteral("A4");
    a4.name = QStringLiteral("A4");
    a4.sizeMm = QSizeF(210, 297);
    return {label(40, 28), label(47, 65), label(45, 65), label(65, 45), label(38, 28), a4};
}

} // namespace platform
