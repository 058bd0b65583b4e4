#include "app/screenopeners.h"

#include "app/appcontext.h"
#include "screens/registration/stouroku.h"
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
    openers.settings = [&context](std::function<void()> backToMenu) {
        openScreen(new screens::Settei(context), std::move(backToMenu));
    };
    openers.registration = [&context](std::function<void()> backToMenu) {
        auto screen = std::make_unique<screens::S_Touroku>(context);
        // The printer of user.dat is missing: the program is ending, and the
        // screen is not shown.
        if (screen->ended())
            return;
        openScreen(screen.release(), std::move(backToMenu));
    };
    return openers;
}

} // namespace app
