// Times the paper list's search on a spooler queue: the printer made
// current, and every paper number from 1 to 1024 tried, as the settings
// screen's "登録用紙の一覧を表示" does it. Target: under a second.
//
// Run by hand, with a spooler that has the SATO_CT4-LX_2130 queue
// (CUPS_SERVER set, e.g. the private one of tests/spooler/spooler.sh):
//   ./bench/bench_paperprobe [runs]

#include "platform/clock.h"
#include "platform/cupsprintersystem.h"
#include "platform/pdfprinter.h"
#include "print/paperlist.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 10;
    QTemporaryDir work;
    const platform::SystemClock clock;
    const QString queue = QStringLiteral("SATO_CT4-LX_2130");
    std::vector<double> times;
    qsizetype entries = 0;
    for (int run = 0; run < runs; ++run) {
        platform::CupsPrinterSystem system(clock, platform::PdfPrinter::outputFolder(work.path()));
        QElapsedTimer timer;
        timer.start();
        if (!system.printerNames().contains(queue)) {
            std::fprintf(stderr, "bench_paperprobe: no queue %s (is CUPS_SERVER set?)\n", qPrintable(queue));
            return 1;
        }
        const auto printer = system.open(queue);
        print::PaperProbe probe(*printer);
        while (probe.step(32)) {
        }
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
        entries = probe.entries().size();
    }
    std::sort(times.begin(), times.end());
    std::printf("paper search of %s: %lld forms, median %.1f ms, slowest %.1f ms over %d runs\n", qPrintable(queue),
                static_cast<long long>(entries), times[times.size() / 2], times.back(), runs);
    return 0;
}
