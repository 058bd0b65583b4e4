// Times whole labels: composing them into a recording, and, as the issuing
// job prints them, one job of many collated copies on the built-in PDF
// printer and through the spooler, and an issue list through the spooler. Each measurement runs in a process
// of its own, so that its peak memory is its own.
//
// Run by hand: ./bench/bench_labels
// The spooler parts need a spooler with the SATO_T408v queue (CUPS_SERVER set,
// e.g. the private one of tests/spooler/spooler.sh); without it they are skipped.

#include "engine/compose/composelabel.h"
#include "engine/render/expirydate.h"
#include "engine/render/labelrenderer.h"
#include "engine/render/markpictures.h"
#include "engine/render/recording.h"
#include "platform/clock.h"
#include "platform/cupsprintersystem.h"
#include "platform/fakeprintersystem.h"
#include "platform/pdfprinter.h"
#include "platform/programexit.h"
#include "print/issuingjob.h"
#include "print/labeljobfill.h"
#include "store/datalocation.h"
#include "store/productrecord.h"
#include "store/settingssource.h"
#include "store/usersettings.h"
#include "tests/support/sampleproduct.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

const QString kQueue = QStringLiteral("SATO_T408v");

// The label of the benchmarks: a whole boxed lunch with a memo in its name.
store::ProductRecord product()
{
    store::ProductRecord r = testsupport::sampleProduct(QStringLiteral("0001"), QStringLiteral("品名:幕の内弁当<m>春の新商品"));
    r.expiryFormat = QStringLiteral("<b>yyyy.mm.dd");
    return r;
}

void require(bool ok, const char *what)
{
    if (!ok) {
        std::fprintf(stderr, "bench_labels: %s failed\n", what);
        std::exit(1);
    }
}

// A working folder whose user.dat prints collated copies on `printer`, with
// the mark pictures the program brings, as sakurabe-cli print prepares it.
void prepareWorkDir(const QString &dir, const QString &printer)
{
    engine::ensureMarkPictures(dir);
    store::UserSettings settings = store::UserSettings::defaults();
    settings.printer = printer;
    settings.collatedPrinting = QStringLiteral("する");
    require(store::writeUserSettings(dir, settings).ok, "writing user.dat");
}

const QDateTime kBaseDate(QDate(2026, 3, 5), QTime(9, 7));

engine::LabelJob job(int copies)
{
    return print::fillLabelJob(product(), print::JobKind::IssuingPrint, kBaseDate,
                               {QString::fromUtf16(engine::kDisplayByAddedDays), QString::number(copies)});
}

// Every label of the count into one recording, as the engine's tests read it.
void composeIntoRecording(int count, const QString &dir)
{
    platform::FakePrinterSystem system;
    system.addPrinter({kQueue, 203, platform::FakePrinterSystem::labelPrinterForms(), 515});
    const std::unique_ptr<platform::Printer> printer = system.open(kQueue);
    engine::Recording recording;
    platform::RecordingProgramExit exit;
    engine::LabelRenderer renderer(engine::RendererServices{printer.get(), &recording.target(engine::TargetKind::Page),
                                                            &recording, &recording, &exit, dir,
                                                            store::FileSettingsSource(dir).readOrDefaults()});
    const engine::LabelJob label = job(1);
    for (int k = 0; k < count; ++k)
        engine::composeLabel(renderer, label);
    require(recording.lines().size() > count * 100, "composing");
}

// The issuing screen's boxes with the product shown and `copies` typed.
print::IssuingInput shownProduct(int copies)
{
    print::IssuingInput input;
    input.displayMethod = QString::fromUtf16(engine::kDisplayByAddedDays);
    input.copies = QString::number(copies);
    input.setBaseDate(kBaseDate);
    return print::showProduct(input, product());
}

// As the issuing screen's buttons do it: one job of `count` collated copies
// (a page each, one document), or an issue list of `count` one-label
// entries (a document each).
void issue(platform::PrinterSystem &printers, int count, bool list, const QString &dir)
{
    engine::Recording messages;
    platform::RecordingProgramExit exit;
    const store::FileSettingsSource settings(dir);
    const print::IssuingServices services{.printers = &printers, .settings = &settings, .messages = &messages,
                                          .exit = &exit, .workDir = dir};
    print::IssuingJob job(services, store::ProductFile(store::productFilePaths(dir)));
    if (list) {
        for (int k = 0; k < count; ++k)
            require(job.registerIssueEntry(shownProduct(1)).ok, "registering an entry");
        require(job.printIssueList().ok, "printing the issue list");
    } else {
        require(job.printShownProduct(shownProduct(count)).ok, "printing the job");
    }
    require(!exit.requested() && messages.lines().isEmpty(), "drawing the labels");
}

int runOne(const QString &mode, int count)
{
    QTemporaryDir dir;
    require(dir.isValid(), "the working folder");
    QElapsedTimer timer;
    timer.start();
    if (mode == u"recording") {
        prepareWorkDir(dir.path(), kQueue);
        composeIntoRecording(count, dir.path());
    } else if (mode == u"pdf") {
        prepareWorkDir(dir.path(), platform::pdfPrinterName());
        const platform::SystemClock clock;
        platform::CupsPrinterSystem system(clock, platform::PdfPrinter::outputFolder(dir.path()));
        issue(system, count, false, dir.path());
    } else if (mode == u"spooler" || mode == u"list") {
        prepareWorkDir(dir.path(), kQueue);
        const platform::SystemClock clock;
        platform::CupsPrinterSystem system(clock, platform::PdfPrinter::outputFolder(dir.path()));
        issue(system, count, mode == u"list", dir.path());
    } else {
        return 2;
    }
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%-10s %6d labels %9.1f ms %8.2f ms/label %7.1f MiB peak\n", qPrintable(mode), count, ms, ms / count,
                double(usage.ru_maxrss) / 1024.0);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    // Fonts need the GUI application; the offscreen platform needs no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 3)
        return runOne(args.at(1), args.at(2).toInt());

    QStringList modes{QStringLiteral("recording"), QStringLiteral("pdf")};
    if (qEnvironmentVariableIsEmpty("CUPS_SERVER"))
        std::printf("CUPS_SERVER is not set: the spooler and issue-list runs are skipped\n");
    else
        modes += {QStringLiteral("spooler"), QStringLiteral("list")};
    for (const QString &mode : modes) {
        for (const int count : {250, 500, 1000}) {
            QProcess run;
            run.setProcessChannelMode(QProcess::ForwardedChannels);
            run.start(app.applicationFilePath(), {mode, QString::number(count)});
            if (!run.waitForFinished(-1) || run.exitCode() != 0)
                return 1;
        }
    }
    return 0;
}
