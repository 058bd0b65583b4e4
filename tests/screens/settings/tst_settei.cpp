#include "print/ui/paperselectionwindow.h"
#include "print/ui/printermodelwindow.h"
#include "screens/settings/backup.h"
#include "screens/settings/settei.h"
#include "tests/support/modalanswer.h"
#include "tests/support/screenfixture.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using screens::Settei;

namespace {

const QString kPlaceholder = QStringLiteral("ﾌﾟﾘﾝﾀｰをお選び下さい");

// The nine lines of user.dat: printer, portrait x and y, collated, data
// location, paper form, barcode method, landscape x and y.
QStringList lines(const QString &printer, const QString &location = QStringLiteral("ハードディスク"))
{
    return {printer, QStringLiteral("1740"), QStringLiteral("110"), QStringLiteral("しない"), location,
            QStringLiteral("0000"), QStringLiteral("ソフトウェアにて生成"), QStringLiteral("1740"), QStringLiteral("20")};
}

struct SettingsFixture : testsupport::ScreenFixture
{
    SettingsFixture()
    {
        for (const char *name : {"SATO T408v", "SATO CL 2130", "SATO T12", "SATO R8 Series", "Brother HL-L2375DW"})
            printers->addPrinter({QString::fromUtf8(name), 203, platform::FakePrinterSystem::labelPrinterForms()});
    }

    std::unique_ptr<Settei> open()
    {
        auto screen = std::make_unique<Settei>(context());
        screen->show();
        return screen;
    }
};

template <typename T>
T *child(QWidget *screen, const char *name)
{
    T *found = screen->findChild<T *>(QLatin1String(name));
    if (!found)
        qWarning("no %s", name);
    return found;
}

QString text(QWidget *screen, const char *name)
{
    if (auto *edit = screen->findChild<QLineEdit *>(QLatin1String(name)))
        return edit->text();
    if (auto *combo = screen->findChild<QComboBox *>(QLatin1String(name)))
        return combo->currentText();
    return child<QLabel>(screen, name)->text();
}

// The four start positions and the paper form number.
QStringList positions(QWidget *screen)
{
    return {text(screen, "Text2"), text(screen, "Text3"), text(screen, "Text5"), text(screen, "Text4"), text(screen, "Label14")};
}

QStringList hints(QWidget *screen)
{
    return {text(screen, "Label5"), text(screen, "Label8"), text(screen, "Label17"), text(screen, "Label16")};
}

void choosePrinter(QWidget *screen, const QString &name)
{
    auto *combo = child<QComboBox>(screen, "Combo1");
    const int index = combo->findText(name);
    QVERIFY(index >= 0);
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

void click(QWidget *screen, const char *name)
{
    QTest::mouseClick(child<QPushButton>(screen, name), Qt::LeftButton);
}

} // namespace

// "印刷設定": the nine settings, the printer defaults, saving and leaving.
class TestSettei : public QObject
{
    Q_OBJECT

private slots:
    void opensWithTheSettings()
    {
        SettingsFixture f;
        QStringList saved = lines(QStringLiteral("SATO T12"), QStringLiteral("ＵＳＢメモリ"));
        saved[1] = QStringLiteral("1777");
        saved[5] = QStringLiteral("0009");
        saved[3] = QStringLiteral("する");
        f.writeUserDat(saved);
        const auto screen = f.open();
        QCOMPARE(screen->windowTitle(), QStringLiteral("印刷設定"));
        QCOMPARE(text(screen.get(), "Label2"), QStringLiteral("各 種 設 定"));
        auto *combo1 = child<QComboBox>(screen.get(), "Combo1");
        QCOMPARE(combo1->currentText(), QStringLiteral("SATO T12"));
        QStringList listed;
        for (int i = 0; i < combo1->count(); ++i)
            listed.append(combo1->itemText(i));
        QCOMPARE(listed, f.printers->printerNames());
        // A saved T12 shows the range of the family and asks nothing.
        QCOMPARE(positions(screen.get()), (QStringList{"1777", "110", "1740", "20", "0009"}));
        QCOMPARE(hints(screen.get()), (QStringList{"(基本値:1770～1830)", "(基本値:70～110)", "(基本値:1760～1820)", "(基本値:20～70)"}));
        QCOMPARE(text(screen.get(), "Combo2"), QStringLiteral("する"));
        QCOMPARE(text(screen.get(), "Combo4"), QStringLiteral("ソフトウェアにて生成"));
        // Without a USB memory the location is the hard disk, and fixed.
        QCOMPARE(text(screen.get(), "Combo3"), QStringLiteral("ハードディスク"));
        QVERIFY(!child<QComboBox>(screen.get(), "Combo3")->isEnabled());
        // Drop-down lists only: nothing typed reaches lines 4, 5 and 7.
        for (const char *name : {"Combo2", "Combo3", "Combo4"})
            QVERIFY(!child<QComboBox>(screen.get(), name)->isEditable());
        QCOMPARE(combo1->accessibleName(), QStringLiteral("使用プリンタ"));
        QCOMPARE(child<QLineEdit>(screen.get(), "Text4")->accessibleName(), QStringLiteral("横書き-ﾀﾃ開始位置"));
        QCOMPARE(child<QLabel>(screen.get(), "Label5")->accessibleDescription(), QStringLiteral("縦書き-ﾖｺ開始位置のヒント"));
        QCOMPARE(child<QLabel>(screen.get(), "Label14")->accessibleDescription(), QStringLiteral("使用用紙番号"));
    }

    void withAUsbMemoryTheLocationCanBeChosen()
    {
        SettingsFixture f;
        f.drive = platform::FixedDriveFinder(f.path(QStringLiteral("usb")));
        f.writeUserDat(lines(QStringLiteral("SATO T408v"), QStringLiteral("ＵＳＢメモリ")));
        const auto screen = f.open();
        QCOMPARE(text(screen.get(), "Combo3"), QStringLiteral("ＵＳＢメモリ"));
        QVERIFY(child<QComboBox>(screen.get(), "Combo3")->isEnabled());
    }

    // Choosing a printer from the list fills in its model's start positions,
    // asking the model where the name leaves it open.
    void choosingAPrinter_data()
    {
        QTest::addColumn<QString>("printer");
        QTest::addColumn<QString>("answer"); // the model window's button, or "close"
        QTest::addColumn<QStringList>("values");
        QTest::newRow("T408v") << "SATO T408v" << "" << QStringList{"1810", "80", "1770", "80", "0000"};
        QTest::newRow("2130") << "SATO CL 2130" << "" << QStringList{"150", "0", "100", "0", "0514"};
        QTest::newRow("T12 answered 2") << "SATO T12" << "Command2" << QStringList{"1830", "110", "1820", "20", "0000"};
        QTest::newRow("R8 answered 1") << "SATO R8 Series" << "Command1" << QStringList{"1730", "150", "1730", "60", "0000"};
        QTest::newRow("R8 closed: nothing changes") << "SATO R8 Series" << "close" << QStringList{"1740", "110", "1740", "20", "0009"};
        QTest::newRow("no code: nothing changes") << "Brother HL-L2375DW" << "" << QStringList{"1740", "110", "1740", "20", "0009"};
    }
    void choosingAPrinter()
    {
        QFETCH(QString, printer);
        QFETCH(QString, answer);
        QFETCH(QStringList, values);
        SettingsFixture f;
        QStringList saved = lines(kPlaceholder);
        saved[5] = QStringLiteral("0009");
        f.writeUserDat(saved);
        const auto screen = f.open();
        bool asked = false;
        if (!answer.isEmpty()) {
            testsupport::answerNextModal<print::PrinterModelWindow>([&](print::PrinterModelWindow *window) {
                asked = true;
                if (answer == u"close")
                    window->close();
                else
                    QTest::mouseClick(child<QPushButton>(window, answer == u"Command1" ? "Command1" : "Command2"), Qt::LeftButton);
            });
        }
        choosePrinter(screen.get(), printer);
        QCOMPARE(asked, !answer.isEmpty());
        QCOMPARE(positions(screen.get()), values);
        QVERIFY(screen->isEnabled());
    }

    // A typed name only updates the hints, until the model window has been
    // asked once: from then on typing fills in the values too.
    void typingAName()
    {
        SettingsFixture f;
        f.writeUserDat(lines(kPlaceholder));
        const auto screen = f.open();
        QLineEdit *edit = child<QComboBox>(screen.get(), "Combo1")->lineEdit();
        edit->clear();
        QTest::keyClicks(edit, QStringLiteral("SATO T408v"));
        QCOMPARE(hints(screen.get()), (QStringList{"(基本値:1810)", "(基本値:80)", "(基本値:1770)", "(基本値:80)"}));
        QCOMPARE(positions(screen.get()), (QStringList{"1740", "110", "1740", "20", "0000"}));

        testsupport::answerNextModal<print::PrinterModelWindow>(
            [](print::PrinterModelWindow *window) { QTest::mouseClick(child<QPushButton>(window, "Command1"), Qt::LeftButton); });
        choosePrinter(screen.get(), QStringLiteral("SATO T12"));
        edit->clear();
        QTest::keyClicks(edit, QStringLiteral("SATO CL 2130"));
        QCOMPARE(positions(screen.get()), (QStringList{"150", "0", "100", "0", "0514"}));
    }

    void numberBoxesTakeDigitsAndALeadingMinus()
    {
        SettingsFixture f;
        f.writeUserDat(lines(QStringLiteral("SATO T408v")));
        const auto screen = f.open();
        auto *box = child<QLineEdit>(screen.get(), "Text3");
        box->clear();
        QTest::keyClicks(box, QStringLiteral("-1a2,-3"));
        QCOMPARE(box->text(), QStringLiteral("-123"));
        box->clear();
        box->insert(QStringLiteral("１７７０"));
        QCOMPARE(box->text(), QStringLiteral("1770"));
    }

    // The nine lines in order, byte for byte, and then the acknowledgement
    // and the way back to the menu.
    void saveWritesTheNineLines()
    {
        SettingsFixture f;
        QStringList saved = lines(QStringLiteral("SATO T408v"));
        saved[7] = QStringLiteral("1,770"); // a hand-edited file
        f.writeUserDat(saved);
        const auto screen = f.open();
        child<QComboBox>(screen.get(), "Combo1")->setEditText(QStringLiteral("A,B"));
        child<QComboBox>(screen.get(), "Combo2")->setCurrentIndex(1);
        child<QComboBox>(screen.get(), "Combo4")->setCurrentIndex(1);
        click(screen.get(), "Command1");
        QCOMPARE(f.userDat(), testsupport::ScreenFixture::userDatBytes(
                                  {"AB", "1740", "110", "する", "ハードディスク", "0000", "バーコードフォント使用", "1770", "20"}));
        QCOMPARE(f.confirmation.asked().size(), 1);
        const app::ConfirmationRequest &asked = f.confirmation.asked().constFirst();
        QCOMPARE(asked.line1, QStringLiteral("設定を登録しました"));
        QCOMPARE(asked.line2, QStringLiteral("メインメニューに戻ります"));
        QCOMPARE(asked.line3, QString());
        QVERIFY(!asked.leftVisible && !asked.leftEnabled && asked.rightVisible);
        QCOMPARE(asked.rightCaption, QStringLiteral("はい"));
        QVERIFY(f.messages.shown().isEmpty());
        QVERIFY(!screen->isVisible());
        QVERIFY(!f.exit.requested());
    }

    void saveWithoutAPrinterName()
    {
        SettingsFixture f;
        f.writeUserDat(lines(QStringLiteral("SATO T408v")));
        const QByteArray before = f.userDat();
        const auto screen = f.open();
        child<QComboBox>(screen.get(), "Combo1")->setEditText(QStringLiteral(",\t"));
        click(screen.get(), "Command1");
        QCOMPARE(f.userDat(), before);
        QVERIFY(f.messages.shown().isEmpty());
        QVERIFY(f.confirmation.asked().isEmpty());
        QVERIFY(screen->isVisible());
    }

    void saveWithThePlaceholder()
    {
        SettingsFixture f;
        f.writeUserDat(lines(kPlaceholder));
        const auto screen = f.open();
        child<QLineEdit>(screen.get(), "Text2")->setText(QStringLiteral("1800"));
        click(screen.get(), "Command1");
        QCOMPARE(f.messages.shown(), QStringList{QStringLiteral("プリンターが選択されていません\r\rプリンターを選択して下さい")});
        // Written all the same; the menu will send the user back here.
        QCOMPARE(store::readUserSettings(f.work.path())->portraitStartX, QStringLiteral("1800"));
        QVERIFY(screen->isVisible());
        QVERIFY(f.confirmation.asked().isEmpty());
    }

    // A first start: user.dat says USB memory, there is none, so the box
    // shows the hard disk. Both are the working folder: no restart.
    void firstSaveWithoutAUsbMemoryGoesBackToTheMenu()
    {
        SettingsFixture f;
        f.writeUserDat(lines(kPlaceholder, QStringLiteral("ＵＳＢメモリ")));
        const auto screen = f.open();
        choosePrinter(screen.get(), QStringLiteral("SATO CL 2130"));
        click(screen.get(), "Command1");
        QCOMPARE(store::readUserSettings(f.work.path())->dataLocation, QStringLiteral("ハードディスク"));
        QVERIFY(!f.exit.requested());
        QCOMPARE(f.confirmation.asked().size(), 1);
        QVERIFY(!screen->isVisible());
    }

    void changedLocationEndsTheProgram()
    {
        SettingsFixture f;
        f.drive = platform::FixedDriveFinder(f.path(QStringLiteral("usb")));
        f.writeUserDat(lines(QStringLiteral("SATO T408v"), QStringLiteral("ＵＳＢメモリ")));
        const auto screen = f.open();
        child<QComboBox>(screen.get(), "Combo3")->setCurrentIndex(1);
        click(screen.get(), "Command1");
        QCOMPARE(store::readUserSettings(f.work.path())->dataLocation, QStringLiteral("ハードディスク"));
        QCOMPARE(f.messages.shown(), QStringList{QStringLiteral("商品情報の保存先を変更しましたので、ソフトウェアを一旦終了します\r\r"
                                                                "恐れ入りますが、さくらべを再度起動して下さい")});
        QVERIFY(f.exit.requested());
        QVERIFY(f.confirmation.asked().isEmpty());
    }

    void failedSaveKeepsTheOldFile()
    {
        SettingsFixture f;
        f.writeUserDat(lines(QStringLiteral("SATO T408v")));
        const QByteArray before = f.userDat();
        // Where the new file would be written first, a folder stands.
        QVERIFY(QDir(f.work.path()).mkdir(QStringLiteral("user.tmp")));
        const auto screen = f.open();
        child<QLineEdit>(screen.get(), "Text2")->setText(QStringLiteral("1800"));
        click(screen.get(), "Command1");
        QCOMPARE(f.userDat(), before);
        QCOMPARE(f.messages.shown().size(), 1);
        QVERIFY(f.messages.shown().constFirst().startsWith(QStringLiteral("印刷設定の保存に失敗しました\r")));
        QVERIFY(f.confirmation.asked().isEmpty());
        QVERIFY(screen->isVisible());
    }

    void returning_data()
    {
        QTest::addColumn<QString>("printer");
        QTest::addColumn<bool>("ends");
        QTest::newRow("a printer: back to the menu") << "SATO T408v" << false;
        QTest::newRow("the placeholder: the program ends") << kPlaceholder << true;
    }
    void returning()
    {
        QFETCH(QString, printer);
        QFETCH(bool, ends);
        SettingsFixture f;
        f.writeUserDat(lines(printer));
        const QByteArray before = f.userDat();
        const auto screen = f.open();
        child<QLineEdit>(screen.get(), "Text2")->setText(QStringLiteral("1800"));
        click(screen.get(), "Command2");
        QCOMPARE(f.userDat(), before);
        QCOMPARE(f.exit.requested(), ends);
        QCOMPARE(f.messages.shown(), ends ? QStringList{QStringLiteral("プリンターが選択されていません\r\r"
                                                                       "メインメニューに戻らず、ソフトウェアを終了します")}
                                          : QStringList{});
        QCOMPARE(screen->isVisible(), ends);
    }

    // Enter goes from box to box and is never typed; without a USB memory
    // the location box is passed over.
    void enterOrder_data()
    {
        QTest::addColumn<bool>("usb");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("with a USB memory") << true << QStringList{"Text2", "Text3", "Text5", "Text4", "Combo2", "Combo3", "Command1"};
        QTest::newRow("without") << false << QStringList{"Text2", "Text3", "Text5", "Text4", "Combo2", "Command1"};
    }
    void enterOrder()
    {
        QFETCH(bool, usb);
        QFETCH(QStringList, order);
        SettingsFixture f;
        if (usb)
            f.drive = platform::FixedDriveFinder(f.path(QStringLiteral("usb")));
        f.writeUserDat(lines(QStringLiteral("SATO T408v")));
        const auto screen = f.open();
        QVERIFY(QTest::qWaitForWindowActive(screen.get()));
        child<QComboBox>(screen.get(), "Combo1")->setFocus();
        QStringList visited;
        for (qsizetype i = 0; i < order.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            visited.append(QApplication::focusWidget()->objectName());
        }
        QCOMPARE(visited, order);
        QCOMPARE(text(screen.get(), "Combo1"), QStringLiteral("SATO T408v"));
        QVERIFY(f.confirmation.asked().isEmpty());
    }

    // The paper list: the button waits while it is open, and is itself
    // again afterwards, whatever the answer.
    void paperList_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("paper");
        QTest::newRow("a form chosen") << "choose" << "0514";
        QTest::newRow("the choice removed") << "clear" << "0000";
        QTest::newRow("cancelled") << "cancel" << "0009";
    }
    void paperList()
    {
        QFETCH(QString, action);
        QFETCH(QString, paper);
        SettingsFixture f;
        QStringList saved = lines(QStringLiteral("SATO T408v"));
        saved[5] = QStringLiteral("0009");
        f.writeUserDat(saved);
        const auto screen = f.open();
        QString captionWhileOpen;
        testsupport::answerNextModal<print::PaperSelectionWindow>([&](print::PaperSelectionWindow *window) {
            captionWhileOpen = child<QPushButton>(screen.get(), "Command4")->text();
            QVERIFY(!child<QPushButton>(screen.get(), "Command4")->isEnabled());
            QTRY_VERIFY(!window->searching());
            auto *list = window->findChild<QListWidget *>(QStringLiteral("List1"));
            if (action == u"choose") {
                const QList<QListWidgetItem *> found = list->findItems(QStringLiteral("0514:"), Qt::MatchStartsWith);
                QCOMPARE(found.size(), 1);
                list->setCurrentItem(found.constFirst());
                QTest::mouseClick(child<QPushButton>(window, "Command1"), Qt::LeftButton);
            } else {
                QTest::mouseClick(child<QPushButton>(window, action == u"clear" ? "Command3" : "Command2"), Qt::LeftButton);
            }
        });
        click(screen.get(), "Command4");
        QCOMPARE(captionWhileOpen, QStringLiteral("少々お待ち下さい"));
        QCOMPARE(text(screen.get(), "Label14"), paper);
        QCOMPARE(child<QPushButton>(screen.get(), "Command4")->text(), QStringLiteral("登録用紙の一覧を表示"));
        QVERIFY(child<QPushButton>(screen.get(), "Command4")->isEnabled());
    }

    void backupsHideTheSettingsUntilTheyClose()
    {
        SettingsFixture f;
        f.writeUserDat(lines(QStringLiteral("SATO T408v")));
        const auto screen = f.open();
        click(screen.get(), "Command3");
        QVERIFY(!screen->isVisible());
        QWidget *backups = nullptr;
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (qobject_cast<screens::Backup *>(window) && window->isVisible())
                backups = window;
        }
        QVERIFY(backups);
        QCOMPARE(backups->windowTitle(), QStringLiteral("商品情報バックアップ"));
        backups->close();
        QTRY_VERIFY(screen->isVisible());
    }
};

QTEST_MAIN(TestSettei)
#include "tst_settei.moc"
