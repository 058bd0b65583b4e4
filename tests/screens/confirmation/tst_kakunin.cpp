#include "screens/confirmation/kakunin.h"
#include "tests/support/modalanswer.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

using app::ConfirmationAnswer;
using app::ConfirmationRequest;
using screens::Kakunin;

Q_DECLARE_METATYPE(app::ConfirmationAnswer)

namespace {

ConfirmationRequest deleteQuestion()
{
    return ConfirmationRequest::question(QStringLiteral("登録番号:0001を削除します"), QStringLiteral("よろしいですか？"),
                                         QStringLiteral("はい(Y)"), QStringLiteral("いいえ(N)"));
}

// The settings screen's acknowledgement: the right button only.
ConfirmationRequest acknowledgement()
{
    return ConfirmationRequest::acknowledgement(QStringLiteral("設定を登録しました"), QStringLiteral("メインメニューに戻ります"),
                                                {}, QStringLiteral("はい"));
}

QPushButton *button(QWidget *window, const char *name)
{
    return window->findChild<QPushButton *>(QLatin1String(name));
}

} // namespace

// "確認": three lines, two buttons as the caller asks, and one answer back.
class TestKakunin : public QObject
{
    Q_OBJECT

private slots:
    void showsTheRequest()
    {
        Kakunin window(deleteQuestion());
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QCOMPARE(window.windowTitle(), QStringLiteral("確認"));
        QCOMPARE(window.findChild<QLabel *>(QStringLiteral("Label1"))->text(), QStringLiteral("登録番号:0001を削除します"));
        QCOMPARE(window.findChild<QLabel *>(QStringLiteral("Label2"))->text(), QStringLiteral("よろしいですか？"));
        QCOMPARE(window.findChild<QLabel *>(QStringLiteral("Label3"))->text(), QString());
        QCOMPARE(window.findChild<QLabel *>(QStringLiteral("Label3"))->accessibleDescription(), QStringLiteral("確認3"));
        QCOMPARE(button(&window, "Command1")->text(), QStringLiteral("はい(Y)"));
        QCOMPARE(button(&window, "Command2")->text(), QStringLiteral("いいえ(N)"));
        QCOMPARE(window.windowModality(), Qt::ApplicationModal);
        QVERIFY(button(&window, "Command1")->hasFocus());
    }

    // Each way out of the window, and the answer it gives.
    void answers_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<ConfirmationAnswer>("answer");
        QTest::newRow("left button") << "Command1" << ConfirmationAnswer::Left;
        QTest::newRow("right button") << "Command2" << ConfirmationAnswer::Right;
        QTest::newRow("Y") << "Y" << ConfirmationAnswer::Left;
        QTest::newRow("y") << "y" << ConfirmationAnswer::Left;
        QTest::newRow("N") << "N" << ConfirmationAnswer::Right;
        QTest::newRow("n") << "n" << ConfirmationAnswer::Right;
        QTest::newRow("close box") << "close" << ConfirmationAnswer::Right;
        QTest::newRow("Esc") << "Esc" << ConfirmationAnswer::Right;
    }
    void answers()
    {
        QFETCH(QString, action);
        QFETCH(ConfirmationAnswer, answer);
        testsupport::answerNextModal<Kakunin>([action](Kakunin *window) {
            if (action.startsWith(u"Command"))
                QTest::mouseClick(button(window, action == u"Command1" ? "Command1" : "Command2"), Qt::LeftButton);
            else if (action == u"close")
                window->close();
            else if (action == u"Esc")
                QTest::keyClick(window, Qt::Key_Escape);
            else
                QTest::keyClicks(button(window, "Command1"), action);
        });
        QCOMPARE(Kakunin::ask(deleteQuestion(), nullptr), answer);
    }

    // Y and N act only while the left button has the focus.
    void keysOnTheRightButtonDoNothing()
    {
        Kakunin window(deleteQuestion());
        window.show();
        button(&window, "Command2")->setFocus();
        QTest::keyClicks(button(&window, "Command2"), QStringLiteral("y"));
        QVERIFY(window.isVisible());
    }

    // The settings screen's acknowledgement can only be answered by "はい".
    void hiddenLeftButton()
    {
        testsupport::answerNextModal<Kakunin>([](Kakunin *window) {
            QVERIFY(!button(window, "Command1")->isVisible());
            QVERIFY(!button(window, "Command1")->isEnabled());
            QCOMPARE(button(window, "Command2")->text(), QStringLiteral("はい"));
            QVERIFY(button(window, "Command2")->hasFocus());
            QTest::keyClick(button(window, "Command2"), Qt::Key_Space);
        });
        QCOMPARE(Kakunin::ask(acknowledgement(), nullptr), ConfirmationAnswer::Right);
    }

    // Another window of the program taking the activation does not leave the
    // question behind it.
    void takesTheActivationBack()
    {
        QWidget screen;
        screen.show();
        QVERIFY(QTest::qWaitForWindowActive(&screen));
        Kakunin window(deleteQuestion(), &screen);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        screen.activateWindow();
        QTRY_VERIFY(window.isActiveWindow());
    }
};

QTEST_MAIN(TestKakunin)
#include "tst_kakunin.moc"
