#include "store/cp932.h"

#include <QTest>

class TestCp932 : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("width");
        QTest::newRow("minus 18 degrees") << QStringLiteral("－１８℃") << QByteArray("\x81\x7c\x82\x50\x82\x57\x81\x8e") << 8;
        QTest::newRow("wave dash") << QStringLiteral("～") << QByteArray("\x81\x60") << 2;
        QTest::newRow("circled one") << QStringLiteral("①") << QByteArray("\x87\x40") << 2;
        QTest::newRow("kabushiki") << QStringLiteral("㈱") << QByteArray("\x87\x8a") << 2;
        QTest::newRow("yen is one byte") << QStringLiteral("¥398") << QByteArray("\x5c" "398") << 4;
        QTest::newRow("half-width katakana") << QStringLiteral("ｶﾞﾘ") << QByteArray("\xb6\xde\xd8") << 3;
        QTest::newRow("ascii") << QStringLiteral("<b>A,1") << QByteArray("<b>A,1") << 6;
        QTest::newRow("geta itself") << QStringLiteral("〓") << QByteArray("\x81\xac") << 2;
    }
    void roundTrip()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QFETCH(int, width);
        QCOMPARE(store::toCp932(text), bytes);
        QCOMPARE(store::fromCp932(bytes), text);
        QCOMPARE(store::cp932Width(text), width);
    }

    // A character the code page lacks must never turn into a question mark:
    // "?" splits the ingredients onto a second label.
    void unmappableBecomesGeta_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("normalized");
        QTest::newRow("won sign") << QStringLiteral("₩1") << QStringLiteral("〓1");
        QTest::newRow("emoji is one mark") << QStringLiteral("a😀b") << QStringLiteral("a〓b");
        QTest::newRow("hangul") << QStringLiteral("김치") << QStringLiteral("〓〓");
    }
    void unmappableBecomesGeta()
    {
        QFETCH(QString, text);
        QFETCH(QString, normalized);
        QCOMPARE(store::cp932Normalized(text), normalized);
        QVERIFY(!store::toCp932(text).contains('?'));
        QCOMPARE(store::cp932Width(text), store::cp932Width(normalized));
    }

    void invalidBytesKeepLineEnds_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("lead byte before CR LF") << QByteArray("A\x82\r\nB") << QStringLiteral("A〓\r\nB");
        QTest::newRow("lead byte at the end") << QByteArray("AB\x82") << QStringLiteral("AB〓");
        QTest::newRow("stray trail byte") << QByteArray("\xa0X") << QStringLiteral("〓X");
        QTest::newRow("unassigned pair is one mark") << QByteArray("\x85\x40Z") << QStringLiteral("〓Z");
    }
    void invalidBytesKeepLineEnds()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(store::fromCp932(bytes), text);
    }
};

QTEST_APPLESS_MAIN(TestCp932)
#include "tst_cp932.moc"
