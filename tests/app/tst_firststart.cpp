#include "app/mainmenu.h"
#include "app/screenopeners.h"
#include "platform/cupsprintersystem.h"
#include "platform/pdfprinter.h"
#include "screens/registration/stouroku.h"
#include "screens/settings/settei.h"
#include "tests/support/screenfixture.h"
#include "tests/support/spooler.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QPushButton>
#include <QTest>

namespace {

screens::Settei *openSettings()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *settings = qobject_cast<screens::Settei *>(window); settings && settings->isVisible())
            return settings;
    }
    return nullptr;
}

} // namespace

// A shop's first start: no user.dat, no USB memory, a label printer on the
// spooler. The program asks for the printer before anything else.
class TestFirstStart : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY2(testsupport::spoolerRunning(), testsupport::kNoSpooler); }

    void choosesThePrinterThenShowsTheMenu()
    {
        testsupport::ScreenFixture f;
        platform::CupsPrinterSystem cups(f.clock, platform::PdfPrinter::outputFolder(f.work.path()));
        f.printerSystem = &cups;
        const app::AppContext context = f.context();
        app::MainMenu menu(context, app::programScreens(context));
        menu.start();
        QVERIFY(!menu.isVisible());
        screens::Settei *settings = openSettings();
        QVERIFY(settings);

        auto *printer = settings->findChild<QComboBox *>(QStringLiteral("Combo1"));
        QCOMPARE(printer->currentText(), QStringLiteral("ﾌﾟﾘﾝﾀｰをお選び下さい"));
        const int index = printer->findText(QStringLiteral("SATO_CT4-LX_2130"));
        QVERIFY(index >= 0);
        printer->setCurrentIndex(index);
        emit printer->activated(index);
        QTest::mouseClick(settings->findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);

        const auto saved = store::readUserSettings(f.work.path());
        QVERIFY(saved);
        QCOMPARE(saved->lines(), (QStringList{"SATO_CT4-LX_2130", "150", "0", "しない", "ハードディスク", "0514",
                                              "ソフトウェアにて生成", "100", "0"}));
        QCOMPARE(f.confirmation.asked().size(), 1);
        QCOMPARE(f.confirmation.asked().constFirst().line1, QStringLiteral("設定を登録しました"));
        QTRY_VERIFY(menu.isVisible());
        QVERIFY(!openSettings());
        QVERIFY(f.messages.shown().isEmpty());
        QVERIFY(!f.exit.requested());

        // The registration screen opens from the menu on that printer, and
        // leads back to it.
        QTest::mouseClick(menu.findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);
        screens::S_Touroku *registration = nullptr;
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (auto *s = qobject_cast<screens::S_Touroku *>(window); s && s->isVisible())
                registration = s;
        }
        QVERIFY(registration);
        QVERIFY(!menu.isVisible());
        f.confirmation.answerNext(app::ConfirmationAnswer::Left);
        QTest::mouseClick(registration->findChild<QPushButton *>(QStringLiteral("Command2")), Qt::LeftButton);
        QTRY_VERIFY(menu.isVisible());

        // With a USB memory in, moving the products ends the program.
        QVERIFY(QDir(f.work.path()).mkdir(QStringLiteral("usb")));
        f.drive = platform::FixedDriveFinder(f.path(QStringLiteral("usb/")));
        QTest::mouseClick(menu.findChild<QPushButton *>(QStringLiteral("Command4")), Qt::LeftButton);
        settings = openSettings();
        QVERIFY(settings);
        auto *location = settings->findChild<QComboBox *>(QStringLiteral("Combo3"));
        QVERIFY(location->isEnabled());
        location->setCurrentIndex(location->findText(QStringLiteral("ＵＳＢメモリ")));
        QTest::mouseClick(settings->findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);
        QCOMPARE(f.messages.shown(), QStringList{QStringLiteral("商品情報の保存先を変更しましたので、ソフトウェアを一旦終了します\r\r"
                                                                "恐れ入りますが、さくらべを再度起動して下さい")});
        QVERIFY(f.exit.requested());
        QCOMPARE(store::readUserSettings(f.work.path())->dataLocation, QStringLiteral("ＵＳＢメモリ"));
    }
};

QTEST_MAIN(TestFirstStart)
#include "tst_firststart.moc"
