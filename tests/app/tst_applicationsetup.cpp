#include "app/applicationsetup.h"
#include "app/qtmessagesink.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWidget>

// The application the windows run in.
class TestApplicationSetup : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { app::setUpApplication(*qApp); }

    // A screen closing while the menu is hidden must not end the program:
    // the menu comes back after it.
    void lastWindowClosingDoesNotQuit()
    {
        QVERIFY(!QApplication::quitOnLastWindowClosed());
        QWidget screen;
        screen.show();
        bool quit = false;
        connect(qApp, &QCoreApplication::aboutToQuit, this, [&] { quit = true; });
        QTimer::singleShot(0, &screen, &QWidget::close);
        QTimer::singleShot(50, qApp, [] { QCoreApplication::exit(7); });
        QCOMPARE(QCoreApplication::exec(), 7); // ended by the test, not by the window
        QVERIFY(!screen.isVisible());
        QVERIFY(quit); // the exit the test asked for
    }

    // Qt's own buttons speak Japanese.
    void questionsSayHaiAndIie()
    {
        QStringList captions;
        QTimer::singleShot(0, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            captions = {box->button(QMessageBox::Yes)->text(), box->button(QMessageBox::No)->text()};
            box->button(QMessageBox::No)->click();
        });
        app::QtMessageSink messages;
        QVERIFY(!messages.question(QStringLiteral("よろしいですか？")));
        QCOMPARE(captions, (QStringList{QStringLiteral("はい(&Y)"), QStringLiteral("いいえ(&N)")}));
    }
};

QTEST_MAIN(TestApplicationSetup)
#include "tst_applicationsetup.moc"
