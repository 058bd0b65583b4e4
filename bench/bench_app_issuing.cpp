// Times the issuing screen on a full product file of 9999 products: opening
// until the first paint, a lookup, keyword searches, a keystroke in a box
// and registering on a long issue list. Run by hand: ./bench/bench_app_issuing [runs]
// It runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise.

#include "app/appcontext.h"
#include "app/confirmation.h"
#include "bench/benchsupport.h"
#include "platform/clock.h"
#include "platform/fakeprintersystem.h"
#include "platform/messagesink.h"
#include "platform/programexit.h"
#include "platform/removabledrive.h"
#include "screens/issuing/insatsu.h"
#include "store/cp932.h"
#include "store/productfile.h"
#include "store/settingssource.h"
#include "store/usersettings.h"
#include "tests/support/sampleproduct.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

const QString kPrinter = QStringLiteral("SATO_T408v");

void require(bool ok, const char *what)
{
    if (!ok) {
        std::fprintf(stderr, "bench_app_issuing: %s failed\n", what);
        std::exit(1);
    }
}

std::vector<double> timed(int runs, const std::function<void()> &before, const std::function<void()> &operation)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        before();
        QElapsedTimer timer;
        timer.start();
        operation();
        ms.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    return ms;
}

void press(QWidget *widget, int key, const QString &text = QString())
{
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &down);
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &up);
}

// A working folder with user.dat and a product file of 9999 products.
struct Shop
{
    Shop()
    {
        require(dir.isValid(), "temporary folder");
        printers.addPrinter({kPrinter, 203, platform::FakePrinterSystem::labelPrinterForms()});
        store::UserSettings lines = store::UserSettings::defaults();
        lines.printer = kPrinter;
        lines.dataLocation = store::kLocationHardDisk.toString();
        require(store::writeUserSettings(dir.path(), lines).ok, "user.dat");
        const store::ProductFile file(store::productFilePaths(dir.path()));
        QByteArray content = store::toCp932(store::productFileHeader()) + "\r\n";
        for (int n = 1; n <= 9999; ++n) {
            const QString number = QString::number(n).rightJustified(4, u'0');
            store::ProductRecord product = testsupport::sampleProduct(number, QStringLiteral("品名:特製ざるそば%1号").arg(n));
            product.responsible = QStringLiteral("製造者:㈱さくら食品, 東京都千代田区1-1");
            content += store::toCp932(product.recordText()) + "\r\n";
        }
        QFile out(file.paths().product);
        require(out.open(QIODevice::WriteOnly) && out.write(content) == content.size(), "the product file");
        bytes = content.size();
    }

    app::AppContext context()
    {
        app::AppContext c{dir.path(), &messages, &exit, &clock, &drive};
        c.printers = &printers;
        c.confirmation = &confirmation;
        c.settings = &settings;
        return c;
    }

    QTemporaryDir dir;
    qint64 bytes = 0;
    platform::FakePrinterSystem printers;
    platform::RecordingMessageSink messages;
    platform::RecordingProgramExit exit;
    platform::FixedClock clock{QDateTime(QDate(2024, 3, 5), QTime(9, 7))};
    platform::FixedDriveFinder drive;
    app::ScriptedConfirmation confirmation;
    store::FileSettingsSource settings{dir.path()};
};

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    Shop shop;
    const app::AppContext context = shop.context();

    std::unique_ptr<screens::Insatsu> screen;
    const std::vector<double> opening = timed(
        runs, [&] { screen.reset(); },
        [&] {
            screen = std::make_unique<screens::Insatsu>(context);
            bench::FirstPaint paint(screen.get());
            screen->show();
            while (!paint.painted)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        });
    require(screen->findChild<QListWidget *>(QStringLiteral("List1"))->count() == 9999, "listing");
    screen->activateWindow();

    auto *number = screen->findChild<QLineEdit *>(QStringLiteral("Text1"));
    auto *name = screen->findChild<QLineEdit *>(QStringLiteral("Text2"));
    auto *keyword = screen->findChild<QLineEdit *>(QStringLiteral("Text6"));
    auto *search = screen->findChild<QPushButton *>(QStringLiteral("Command4"));
    auto *list = screen->findChild<QListWidget *>(QStringLiteral("List1"));
    const auto nothing = [] {};

    const std::vector<double> lookup = timed(
        runs, [&] { number->setText(QStringLiteral("9998")); },
        [&] { press(number, Qt::Key_Return); });
    require(name->text() == u"品名:特製ざるそば9998号", "lookup");

    const auto searchFor = [&](const QString &word, int expected) {
        return timed(
            runs, [&] { keyword->setText(word); shop.messages.clear(); },
            [&] {
                search->click();
                require(list->count() == expected, "keyword search");
            });
    };
    const std::vector<double> oneFound = searchFor(QStringLiteral("9998号"), 1);
    const std::vector<double> allFound = searchFor(QStringLiteral("弁当"), 9999); // every category is 弁当
    // "㈱" is stored in two ways and the comma as its escape; "〓" is what a
    // broken byte reads as, so no line is passed over undecoded.
    const std::vector<double> allByTwin = searchFor(QStringLiteral("㈱さくら食品, 東京"), 9999);
    const std::vector<double> allDecoded = searchFor(QStringLiteral("〓"), 9999);
    const std::vector<double> noneFound = searchFor(QStringLiteral("カレー"), 9999);
    const std::vector<double> emptyKeyword = searchFor(QString(), 9999);

    name->setFocus();
    const std::vector<double> keystroke = timed(runs, nothing, [&] { press(name, Qt::Key_A, QStringLiteral("a")); });

    screen->findChild<QPushButton *>(QStringLiteral("Command6"))->click();
    number->setText(QStringLiteral("0001"));
    press(number, Qt::Key_Return);
    screen->findChild<QLineEdit *>(QStringLiteral("Text4"))->setText(QStringLiteral("1"));
    auto *main = screen->findChild<QPushButton *>(QStringLiteral("Command1"));
    for (int i = 0; i < 999; ++i)
        main->click();
    const std::vector<double> register1000 = timed(1, nothing, [&] { main->click(); });
    require(screen->findChild<QListWidget *>(QStringLiteral("List2"))->count() == 1000, "issue list");

    std::printf("issuing screen: 9999 products, %.1f MB, %d runs\n", static_cast<double>(shop.bytes) / 1e6, runs);
    bench::report("open until painted", opening);
    bench::report("lookup (Enter in 登録番号)", lookup);
    bench::report("search, one product", oneFound);
    bench::report("search, every product", allFound);
    bench::report("search, every product, \"㈱…, …\" (four forms)", allByTwin);
    bench::report("search, \"〓\" (every line decoded, none found)", allDecoded);
    bench::report("search, none (the list filled again)", noneFound);
    bench::report("search, empty keyword", emptyKeyword);
    bench::report("keystroke in 品名", keystroke);
    bench::report("register the 1000th issue entry", register1000);
    return 0;
}
