#include "store/cp932.h"
#include "store/productrecord.h"

#include <QTest>

using store::ProductRecord;
using store::RuledGroup;
using store::RuledLineMask;

namespace {

ProductRecord soba()
{
    ProductRecord r;
    r.number = QStringLiteral("0012");
    r.productName = QStringLiteral("品名:ざるそば");
    r.categoryName = QStringLiteral("名称:そば");
    r.ingredients = QStringLiteral("原材料名:小麦粉、そば粉");
    r.netContent = QStringLiteral("内 容 量:200");
    r.netContentUnit = QStringLiteral("ｇ");
    r.expiryTitle = QStringLiteral("消費期限:");
    r.expiryFormat = QStringLiteral("YYYY年MM月DD日");
    r.expiryAddDays = QStringLiteral("3");
    r.storage = QStringLiteral("保存方法:要冷蔵");
    r.responsible = QStringLiteral("製造者:さくら食品");
    r.barcode = QStringLiteral("4901234567894");
    r.recycleMark = QStringLiteral("プラ");
    r.labelSize = QStringLiteral("65×45(タテ)");
    r.ruledLines = QStringLiteral("ooxxxxxxxxx");
    return r;
}

} // namespace

class TestProductRecord : public QObject
{
    Q_OBJECT

private slots:
    // The header is what the file's other readers (and the old program) expect.
    void headerLine()
    {
        const QString header = store::productFileHeader();
        const QStringList cells = header.split(u'\t');
        QCOMPARE(cells.size(), 22);
        QCOMPARE(cells.first(), QStringLiteral("1.08"));
        QCOMPARE(cells.at(4), QStringLiteral("内容量 (最大全角１１文字)"));
        QCOMPARE(cells.last(), QStringLiteral("罫線 (oまたはxの羅列表記)"));
        QVERIFY(!header.endsWith(u'\t'));
        QCOMPARE(store::fromCp932(store::toCp932(header)), header); // nothing lost on the way to the file
    }

    void recordTextLayout()
    {
        const QString text = soba().recordText();
        QVERIFY(text.endsWith(u'\t'));
        const QStringList cells = store::splitRecord(text);
        QCOMPARE(cells.size(), 23);
        QCOMPARE(cells.at(20), QStringLiteral("65×45(タテ)"));
        QCOMPARE(cells.at(21), QStringLiteral("ooxxxxxxxxx"));
        QCOMPARE(cells.at(22), QString()); // the final TAB leaves an empty cell readers ignore
        QCOMPARE(ProductRecord::fromRecordText(text), std::optional(soba()));
    }

    // What a typed value turns into on its way through the file.
    void valueRoundTrip_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("readBack");
        QTest::newRow("both commas") << QStringLiteral("品名:そば,うどん，ラーメン")
                                     << QStringLiteral("品名:そば<kanma>うどん<kanma>ラーメン")
                                     << QStringLiteral("品名:そば,うどん,ラーメン");
        QTest::newRow("adjacent TABs") << QStringLiteral("a\t\tb") << QStringLiteral("ab") << QStringLiteral("ab");
        QTest::newRow("CR LF pair") << QStringLiteral("一行目\r\n二行目") << QStringLiteral("一行目二行目")
                                    << QStringLiteral("一行目二行目");
        QTest::newRow("comma after a removed TAB") << QStringLiteral("\t,\t,") << QStringLiteral("<kanma><kanma>")
                                                   << QStringLiteral(",,");
    }
    void valueRoundTrip()
    {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QFETCH(QString, readBack);
        ProductRecord record = soba();
        record.productName = typed;
        const QString text = record.recordText();
        QCOMPARE(text.split(u'\t').at(1), stored);
        QCOMPARE(ProductRecord::fromRecordText(text)->productName, readBack);
    }

    // The mask is built from the "o" positions; never longer or shorter than 11.
    void maskAssembly_data()
    {
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("stored");
        QTest::newRow("short") << QStringLiteral("oxo") << QStringLiteral("oxoxxxxxxxx");
        QTest::newRow("empty") << QString() << QStringLiteral("xxxxxxxxxxx");
        QTest::newRow("too long") << QStringLiteral("oooooooooooooo") << QStringLiteral("ooooooooooo");
        QTest::newRow("upper case is off") << QStringLiteral("OoO") << QStringLiteral("xoxxxxxxxxx");
    }
    void maskAssembly()
    {
        QFETCH(QString, given);
        QFETCH(QString, stored);
        ProductRecord record = soba();
        record.ruledLines = given;
        QCOMPARE(store::splitRecord(record.recordText()).at(21), stored);
    }

    void maskGroups()
    {
        RuledLineMask mask = RuledLineMask::fromText(u"xxxxo");
        QVERIFY(mask.isOn(RuledGroup::Expiry));
        QVERIFY(!mask.isOn(RuledGroup::Remarks));
        mask.setOn(RuledGroup::Remarks, true);
        QCOMPARE(mask.text(), QStringLiteral("xxxxoxxxxxo"));
        QVERIFY(!RuledLineMask().any());
    }

    // An unknown size must not pull the mask into the size column.
    void unknownLabelSizeKeepsColumns()
    {
        ProductRecord record = soba();
        record.labelSize = QStringLiteral("大ラベル");
        const QStringList cells = store::splitRecord(record.recordText());
        QCOMPARE(cells.at(20), QString());
        QCOMPARE(cells.at(21), QStringLiteral("ooxxxxxxxxx"));
    }

    void splitting_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("cells");
        QTest::addColumn<QString>("lastKept");
        QTest::newRow("no TAB") << QStringLiteral("0001") << 1 << QStringLiteral("0001");
        QTest::newRow("converted line, no final TAB")
            << QStringLiteral("0001") + QStringLiteral("\tv").repeated(20) + QStringLiteral("\txxxxxxxxxxx") << 22
            << QStringLiteral("xxxxxxxxxxx");
        QTest::newRow("31 cells") << QStringList(31, QStringLiteral("c")).join(u'\t')
                                  << 31 << QStringLiteral("c");
        QTest::newRow("40 cells keep 31") << QStringLiteral("0\t").repeated(39) + QStringLiteral("last") << 31
                                          << QStringLiteral("0");
    }
    void splitting()
    {
        QFETCH(QString, text);
        QFETCH(int, cells);
        QFETCH(QString, lastKept);
        const QStringList split = store::splitRecord(text);
        QCOMPARE(split.size(), cells);
        QCOMPARE(split.last(), lastKept);
    }

    void shortAndLongRecords()
    {
        QVERIFY(!ProductRecord::fromRecordText(u"0001").has_value());

        const auto shortRecord = ProductRecord::fromRecordText(u"0001\t品名:そば\t");
        QVERIFY(shortRecord.has_value());
        QCOMPARE(shortRecord->productName, QStringLiteral("品名:そば"));
        QCOMPARE(shortRecord->ruledLines, QString());

        // The mask keeps "<kanma>" as stored; the fields before it do not.
        const QString text = QStringLiteral("a<kanma>b\t").repeated(21) + QStringLiteral("<kanma>\textra\t");
        const auto longRecord = ProductRecord::fromRecordText(text);
        QCOMPARE(longRecord->labelSize, QStringLiteral("a,b"));
        QCOMPARE(longRecord->ruledLines, QStringLiteral("<kanma>"));
    }
};

QTEST_GUILESS_MAIN(TestProductRecord)
#include "tst_productrecord.moc"
