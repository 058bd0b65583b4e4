#include "screens/settings/printerdefaults.h"

#include <QTest>

using screens::ModelFamily;

namespace {

using Hints = std::array<QString, 4>;

Hints hints(const QString &a, const QString &b, const QString &c, const QString &d)
{
    return {QStringLiteral("(基本値:%1)").arg(a), QStringLiteral("(基本値:%1)").arg(b), QStringLiteral("(基本値:%1)").arg(c),
            QStringLiteral("(基本値:%1)").arg(d)};
}

const Hints kTwelveRange = hints(QStringLiteral("1770～1830"), QStringLiteral("70～110"), QStringLiteral("1760～1820"),
                                 QStringLiteral("20～70"));
const Hints kEightRange = hints(QStringLiteral("1730～1820"), QStringLiteral("20～50"), QStringLiteral("1730～1770"),
                                QStringLiteral("50～100"));

} // namespace

Q_DECLARE_METATYPE(Hints)

// The printer defaults of the settings screen: the code found first in the
// device name decides the start positions, the paper form and the hints.
class TestPrinterDefaults : public QObject
{
    Q_OBJECT

private slots:
    void defaults_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("apply");
        QTest::addColumn<int>("answer");       // what the model window answers; 0: closed
        QTest::addColumn<QString>("asked");    // the family asked about: "", "12" or "8"
        QTest::addColumn<QStringList>("values"); // four positions and the paper form; empty: none
        QTest::addColumn<Hints>("hints");        // empty strings: the hints stay

        const QStringList none;
        const Hints unchanged;
        QTest::newRow("T408v") << "SATO T408v" << true << 0 << "" << QStringList{"1810", "80", "1770", "80", "0000"}
                               << hints("1810", "80", "1770", "80");
        QTest::newRow("R412v") << "SATO R412v" << true << 0 << "" << QStringList{"1800", "100", "1800", "100", "0000"}
                               << hints("1800", "100", "1800", "100");
        QTest::newRow("2130") << "SATO CL 2130" << true << 0 << "" << QStringList{"150", "0", "100", "0", "0514"}
                              << hints("150", "0", "100", "0");
        QTest::newRow("2130 typed: hints only") << "SATO CL 2130" << false << 0 << "" << none << hints("150", "0", "100", "0");
        QTest::newRow("T12 answered 1") << "SATO T12 Series" << true << 1 << "12"
                                        << QStringList{"1770", "70", "1760", "70", "0000"} << hints("1770", "70", "1760", "70");
        QTest::newRow("T12 answered 2") << "SATO T12" << true << 2 << "12" << QStringList{"1830", "110", "1820", "20", "0000"}
                                        << hints("1830", "110", "1820", "20");
        QTest::newRow("R12 closed: range hints") << "SATO R12 Series" << true << 0 << "12" << none << kTwelveRange;
        QTest::newRow("R8 asks the 8 family") << "SATO R8 Series" << true << 1 << "8"
                                              << QStringList{"1730", "150", "1730", "60", "0000"} << hints("1730", "150", "1730", "60");
        QTest::newRow("T8 answered 2") << "SATO T8 Series" << true << 2 << "8" << QStringList{"1730", "50", "1730", "50", "0000"}
                                       << hints("1730", "50", "1730", "50");
        // The scan ends two characters before the end of the name.
        QTest::newRow("SATO T8 is not recognised") << "SATO T8" << true << 1 << "" << none << unchanged;
        QTest::newRow("saved T12: range hints, no question") << "SATO T12" << false << 1 << "" << none << kTwelveRange;
        QTest::newRow("typed R8 Series: range hints") << "SATO R8 Series" << false << 1 << "" << none << kEightRange;
        QTest::newRow("no code") << "Brother HL-L2375DW" << true << 1 << "" << none << unchanged;
        QTest::newRow("the placeholder") << "ﾌﾟﾘﾝﾀｰをお選び下さい" << true << 1 << "" << none << unchanged;
        // The first position where any code matches decides, whatever comes after.
        QTest::newRow("first position wins") << "T8 412v" << true << 2 << "8" << QStringList{"1730", "50", "1730", "50", "0000"}
                                             << hints("1730", "50", "1730", "50");
        // Without applying, a family code only sets its range hints and the scan goes on.
        QTest::newRow("typed: a later code overrides the range")
            << "R8 T408v" << false << 0 << "" << none << hints("1810", "80", "1770", "80");
        QTest::newRow("codes are case-sensitive") << "SATO t408V" << true << 0 << "" << none << unchanged;
    }
    void defaults()
    {
        QFETCH(QString, name);
        QFETCH(bool, apply);
        QFETCH(int, answer);
        QFETCH(QString, asked);
        QFETCH(QStringList, values);
        QFETCH(Hints, hints);

        QString family;
        const screens::PrinterDefaults result = screens::printerDefaults(name, apply, [&](ModelFamily f) -> std::optional<int> {
            family = f == ModelFamily::Twelve ? QStringLiteral("12") : QStringLiteral("8");
            return answer == 0 ? std::nullopt : std::optional<int>(answer);
        });
        QCOMPARE(family, asked);
        QCOMPARE(result.askedModel, !asked.isEmpty());
        if (values.isEmpty()) {
            QVERIFY(!result.values);
        } else {
            QVERIFY(result.values);
            QCOMPARE(QStringList(result.values->positions.begin(), result.values->positions.end()) << result.values->paperForm,
                     values);
        }
        if (hints[0].isEmpty())
            QVERIFY(!result.hints);
        else
            QCOMPARE(result.hints, std::optional<Hints>(hints));
    }

    void modelCaptions()
    {
        QCOMPARE(screens::modelCaptions(ModelFamily::Twelve),
                 (std::array<QString, 2>{QStringLiteral("Ｔ１２ または Ｒ１２"), QStringLiteral("Ｔ４１２ または Ｒ４１２")}));
        QCOMPARE(screens::modelCaptions(ModelFamily::Eight),
                 (std::array<QString, 2>{QStringLiteral("Ｔ８ または Ｒ８"), QStringLiteral("Ｔ４０８ または Ｒ４０８")}));
    }
};

QTEST_GUILESS_MAIN(TestPrinterDefaults)
#include "tst_printerdefaults.moc"
