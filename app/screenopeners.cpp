#include "app/screenopeners.h"

#include "app/appcontext.h"
#include "screens/issuing/insatsu.h"
#include "screens/registration/stouroku.h"
#include "screens/settings/settei.h"

#include <QWidget>

#include <memory>

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

namespace {

// The registration and issuing screens check the printer of user.dat as they
// open; without it the user has been told and the program is ending, and the
// screen is not shown.
template <typename Screen>
void openLabelScreen(std::unique_ptr<Screen> screen, std::function<void()> backToMenu)
{
    if (screen->ended())
        return;
    openScreen(screen.release(), std::move(backToMenu));
}

} // namespace

ScreenOpeners programScreens(const AppContext &context)
{
    ScreenOpeners openers;
    openers.settings = [&context](std::function<void()> backToMenu) {
        openScreen(new screens::Settei(context), std::move(backToMenu));
    };
    openers.registration = [&context](std::function<void()> backToMenu) {
        openLabelScreen(std::make_unique<screens::S_Touroku>(context), std::move(backToMenu));
    };
    openers.issuing = [&context](std::function<void()> backToMenu) {
        openLabelScreen(std::make_unique<screens::Insatsu>(context), std::move(backToMenu));
    };
    return openers;
}

} // namespace app
