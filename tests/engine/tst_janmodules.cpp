#include "engine/render/janmodules.h"

#include <QTest>

// The module strings of JAN symbols, against the EAN/UPC tables: the left
// half in sets A and B chosen by the leading digit, the right half in set C.

class TestJanModules : public QObject
{
    Q_OBJECT

private slots:
    void modules_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("expected");
        // 4: parity A B A A B B for 9 0 1 2 3 4.
        QTest::newRow("EAN-13 4901234567894")
            << "4901234567894"
            << QStringLiteral("101"
                              "0001011" "0100111" "0011001" "0010011" "0100001" "0011101"
                              "01010"
                              "1001110" "1010000" "1000100" "1001000" "1110100" "1011100"
                              "101");
        // 0: all six in set A, as in a UPC-A code.
        QTest::newRow("EAN-13 leading 0")
            << "0012345678905"
            << QStringLiteral("101"
                              "0001101" "0011001" "0010011" "0111101" "0100011" "0110001"
                              "01010"
                              "1010000" "1000100" "1001000" "1110100" "1110010" "1001110"
                              "101");
        // 9: parity A B B A B A for 8 7 6 5 4 3.
        QTest::newRow("EAN-13 leading 9")
            << "9876543210982"
            << QStringLiteral("101"
                              "0110111" "0010001" "0000101" "0110001" "0011101" "0111101"
                              "01010"
                              "1101100" "1100110" "1110010" "1110100" "1001000" "1101100"
                              "101");
        QTest::newRow("EAN-8 49123456, centred behind 14 spaces")
            << "49123456"
            << QStringLiteral("00000000000000"
                              "101"
                              "0100011" "0001011" "0011001" "0010011"
                              "01010"
                              "1000010" "1011100" "1001110" "1010000"
                              "101");
        // A letter and a full-width digit count as 0; the leading one picks
        // parity row 0.
        QTest::newRow("non-digits encode 0")
            << QStringLiteral("A9０123456789X")
            << QStringLiteral("101"
                              "0001011" "0001101" "0011001" "0010011" "0111101" "0100011"
                              "01010"
                              "1001110" "1010000" "1000100" "1001000" "1110100" "1110010"
                              "101");
        QTest::newRow("12 characters: guards only") << "490123456789" << "10101010101";
        QTest::newRow("empty: guards only") << "" << "10101010101";
    }
    void modules()
    {
        QFETCH(QString, code);
        QFETCH(QString, expected);
        QCOMPARE(engine::janModules(code), expected);
    }

    // Every leading digit selects its row of sets A/B for the next six.
    void parityRows_data()
    {
        QTest::addColumn<QChar>("lead");
        QTest::addColumn<QString>("row");
        const char *rows[] = {"AAAAAA", "AABABB", "AABBAB", "AABBBA", "ABAABB",
                              "ABBAAB", "ABBBAA", "ABABAB", "ABABBA", "ABBABA"};
        for (int d = 0; d < 10; ++d)
            QTest::newRow(qPrintable(QString::number(d))) << QChar(u'0' + d) << QString::fromLatin1(rows[d]);
    }
    void parityRows()
    {
        QFETCH(QChar, lead);
        QFETCH(QString, row);
        // Digit 1 in set A is "0011001", in set B "0110011".
        const QString modules = engine::janModules(lead + QStringLiteral("111111000000"));
        QString found;
        for (int i = 0; i < 6; ++i) {
            const QString digit = modules.mid(3 + 7 * i, 7);
            found += digit == u"0011001" ? u'A' : digit == u"0110011" ? u'B' : u'?';
        }
        QCOMPARE(found, row);
    }

    void guardModules()
    {
        const auto guards = [](qsizetype length, const QString &modules) {
            QList<int> bars;
            for (int d = 1; d <= modules.size(); ++d) {
                if (engine::isJanGuardModule(length, d) && modules.at(d - 1) == u'1')
                    bars.append(d);
            }
            return bars;
        };
        QCOMPARE(guards(13, engine::janModules(QStringLiteral("4901234567894"))), (QList<int>{1, 3, 47, 49, 93, 95}));
        QCOMPARE(guards(8, engine::janModules(QStringLiteral("49123456"))), (QList<int>{15, 17, 47, 49, 79, 81}));
        QVERIFY(!engine::isJanGuardModule(13, 4));
        QVERIFY(!engine::isJanGuardModule(13, 92));
        QVERIFY(!engine::isJanGuardModule(8, 18));
        QVERIFY(!engine::isJanGuardModule(12, 1));
    }

    void humanReadable_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("text");
        QTest::newRow("13") << "4901234567894" << " 490123 4567894";
        QTest::newRow("8") << "49123456" << "   4912 3456";
        QTest::newRow("12") << "490123456789" << "";
        QTest::newRow("empty") << "" << "";
    }
    void humanReadable()
    {
        QFETCH(QString, code);
        QFETCH(QString, text);
        QCOMPARE(engine::janHumanReadable(code), text);
    }
};

QTEST_GUILESS_MAIN(TestJanModules)
#include "tst_janmodules.moc"
