#include "app/mainmenu.h"
#include "app/screenopeners.h"
#include "screens/common/settingsprinter.h"
#include "screens/issuing/insatsu.h"
#include "tests/support/screenfixture.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

namespace {

screens::Insatsu *shownIssuingScreen()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *screen = qobject_cast<screens::Insatsu *>(window); screen && screen->isVisible())
            return screen;
    }
    return nullptr;
}

void writeSettings(testsupport::ScreenFixture &f, const QString &printer)
{
    f.writeUserDat({printer, QStringLiteral("1740"), QStringLiteral("110"), QStringLiteral("しない"),
                    QStringLiteral("ハードディスク"), QStringLiteral("0000"), QStringLiteral("ソフトウェアにて生成"),
                    QStringLiteral("1740"), QStringLiteral("20")});
}

} // namespace

// The menu's "ラベルの発行" opens the issuing screen and gets the menu back
// when it closes; without the settings' printer the program ends instead.
class TestIssuingMenu : public QObject
{
    Q_OBJECT

private slots:
    void opensAndComesBack()
    {
        testsupport::ScreenFixture f;
        f.printers->addPrinter({QStringLiteral("SATO_T408v"), 203, platform::FakePrinterSystem::labelPrinterForms()});
        writeSettings(f, QStringLiteral("SATO_T408v"));
        const app::AppContext context = f.context();
        app::MainMenu menu(context, app::programScreens(context));
        menu.start();
        QVERIFY(menu.isVisible());
        auto *issuing = menu.findChild<QPushButton *>(QStringLiteral("Command2"));
        QVERIFY(issuing->isEnabled());
        QTest::mouseClick(issuing, Qt::LeftButton);
        screens::Insatsu *screen = shownIssuingScreen();
        QVERIFY(screen);
        QVERIFY(!menu.isVisible());
        QTest::mouseClick(screen->findChild<QPushButton *>(QStringLiteral("Command3")), Qt::LeftButton);
        QTRY_VERIFY(menu.isVisible());
        QTRY_VERIFY(!shownIssuingScreen());
        QVERIFY(f.messages.shown().isEmpty());
        QVERIFY(!f.exit.requested());
    }

    void withoutThePrinterTheProgramEnds()
    {
        testsupport::ScreenFixture f;
        writeSettings(f, QStringLiteral("SATO_GONE"));
        const app::AppContext context = f.context();
        app::MainMenu menu(context, app::programScreens(context));
        menu.start();
        QTest::mouseClick(menu.findChild<QPushButton *>(QStringLiteral("Command2")), Qt::LeftButton);
        QCOMPARE(f.messages.shown(), QStringList{screens::settingsPrinterMissingMessage()});
        QVERIFY(f.exit.requested());
        QCoreApplication::processEvents();
        QVERIFY(!shownIssuingScreen());
        QVERIFY(!menu.isVisible());
    }
};

QTEST_MAIN(TestIssuingMenu)
#include "tst_issuingmenu.moc"
