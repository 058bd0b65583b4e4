// Times the registration screen over a product file of 9999 products: the
// screen opened until its first paint, and a record loaded from the number
// box (typed number and Enter). Targets: under 200 ms to open, under 50 ms
// for a lookup.
// Run by hand: ./bench/bench_app_registration [runs]

#include "app/appcontext.h"
#include "bench/benchsupport.h"
#include "app/confirmation.h"
#include "platform/clock.h"
#include "platform/fakeprintersystem.h"
#include "platform/messagesink.h"
#include "platform/programexit.h"
#include "platform/removabledrive.h"
#include "screens/registration/stouroku.h"
#include "store/cp932.h"
#include "store/productrecord.h"
#include "store/settingssource.h"
#include "store/usersettings.h"
#include "tests/support/sampleproduct.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {


// 9999 products, written as the store writes them.
void writeProducts(const QString &dir)
{
    QByteArray bytes = store::toCp932(store::productFileHeader()) + "\r\n";
    for (int n = 1; n <= 9999; ++n) {
        const store::ProductRecord r = testsupport::sampleProduct(QString::number(n).rightJustified(4, u'0'),
                                                                  QStringLiteral("品名:特製ざるそば%1号").arg(n));
        bytes += store::toCp932(r.recordText()) + "\r\n";
    }
    QFile file(dir + QStringLiteral("/商品情報.tsv"));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        std::exit(1);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 10;

    QTemporaryDir dir;
    store::UserSettings settings = store::UserSettings::defaults();
    settings.printer = QStringLiteral("SATO_T408v");
    settings.dataLocation = store::kLocationHardDisk.toString();
    if (!store::writeUserSettings(dir.path(), settings).ok)
        return 1;
    writeProducts(dir.path());

    platform::FakePrinterSystem printers;
    printers.addPrinter({QStringLiteral("SATO_T408v"), 203, platform::FakePrinterSystem::labelPrinterForms()});
    platform::RecordingMessageSink messages;
    platform::RecordingProgramExit exit;
    platform::SystemClock clock;
    platform::FixedDriveFinder drive;
    app::ScriptedConfirmation confirmation;
    const store::FileSettingsSource source(dir.path());
    app::AppContext context{dir.path(), &messages, &exit, &clock, &drive};
    context.printers = &printers;
    context.confirmation = &confirmation;
    context.settings = &source;

    std::vector<double> opening;
    std::vector<double> lookups;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        screens::S_Touroku screen(context);
        bench::FirstPaint paint(&screen);
        screen.show();
        while (!paint.painted)
            QCoreApplication::processEvents();
        opening.push_back(double(timer.nsecsElapsed()) / 1e6);

        auto *number = screen.findChild<QLineEdit *>(QStringLiteral("Text1"));
        number->setText(QStringLiteral("9998"));
        timer.restart();
        QTest::keyClick(number, Qt::Key_Return);
        lookups.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    if (!messages.shown().isEmpty()) {
        std::fprintf(stderr, "bench_app_registration: %s\n", qPrintable(messages.shown().join(u'\n')));
        return 1;
    }
    bench::report("registration screen opened (9999 products)", opening);
    bench::report("record 9998 loaded by Enter", lookups);
    return 0;
}
