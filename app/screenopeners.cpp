#include "app/screenopeners.h"

#include "app/appcontext.h"
#include "screens/issuing/insatsu.h"
#include "screens/settings/settei.h"

#include <QWidget>

namespace app {

void openScreen(QWidget *screen, std::function<void()> backToMenu)
{
    // The screen owns itself from here: closing it by any way deletes it.
    screen->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(screen, &QObject::destroyed, screen, [back = std::move(backToMenu)] {
        if (back)
            back();
    });
    screen->show();
    screen->raise();
    screen->activateWindow();
}

ScreenOpeners programScreens(const AppContext &context)
{
    ScreenOpeners openers;
    openers.issuing = [&context](std::function<void()> backToMenu) {
        auto *screen = new screens::Insatsu(context);
        // No printer: the user has been told and the program is ending.
        if (screen->ended()) {
            delete screen;
            return;
        }
        openScreen(screen, std::move(backToMenu));
    };
    openers.settings = [&context](std::function<void()> backToMenu) {
        openScreen(new screens::Settei(context), std::move(backToMenu));
    };
    return openers;
}

} // namespace app
