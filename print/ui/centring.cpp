#include "print/ui/centring.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace print {

void centreOnScreen(QWidget &window)
{
    const QScreen *target = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!target)
        return;
    const QRect area = target->geometry();
    window.move(area.x() + (area.width() - window.width()) / 2, area.y() + (area.height() - window.height()) / 2);
}

} // namespace print
