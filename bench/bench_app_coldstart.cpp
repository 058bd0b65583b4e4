// Times a start of the program until the main menu is on the screen.
// Run by hand: ./bench/bench_app_coldstart [runs]
//
// 1. In this process: MainMenu made, prepared (user.dat and the phrase file
//    created in an empty folder) and shown, until its first paint.
// 2. Whole program: build/app/sakurabe started with SAKURABE_EXIT_AFTER_SHOW=1,
//    which ends it right after the menu's first paint; timed from the start of
//    the process to its end, each run in a fresh working folder.
// Both run on the offscreen platform unless QT_QPA_PLATFORM says otherwise.

#include "app/appcontext.h"
#include "bench/benchsupport.h"
#include "app/mainmenu.h"
#include "platform/clock.h"
#include "platform/messagesink.h"
#include "platform/programexit.h"
#include "platform/removabledrive.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {


std::vector<double> inProcess(int runs)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QTemporaryDir dir;
        platform::RecordingMessageSink messages;
        platform::RecordingProgramExit programExit;
        platform::SystemClock clock;
        platform::FixedDriveFinder drive;
        QElapsedTimer timer;
        timer.start();
        app::MainMenu menu(app::AppContext{dir.path(), &messages, &programExit, &clock, &drive});
        bench::FirstPaint paint(&menu);
        menu.start();
        while (!paint.painted && timer.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        ms.push_back(timer.nsecsElapsed() / 1e6);
    }
    return ms;
}

std::vector<double> wholeProgram(int runs, const QString &program)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QTemporaryDir dir;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        if (!environment.contains(QStringLiteral("QT_QPA_PLATFORM")))
            environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("SAKURABE_WORKDIR"), dir.path());
        environment.insert(QStringLiteral("SAKURABE_EXIT_AFTER_SHOW"), QStringLiteral("1"));
        QProcess process;
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QElapsedTimer timer;
        timer.start();
        process.start(program, {});
        if (!process.waitForFinished(30000) || process.exitCode() != 0) {
            std::fprintf(stderr, "%s did not start and end cleanly\n", qPrintable(program));
            return {};
        }
        ms.push_back(timer.nsecsElapsed() / 1e6);
    }
    return ms;
}

} // namespace

int main(int argc, char *argv[])
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    QElapsedTimer appTimer;
    appTimer.start();
    QApplication application(argc, argv);
    std::printf("%-44s %7.1f ms\n", "QApplication made", appTimer.nsecsElapsed() / 1e6);

    bench::report("menu made, prepared, shown, painted", inProcess(runs));

    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/../app/sakurabe");
    const std::vector<double> whole = wholeProgram(runs, program);
    if (whole.empty())
        return 1;
    bench::report("process start to menu painted and ended", whole);
    return 0;
}
