#include "platform/fakeprintersystem.h"
#include "platform/messagesink.h"
#include "print/ui/paperselectionwindow.h"
#include "print/ui/printermodelwindow.h"
#include "tests/support/modalanswer.h"

#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using print::PaperSelectionWindow;

namespace {

const QString kPrinter = QStringLiteral("SATO_T408v");

// A driver that takes paper numbers 1, 9 and 514, and a 115 x 115 mm form.
struct PaperFixture
{
    PaperFixture()
    {
        system.addPrinter({kPrinter, 203,
                           {{514, QStringLiteral("w45h65"), QStringLiteral("45x65"), {2551 * 25.4 / 1440, 65}},
                            {1, QStringLiteral("Letter"), QStringLiteral("Letter"), {215.9, 279.4}},
                            {9, QStringLiteral("A4"), QStringLiteral("A4"), {210, 297}},
                            {600, QStringLiteral("w326h326"), QStringLiteral("115x115"), {115, 115}}},
                           514});
    }

    platform::FakePrinterSystem system;
    platform::RecordingMessageSink messages;
};

QStringList listed(PaperSelectionWindow *window)
{
    QStringList entries;
    auto *list = window->findChild<QListWidget *>(QStringLiteral("List1"));
    for (int i = 0; i < list->count(); ++i)
        entries.append(list->item(i)->text());
    return entries;
}

// Waits until the search has run, then acts on the window.
void whenListed(std::function<void(PaperSelectionWindow *)> act)
{
    testsupport::answerNextModal<PaperSelectionWindow>([act = std::move(act)](PaperSelectionWindow *window) {
        QTRY_VERIFY(!window->searching() && window->findChild<QListWidget *>(QStringLiteral("List1"))->count() > 0);
        act(window);
    });
}

QPushButton *button(QWidget *window, const char *name)
{
    return window->findChild<QPushButton *>(QLatin1String(name));
}

} // namespace

Q_DECLARE_METATYPE(std::optional<QString>)

// "用紙の選択" and "プリンター選択": the small windows the settings screen
// waits for.
class TestPaperSelection : public QObject
{
    Q_OBJECT

private slots:
    void listsTheFormsTheDriverTakes()
    {
        PaperFixture f;
        QStringList entries;
        QString heading;
        whenListed([&](PaperSelectionWindow *window) {
            entries = listed(window);
            heading = window->findChild<QLabel *>(QStringLiteral("Label1"))->text();
            QCOMPARE(window->windowTitle(), QStringLiteral("用紙の選択"));
            QCOMPARE(window->findChild<QListWidget *>(QStringLiteral("List1"))->accessibleName(), QStringLiteral("用紙一覧"));
            window->close();
        });
        QCOMPARE(print::choosePaperForm(f.system, kPrinter, f.messages, nullptr), std::optional<QString>());
        QCOMPARE(heading, kPrinter + QStringLiteral("に登録されている用紙一覧"));
        QCOMPARE(entries, (QStringList{QStringLiteral("0001:216mmx279mmラベル "), QStringLiteral("0009:210mmx297mmラベル "),
                                       QStringLiteral("0514:45mmx65mmラベル "), QStringLiteral("0600:115mmx115mmラベル  (お勧め)")}));
        QVERIFY(f.messages.shown().isEmpty());
    }

    // What each way of leaving the window answers.
    void answers_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<std::optional<QString>>("answer");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("選択") << "choose" << std::optional<QString>(QStringLiteral("0514")) << QStringList{};
        QTest::newRow("double click") << "double" << std::optional<QString>(QStringLiteral("0514")) << QStringList{};
        QTest::newRow("用紙の指定を解除する") << "clear" << std::optional<QString>(QStringLiteral("0000")) << QStringList{};
        QTest::newRow("キャンセル") << "cancel" << std::optional<QString>() << QStringList{};
        QTest::newRow("close box") << "close" << std::optional<QString>() << QStringList{};
        QTest::newRow("選択 with nothing selected, then cancel")
            << "nothing" << std::optional<QString>() << QStringList{QStringLiteral("使用する用紙を選択して下さい")};
    }
    void answers()
    {
        QFETCH(QString, action);
        QFETCH(std::optional<QString>, answer);
        QFETCH(QStringList, messages);
        PaperFixture f;
        whenListed([action](PaperSelectionWindow *window) {
            auto *list = window->findChild<QListWidget *>(QStringLiteral("List1"));
            if (action == u"choose" || action == u"double")
                list->setCurrentRow(2);
            if (action == u"choose") {
                QTest::mouseClick(button(window, "Command1"), Qt::LeftButton);
            } else if (action == u"double") {
                emit list->itemDoubleClicked(list->item(2));
            } else if (action == u"clear") {
                QTest::mouseClick(button(window, "Command3"), Qt::LeftButton);
            } else if (action == u"cancel") {
                QTest::mouseClick(button(window, "Command2"), Qt::LeftButton);
            } else if (action == u"close") {
                window->close();
            } else {
                QTest::mouseClick(button(window, "Command1"), Qt::LeftButton);
                QVERIFY(window->isVisible());
                QTest::mouseClick(button(window, "Command2"), Qt::LeftButton);
            }
        });
        QCOMPARE(print::choosePaperForm(f.system, kPrinter, f.messages, nullptr), answer);
        QCOMPARE(f.messages.shown(), messages);
    }

    void printerNotInstalled()
    {
        PaperFixture f;
        testsupport::answerNextModal<PaperSelectionWindow>([](PaperSelectionWindow *window) {
            QTRY_VERIFY(!window->searching());
            QCOMPARE(listed(window), QStringList{});
            QTest::mouseClick(button(window, "Command2"), Qt::LeftButton);
        });
        QCOMPARE(print::choosePaperForm(f.system, QStringLiteral("SATO_GONE"), f.messages, nullptr), std::optional<QString>());
        QCOMPARE(f.messages.shown(), QStringList{QStringLiteral("プリンターが見つかりませんでした")});
    }

    // While the forms are looked for, the buttons wait; the progress window
    // counts the numbers, and closing the window stops the search.
    void searchShowsItsProgressAndStopsWithTheWindow()
    {
        PaperFixture f;
        PaperSelectionWindow window(f.system, kPrinter, f.messages);
        QSignalSpy finished(&window, &PaperSelectionWindow::searchFinished);
        window.show();
        QTRY_VERIFY(window.searching());
        auto *progress = window.findChild<QDialog *>(QStringLiteral("ProgressWindow"));
        QVERIFY(progress && progress->isVisible());
        QCOMPARE(progress->windowTitle(), QStringLiteral("用紙検索中"));
        QCOMPARE(progress->findChild<QProgressBar *>()->maximum(), 1024);
        for (const char *name : {"Command1", "Command2", "Command3"})
            QVERIFY(!button(&window, name)->isEnabled());
        window.close();
        QVERIFY(!window.searching());
        QCOMPARE(finished.count(), 1);
    }

    void modelWindow_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<std::optional<QString>>("answer");
        QTest::newRow("first") << "Command1" << std::optional<QString>(QStringLiteral("1"));
        QTest::newRow("second") << "Command2" << std::optional<QString>(QStringLiteral("2"));
        QTest::newRow("close box: no answer") << "close" << std::optional<QString>();
    }
    void modelWindow()
    {
        QFETCH(QString, action);
        QFETCH(std::optional<QString>, answer);
        QStringList captions;
        testsupport::answerNextModal<print::PrinterModelWindow>([&](print::PrinterModelWindow *window) {
            captions = {window->windowTitle(), window->findChild<QLabel *>(QStringLiteral("Label1"))->text(),
                        window->findChild<QLabel *>(QStringLiteral("Label2"))->text(), button(window, "Command1")->text(),
                        button(window, "Command2")->text()};
            if (action == u"close")
                window->close();
            else
                QTest::mouseClick(button(window, action == u"Command1" ? "Command1" : "Command2"), Qt::LeftButton);
        });
        QCOMPARE(print::askPrinterModel(QStringLiteral("Ｔ８ または Ｒ８"), QStringLiteral("Ｔ４０８ または Ｒ４０８"), nullptr), answer);
        QCOMPARE(captions, (QStringList{QStringLiteral("プリンター選択"), QStringLiteral("プリンターの背面ラベルに記載さ"),
                                        QStringLiteral("れている「型番」をご選択下さい"), QStringLiteral("Ｔ８ または Ｒ８"),
                                        QStringLiteral("Ｔ４０８ または Ｒ４０８")}));
    }
};

QTEST_MAIN(TestPaperSelection)
#include "tst_paperselection.moc"
