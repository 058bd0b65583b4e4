#include "print/paperlist.h"

#include "platform/printer.h"

#include <cmath>

namespace print {

int listedMillimetres(int twips)
{
    return static_cast<int>(std::nearbyint(twips / 56.7));
}

QString paperListEntry(int number, int widthTwips, int heightTwips)
{
    const int width = listedMillimetres(widthTwips);
    const int height = listedMillimetres(heightTwips);
    QString entry = QStringLiteral("%1:%2mmx%3mmラベル ").arg(number, 4, 10, QLatin1Char('0')).arg(width).arg(height);
    if (width == 115 && height == 115)
        entry += QStringLiteral(" (お勧め)");
    return entry;
}

bool PaperProbe::step(int count)
{
    for (int k = 0; k < count && !finished(); ++k, ++m_next) {
        if (m_printer->setPaperSize(m_next))
            m_entries.append(paperListEntry(m_next, m_printer->pageWidthTwips(), m_printer->pageHeightTwips()));
    }
    return !finished();
}

} // namespace print
