// Times `sakurabe-cli print 0001 --copies N` as a script runs it: each run
// a whole process of its own, from its start to its end, one collated job
// on the built-in PDF printer. Prints the median, fastest and slowest run
// and the largest peak memory of any run, for one label and for 1000.
// bench_labels pdf 1000 times the same job inside one process.
//
// Run by hand: ./bench/bench_cliprint [RUNS [CLI]]   (default 11 runs of
// the sakurabe-cli built beside it; CLI names another build to compare)

#include "platform/pdfprinter.h"
#include "store/datalocation.h"
#include "store/productfile.h"
#include "store/usersettings.h"
#include "tests/support/sampleproduct.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char **environ;

namespace {

void require(bool ok, const char *what)
{
    if (!ok) {
        std::fprintf(stderr, "bench_cliprint: %s failed\n", what);
        std::exit(1);
    }
}

struct Run
{
    double ms = 0;
    double peakMiB = 0;
};

// One whole process, timed from before it is started until it is reaped.
Run runOnce(const QByteArray &cli, const QStringList &args)
{
    std::vector<QByteArray> bytes;
    bytes.push_back(cli);
    for (const QString &arg : args)
        bytes.push_back(arg.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &b : bytes)
        argv.push_back(b.data());
    argv.push_back(nullptr);

    timespec start{}, end{};
    clock_gettime(CLOCK_MONOTONIC, &start);
    pid_t pid = 0;
    require(posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) == 0, "starting sakurabe-cli");
    int status = 0;
    rusage usage{};
    require(wait4(pid, &status, 0, &usage) == pid, "waiting for sakurabe-cli");
    clock_gettime(CLOCK_MONOTONIC, &end);
    require(WIFEXITED(status) && WEXITSTATUS(status) == 0, "sakurabe-cli print");
    return {double(end.tv_sec - start.tv_sec) * 1e3 + double(end.tv_nsec - start.tv_nsec) / 1e6,
            double(usage.ru_maxrss) / 1024.0};
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 11;
    const QByteArray cli = argc > 2 ? QByteArray(argv[2]) : QByteArray(SAKURABE_CLI);
    QTemporaryDir dir;
    require(dir.isValid(), "the working folder");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(dir.path()));

    store::UserSettings settings = store::UserSettings::defaults();
    settings.printer = platform::pdfPrinterName();
    settings.collatedPrinting = store::kCollatedOn.toString();
    settings.dataLocation = store::kLocationHardDisk.toString();
    require(store::writeUserSettings(dir.path(), settings).ok, "writing user.dat");
    store::ProductRecord product = testsupport::sampleProduct(QStringLiteral("0001"), QStringLiteral("品名:幕の内弁当<m>春の新商品"));
    product.expiryFormat = QStringLiteral("<b>yyyy.mm.dd");
    require(store::ProductFile(store::productFilePaths(dir.path())).saveRecord(product).ok, "saving the product");

    for (const int copies : {1, 1000}) {
        const QStringList args{QStringLiteral("--workdir"), dir.path(), QStringLiteral("print"), QStringLiteral("0001"),
                               QStringLiteral("--copies"), QString::number(copies)};
        runOnce(cli, args); // the first run warms the caches of fonts and libraries
        std::vector<double> times;
        double peak = 0;
        for (int i = 0; i < runs; ++i) {
            QDir(platform::PdfPrinter::outputFolder(dir.path())).removeRecursively();
            const Run run = runOnce(cli, args);
            times.push_back(run.ms);
            peak = std::max(peak, run.peakMiB);
        }
        std::sort(times.begin(), times.end());
        std::printf("cli print %5d labels %8.1f ms median (%.1f to %.1f, %d runs) %7.1f MiB peak\n", copies,
                    times[times.size() / 2], times.front(), times.back(), runs, peak);
    }
    return 0;
}
