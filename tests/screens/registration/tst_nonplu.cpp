#include "screens/registration/nonplu.h"
#include "tests/screens/registration/registrationfixture.h"
#include "tests/support/modalanswer.h"
#include "tests/support/typing.h"

#include <QApplication>

using screens::Nonplu;

namespace {

void fill(Nonplu *window, const char *name, const QString &text)
{
    QLineEdit *field = window->findChild<QLineEdit *>(QLatin1String(name));
    field->setFocus();
    field->selectAll();
    testsupport::typeText(field, text);
}

QString text(QWidget *window, const char *name)
{
    if (auto *field = window->findChild<QLineEdit *>(QLatin1String(name)))
        return field->text();
    return window->findChild<QLabel *>(QLatin1String(name))->text();
}

QColor colour(QWidget *window, const char *name)
{
    return window->findChild<QWidget *>(QLatin1String(name))->palette().color(QPalette::Text);
}

} // namespace

// "インストアコード入力ウィンドウ": an in-store code from its three parts,
// handed to the registration screen's barcode box.
class TestNonplu : public QObject
{
    Q_OBJECT

    platform::RecordingMessageSink m_messages;

private slots:
    void init() { m_messages.clear(); }

    void fieldsKeepTheirWidth()
    {
        Nonplu window(m_messages);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QCOMPARE(window.windowTitle(), QStringLiteral("インストアコード入力ウィンドウ"));
        QCOMPARE(text(&window, "Label2"), QStringLiteral("(0/2桁)"));
        fill(&window, "Text2", QStringLiteral("123456"));
        QCOMPARE(text(&window, "Text2"), QStringLiteral("12345"));
        QCOMPARE(text(&window, "Label4"), QStringLiteral("(5/5桁) "));
        QCOMPARE(colour(&window, "Text2"), QColor(0, 0, 255));
        fill(&window, "Text1", QStringLiteral("１"));
        QCOMPARE(text(&window, "Label2"), QStringLiteral("(2/2桁) "));
        QCOMPARE(colour(&window, "Text1"), QColor(0, 0, 255));
        fill(&window, "Text3", QStringLiteral("19"));
        QCOMPARE(colour(&window, "Text3"), QColor(0, 0, 0));
        QCOMPARE(text(&window, "Label6"), QStringLiteral("(2/4桁) "));
        // Left, a field is padded to its width.
        fill(&window, "Text1", QStringLiteral("7"));
        QTest::keyClick(window.findChild<QLineEdit *>(QStringLiteral("Text1")), Qt::Key_Return);
        QCOMPARE(text(&window, "Text1"), QStringLiteral("07"));
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Text2"));
    }

    void computesAndHandsOver()
    {
        testsupport::answerNextModal<Nonplu>([](Nonplu *window) {
            fill(window, "Text1", QStringLiteral("02"));
            fill(window, "Text2", QStringLiteral("12345"));
            fill(window, "Text3", QStringLiteral("0198"));
            QTest::keyClick(window->findChild<QLineEdit *>(QStringLiteral("Text3")), Qt::Key_Return);
            QTest::mouseClick(window->findChild<QPushButton *>(QStringLiteral("Command2")), Qt::LeftButton);
            QCOMPARE(text(window, "Text4"), QStringLiteral("0212345501986"));
            QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Command1"));
            QTest::mouseClick(window->findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);
        });
        QCOMPARE(Nonplu::ask(m_messages, nullptr), std::optional<QString>(QStringLiteral("0212345501986")));
        QVERIFY(m_messages.shown().isEmpty());
    }

    // A change after computing empties the code; "登録" then says so, under
    // its title, and a part of the wrong length is refused.
    void refusals()
    {
        testsupport::answerNextModal<Nonplu>([](Nonplu *window) {
            QTest::mouseClick(window->findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);
            fill(window, "Text1", QStringLiteral("02"));
            fill(window, "Text2", QStringLiteral("12345"));
            fill(window, "Text3", QStringLiteral("0198"));
            QTest::mouseClick(window->findChild<QPushButton *>(QStringLiteral("Command2")), Qt::LeftButton);
            fill(window, "Text3", QStringLiteral("0199"));
            QCOMPARE(text(window, "Text4"), QString());
            QTest::mouseClick(window->findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);
            // Computed with the price box still holding two digits (no focus
            // change: it is never padded).
            fill(window, "Text3", QStringLiteral("19"));
            window->findChild<QPushButton *>(QStringLiteral("Command2"))->click();
            window->close();
        });
        QCOMPARE(Nonplu::ask(m_messages, nullptr), std::optional<QString>());
        QCOMPARE(m_messages.shown(), (QStringList{QStringLiteral("バーコードが算出されていません"),
                                                  QStringLiteral("バーコードが算出されていません"),
                                                  QStringLiteral("入力されたコードや価格に異常があります。\rコードや価格を再度確認して下さい")}));
        QCOMPARE(m_messages.titles(),
                 (QStringList{QStringLiteral("エラー"), QStringLiteral("エラー"), QStringLiteral("入力されたデータが異常です")}));
    }

    // A double click on the barcode box opens the calculator; its code lands
    // in the box and the focus on the recycling mark.
    void fromTheRegistrationScreen()
    {
        RegistrationFixture f;
        const auto screen = f.open();
        QVERIFY(QTest::qWaitForWindowActive(screen.get()));
        box(screen.get(), "Text12")->setText(QStringLiteral("111"));
        testsupport::answerNextModal<Nonplu>([](Nonplu *window) {
            QVERIFY(window->isModal());
            fill(window, "Text1", QStringLiteral("02"));
            fill(window, "Text2", QStringLiteral("12345"));
            fill(window, "Text3", QStringLiteral("0198"));
            QTest::mouseClick(window->findChild<QPushButton *>(QStringLiteral("Command2")), Qt::LeftButton);
            QTest::mouseClick(window->findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);
        });
        QTest::mouseDClick(box(screen.get(), "Text12"), Qt::LeftButton);
        QCOMPARE(shown(screen.get(), "Text12"), QStringLiteral("0212345501986"));
        QCOMPARE(screen->focusWidget(), control<QWidget>(screen.get(), "Combo4"));

        // Closed with "閉じる": the box keeps what it had.
        testsupport::answerNextModal<Nonplu>(
            [](Nonplu *window) { QTest::mouseClick(window->findChild<QPushButton *>(QStringLiteral("Command3")), Qt::LeftButton); });
        QTest::mouseDClick(box(screen.get(), "Text12"), Qt::LeftButton);
        QCOMPARE(shown(screen.get(), "Text12"), QStringLiteral("0212345501986"));
    }
};

QTEST_MAIN(TestNonplu)
#include "tst_nonplu.moc"
