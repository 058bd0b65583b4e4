#include "app/mainmenu.h"
#include "app/qtmessagesink.h"
#include "platform/clock.h"
#include "platform/messagesink.h"
#include "platform/programexit.h"
#include "platform/removabledrive.h"
#include "store/cp932.h"
#include "store/settingssource.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLockFile>
#include <QPushButton>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <QTest>

#include <memory>

using namespace app;

namespace {

const QString kCompletedMessage = QStringLiteral("Ver1.07d以前の印刷設定情報を、Ver1.08以降用に変更しました");

// A screen that stays open until the test closes it.
struct FakeScreen
{
    int opened = 0;
    std::function<void()> backToMenu;

    ScreenOpener opener()
    {
        return [this](std::function<void()> back) {
            ++opened;
            backToMenu = std::move(back);
        };
    }
    void close()
    {
        auto back = std::exchange(backToMenu, nullptr);
        QVERIFY(back);
        back();
        QCoreApplication::processEvents(); // the menu comes back after the screen has gone
    }
};

} // namespace

class TestMainMenu : public QObject
{
    Q_OBJECT

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    bool exists(const QString &name) const { return QFileInfo::exists(path(name)); }
    void putSettings(const QStringList &lines) const
    {
        QFile file(path(QStringLiteral("user.dat")));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        for (const QString &line : lines)
            file.write(store::toCp932(line) + "\r\n");
    }
    AppContext context() { return contextWith(m_messages, m_exit); }
    AppContext contextWith(platform::MessageSink &messages, platform::ProgramExit &exit)
    {
        AppContext context{m_dir->path(), &messages, &exit, &m_clock, &m_drive};
        context.settings = m_settings.get();
        return context;
    }
    std::unique_ptr<MainMenu> makeMenu(ScreenOpeners openers = {})
    {
        return std::make_unique<MainMenu>(context(), std::move(openers));
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<store::FileSettingsSource> m_settings;
    platform::RecordingMessageSink m_messages;
    platform::RecordingProgramExit m_exit;
    platform::FixedClock m_clock{QDateTime(QDate(2024, 4, 1), QTime(9, 0))};
    platform::FixedDriveFinder m_drive;

    const QStringList kChosenPrinter = {
        QStringLiteral("SATO T408v"), QStringLiteral("1810"), QStringLiteral("80"), QStringLiteral("しない"),
        QStringLiteral("ハードディスク"), QStringLiteral("0000"), QStringLiteral("ソフトウェアにて生成"),
        QStringLiteral("1770"), QStringLiteral("80")};

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_settings = std::make_unique<store::FileSettingsSource>(m_dir->path());
        m_messages.clear();
        m_exit = {};
    }

    void showsItsCaptions()
    {
        putSettings(kChosenPrinter);
        auto menu = makeMenu();
        menu->start();
        QCOMPARE(menu->windowTitle(), QStringLiteral("食品内容表示ソフトウェア さくらべ"));
        const QList<std::pair<QString, QString>> captions = {
            {QStringLiteral("Command1"), QStringLiteral("商品情報の登録")},
            {QStringLiteral("Command2"), QStringLiteral("ラベルの発行")},
            {QStringLiteral("Command4"), QStringLiteral("各 種 設 定")},
            {QStringLiteral("Command3"), QStringLiteral("ソフトウェアを終了する")},
        };
        for (const auto &[name, caption] : captions) {
            auto *button = menu->findChild<QPushButton *>(name);
            QVERIFY2(button, qPrintable(name));
            QCOMPARE(button->text(), caption);
        }
        QCOMPARE(menu->findChild<QLabel *>(QStringLiteral("Label1"))->text(),
                 QStringLiteral("サトー製バーコードプリンター用 食品表示ソフトウェア"));
        QCOMPARE(menu->findChild<QLabel *>(QStringLiteral("Label2"))->text(), QStringLiteral("さくらべ Ver1.08d"));
        QCOMPARE(menu->findChild<QLabel *>(QStringLiteral("Label4"))->text(), QStringLiteral("for Linux"));
        QVERIFY(menu->isVisible());
        QVERIFY(m_messages.shown().isEmpty());
    }

    void firstStartSendsToTheSettingsScreen()
    {
        FakeScreen settings;
        auto menu = makeMenu({{}, {}, settings.opener()});
        menu->start();

        QVERIFY(exists(QStringLiteral("user.dat")));
        QVERIFY(exists(QStringLiteral("文字列情報.tsv")));
        QCOMPARE(settings.opened, 1);
        QVERIFY(!menu->isVisible());
        QVERIFY(m_messages.shown().isEmpty());

        // Returning without a printer chosen: straight back to the settings.
        settings.close();
        QCOMPARE(settings.opened, 2);
        QVERIFY(!menu->isVisible());

        // A printer saved there: the menu comes up.
        putSettings(kChosenPrinter);
        settings.close();
        QCOMPARE(settings.opened, 2);
        QVERIFY(menu->isVisible());
        QVERIFY(m_messages.shown().isEmpty());
        QVERIFY(!m_exit.requested());
    }

    void firstStartWithoutSettingsScreenShowsTheMenu()
    {
        auto menu = makeMenu();
        menu->start();
        QVERIFY(exists(QStringLiteral("user.dat")));
        QVERIFY(exists(QStringLiteral("文字列情報.tsv")));
        QVERIFY(menu->isVisible());
        QVERIFY(!menu->findChild<QPushButton *>(QStringLiteral("Command4"))->isEnabled());
        QVERIFY(!menu->findChild<QPushButton *>(QStringLiteral("Command1"))->isEnabled());
    }

    void shortSettingsCompletedOnce()
    {
        putSettings(kChosenPrinter.mid(0, 5));
        FakeScreen registration;
        auto menu = makeMenu({registration.opener(), {}, {}});
        menu->start();
        QCOMPARE(m_messages.shown(), QStringList{kCompletedMessage});
        QVERIFY(QTest::qWaitForWindowExposed(menu.get()));

        // The menu comes back twice; the file is complete by now.
        for (int round = 0; round < 2; ++round) {
            QTest::mouseClick(menu->findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);
            QVERIFY(!menu->isVisible());
            registration.close();
            QVERIFY(menu->isVisible());
            menu->activateWindow();
            QCoreApplication::processEvents();
        }
        QCOMPARE(registration.opened, 2);
        QCOMPARE(m_messages.shown(), QStringList{kCompletedMessage});
    }

    void realMessageBoxIsShownOnce()
    {
        // A message box takes the focus and gives it back to the menu; that
        // must not start the preparation (and the box) again. An unreadable
        // user.dat is reported on every preparation.
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("user.dat")));
        QtMessageSink boxes;
        QStringList seen;
        QTimer answer;
        connect(&answer, &QTimer::timeout, this, [&] {
            if (QWidget *box = QApplication::activeModalWidget()) {
                seen.append(box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"))->text());
                box->close();
            }
        });
        answer.start(20);
        MainMenu menu(contextWith(boxes, m_exit));
        menu.start();
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
        QTRY_COMPARE(seen.size(), 1);
        // A preparation queued by the box's own closing would run now, and
        // its box would be answered inside these events.
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(seen.size(), 1);
        QVERIFY(seen.first().startsWith(QStringLiteral("印刷設定情報(user.dat)を読み込めませんでした")));
        QVERIFY(menu.isVisible());
    }

    void secondCopyIsRefused_data()
    {
        QTest::addColumn<bool>("byAnotherMenu");
        QTest::newRow("lock held") << false;
        QTest::newRow("another menu running") << true;
    }

    void secondCopyIsRefused()
    {
        QFETCH(bool, byAnotherMenu);
        platform::RecordingMessageSink firstMessages;
        platform::RecordingProgramExit firstExit;
        std::unique_ptr<MainMenu> first;
        QLockFile held(path(QStringLiteral("sakurabe.lock")));
        if (byAnotherMenu) {
            putSettings(kChosenPrinter);
            first = std::make_unique<MainMenu>(contextWith(firstMessages, firstExit));
            first->start();
            QVERIFY(first->isVisible());
            QFile::remove(path(QStringLiteral("user.dat")));
            QFile::remove(path(QStringLiteral("文字列情報.tsv")));
        } else {
            QVERIFY(held.tryLock(0));
        }

        FakeScreen settings;
        auto second = makeMenu({{}, {}, settings.opener()});
        second->start();
        QCOMPARE(m_messages.shown(), QStringList{QStringLiteral("このソフトウェアを複数起動することはできません。")});
        QVERIFY(m_exit.requested());
        QVERIFY(m_exit.code() != 0);
        QVERIFY(second->ended());
        QVERIFY(!second->isVisible());
        QCOMPARE(settings.opened, 0);
        QVERIFY(!exists(QStringLiteral("user.dat")));
        QVERIFY(!exists(QStringLiteral("文字列情報.tsv")));

        // The first copy carries on untouched.
        if (first) {
            QVERIFY(first->isVisible());
            QVERIFY(firstMessages.shown().isEmpty());
            QVERIFY(!firstExit.requested());
        }
    }

    void lockOfACrashedCopyIsTakenOver()
    {
        // What a copy that died leaves behind: a lock naming a process that is gone.
        QFile lock(path(QStringLiteral("sakurabe.lock")));
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.write("4194000\n" + QCoreApplication::applicationName().toUtf8() + "\n"
                   + QSysInfo::machineHostName().toUtf8() + "\n");
        lock.close();
        putSettings(kChosenPrinter);

        auto menu = makeMenu();
        menu->start();
        QVERIFY(!m_exit.requested());
        QVERIFY(m_messages.shown().isEmpty());
        QVERIFY(menu->isVisible());
    }

    void unreadableSettingsAreReported()
    {
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("user.dat")));
        FakeScreen settings;
        auto menu = makeMenu({{}, {}, settings.opener()});
        menu->start();
        QCOMPARE(m_messages.shown().size(), 1);
        QVERIFY(m_messages.shown().first().startsWith(QStringLiteral("印刷設定情報(user.dat)を読み込めませんでした")));
        QVERIFY(QFileInfo(path(QStringLiteral("user.dat"))).isDir());
        QVERIFY(exists(QStringLiteral("文字列情報.tsv")));
        QCOMPARE(settings.opened, 0);
        QVERIFY(menu->isVisible());
        QVERIFY(!m_exit.requested());
    }

    void quitButtonEndsTheProgram()
    {
        putSettings(kChosenPrinter);
        auto menu = makeMenu();
        menu->start();
        QTest::mouseClick(menu->findChild<QPushButton *>(QStringLiteral("Command3")), Qt::LeftButton);
        QVERIFY(!menu->isVisible());
        QVERIFY(m_exit.requested());
        QCOMPARE(m_exit.code(), 0);
    }
};

QTEST_MAIN(TestMainMenu)
#include "tst_mainmenu.moc"
