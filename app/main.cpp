#include "app/appcontext.h"
#include "app/applicationsetup.h"
#include "app/dialogpicturechooser.h"
#include "app/exitaftershow.h"
#include "app/mainmenu.h"
#include "app/qtmessagesink.h"
#include "app/qtprogramexit.h"
#include "app/screenopeners.h"
#include "engine/render/markpictures.h"
#include "platform/clock.h"
#include "platform/cupsprintersystem.h"
#include "platform/heaptuning.h"
#include "platform/pdfprinter.h"
#include "platform/sysfsdrivefinder.h"
#include "platform/workingfolder.h"
#include "screens/confirmation/kakunin.h"
#include "store/settingssource.h"

#include <QApplication>

#include <cstdio>
#include <cstring>

namespace {

constexpr char kUsage[] =
    "sakurabe: food-content labels for SATO label printers\n"
    "\n"
    "Usage: sakurabe [--help]\n"
    "\n"
    "Environment:\n"
    "  SAKURABE_WORKDIR=DIR       keep user.dat, the phrase file and the pictures in DIR\n"
    "                             instead of the per-user working folder\n"
    "  SAKURABE_EXIT_AFTER_SHOW=1 end as soon as the main menu has been drawn (start-up timing)\n"
    "\n"
    "The program needs a display. Without one, run it under a virtual display:\n"
    "  xvfb-run -a scripts/run.sh\n";

// QApplication aborts without a display; say so plainly instead.
bool hasDisplay()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
           || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

} // namespace

int main(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
    }
    if (!hasDisplay()) {
        std::fputs("sakurabe: no display (neither DISPLAY nor WAYLAND_DISPLAY is set); "
                   "run it under a virtual display with: xvfb-run -a scripts/run.sh\n",
                   stderr);
        return 2;
    }

    platform::keepHeapForPrintRuns();
    QApplication application(argc, argv);
    Q_INIT_RESOURCE(sakurabe); // the icon lives in the app library
    app::setUpApplication(application);

    app::QtMessageSink messages;
    QString error;
    const QString workDir = platform::prepareWorkingFolder(qEnvironmentVariable("SAKURABE_WORKDIR"), &error);
    if (workDir.isEmpty()) {
        messages.information(error);
        return 1;
    }
    engine::ensureMarkPictures(workDir);

    platform::SystemClock clock;
    platform::SysfsDriveFinder drive;
    app::QtProgramExit programExit;
    platform::CupsPrinterSystem printers(clock, platform::PdfPrinter::outputFolder(workDir));
    const store::FileSettingsSource settings(workDir);
    app::DialogPictureChooser pictureChooser;
    app::AppContext context{workDir, &messages, &programExit, &clock, &drive};
    context.printers = &printers;
    context.pictureChooser = &pictureChooser;
    context.settings = &settings;

    screens::KakuninConfirmation confirmation;
    context.confirmation = &confirmation;

    app::MainMenu menu(context, app::programScreens(context));
    if (qEnvironmentVariable("SAKURABE_EXIT_AFTER_SHOW") == QLatin1String("1"))
        new app::ExitAfterShow(&menu);
    menu.start();
    if (const auto code = programExit.requested())
        return *code;
    return QApplication::exec();
}
