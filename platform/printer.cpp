#include "platform/printer.h"

#include <QtMath>

namespace platform {
namespace {

int toTwips(double mm)
{
    return qRound(mm * 1440.0 / 25.4);
}

} // namespace

PaperForm Printer::paperForm(int number) const
{
    const QList<PaperForm> forms = paperForms();
    for (const PaperForm &form : forms) {
        if (form.number == number)
            return form;
    }
    return {};
}

int Printer::pageWidthTwips() const
{
    const QSizeF size = paperForm(paperSize()).sizeMm;
    return toTwips(orientation() == Orientation::Landscape ? size.height() : size.width());
}

int Printer::pageHeightTwips() const
{
    const QSizeF size = paperForm(paperSize()).sizeMm;
    return toTwips(orientation() == Orientation::Landscape ? size.width() : size.height());
}

} // namespace platform
