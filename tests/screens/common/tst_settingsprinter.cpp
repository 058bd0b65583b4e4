#include "screens/common/settingsprinter.h"
#include "tests/support/screenfixture.h"

#include <QTest>

// The printer a label screen needs before it shows.
class TestSettingsPrinter : public QObject
{
    Q_OBJECT

private slots:
    void checks_data()
    {
        QTest::addColumn<QString>("printer");
        QTest::addColumn<bool>("installed");
        QTest::newRow("installed") << "SATO_T408v" << true;
        QTest::newRow("not installed") << "SATO_GONE" << false;
        QTest::newRow("the placeholder") << "ﾌﾟﾘﾝﾀｰをお選び下さい" << false;
        QTest::newRow("case matters") << "sato_t408v" << false;
    }
    void checks()
    {
        QFETCH(QString, printer);
        QFETCH(bool, installed);
        testsupport::ScreenFixture f;
        f.printers->addPrinter({QStringLiteral("SATO_T408v"), 203, platform::FakePrinterSystem::labelPrinterForms()});
        store::UserSettings settings = store::UserSettings::defaults();
        settings.printer = printer;
        QCOMPARE(screens::settingsPrinterInstalled(f.context(), settings), installed);
        QCOMPARE(f.exit.requested(), !installed);
        QCOMPARE(f.messages.shown(), installed ? QStringList{} : QStringList{screens::settingsPrinterMissingMessage()});
        if (!installed) {
            const QStringList parts = f.messages.shown().constFirst().split(u'\r');
            QCOMPARE(parts.size(), 4);
            QCOMPARE(parts.at(0), QStringLiteral("■■■指定されたプリンターのドライバーが見つかりません■■■"));
            QVERIFY(parts.at(1).isEmpty());
        }
    }
};

QTEST_GUILESS_MAIN(TestSettingsPrinter)
#include "tst_settingsprinter.moc"
