#include "screens/registration/counters.h"

#include <QTest>

using screens::Counter;
using screens::CounterField;

Q_DECLARE_METATYPE(screens::CounterField)

namespace {

const QString kPortrait = QStringLiteral("65×45(タテ)");
const QString kLandscape = QStringLiteral("65×45(ヨコ)");
const QString kSmall = QStringLiteral("28×38");

QString fullWidth(int count)
{
    return QString(count, QChar(u'あ'));
}

} // namespace

namespace QTest {
template <>
char *toString(const Counter &counter)
{
    return qstrdup(qPrintable(counter.text + u' ' + counter.colour.name()));
}
} // namespace QTest

// The counters beside the registration screen's fields: the width of a text
// against the room each label size gives it.
class TestCounters : public QObject
{
    Q_OBJECT

private slots:
    void counters_data()
    {
        QTest::addColumn<CounterField>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("size");
        QTest::addColumn<bool>("sideColumn");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("colour"); // "black", "blue", "red"

        const auto name = CounterField::ProductName;
        // "<w>" + 20 full-width characters: 43 - 3 = 40 > 20.
        QTest::newRow("wide name too long") << name << "<w>" + fullWidth(20) << kPortrait << true << "文字数超過" << "red";
        QTest::newRow("wide name at the limit") << name << "<w>" + fullWidth(10) << kPortrait << true << "(20/20) " << "black";
        QTest::newRow("bold counts 3 less") << name << "<b>品名:弁当" << kPortrait << true << "(9/31) " << "black";
        QTest::newRow("plain name runs on") << name << fullWidth(16) << kPortrait << true << "複数行表示 " << "blue";
        QTest::newRow("plain name at 31") << name << fullWidth(15) + "a" << kPortrait << true << "(31/31) " << "black";
        QTest::newRow("the memo does not count") << name << "品名:そば<m>夏季限定の特別メニュー" << kPortrait << true << "(9/31) " << "black";
        QTest::newRow("upper-case memo") << name << "品名:そば<M>夏" << kPortrait << true << "(9/31) " << "black";
        QTest::newRow("a text of three bytes is not cut") << name << "<m>" << kPortrait << true << "(3/31) " << "black";
        QTest::newRow("landscape wide") << name << "<W>" + fullWidth(12) << kLandscape << true << "(24/24) " << "black";
        QTest::newRow("landscape with the side column") << name << fullWidth(20) << kLandscape << true << "複数行表示 " << "blue";
        // Without mark and barcode the name has the whole width, and always says its count.
        QTest::newRow("landscape without: 50 of 45") << name << fullWidth(25) << kLandscape << false << "(50/45) " << "black";
        QTest::newRow("small") << name << fullWidth(19) << kSmall << false << "複数行表示 " << "blue";
        QTest::newRow("small, wide is plain") << name << "<w>" + fullWidth(17) << kSmall << false << "(34/37) " << "black";
        QTest::newRow("the category is not cut at a memo")
            << CounterField::CategoryName << "名称:そば<m>夏" << kPortrait << true << "(14/31) " << "black";

        const auto content = CounterField::NetContent;
        QTest::newRow("content runs on, no blank") << content << fullWidth(16) << kPortrait << true << "複数行表示" << "blue";
        QTest::newRow("content on the small label") << content << "内 容 量:200ｇ" << kSmall << false << "(14/37) " << "black";
        QTest::newRow("content, landscape without") << content << fullWidth(25) << kLandscape << false << "(50/45) " << "black";

        // A storage text of width 50 on the landscape label without mark and barcode.
        QTest::newRow("storage 50 on landscape") << CounterField::Storage << fullWidth(25) << kLandscape << false << "複数行表示 "
                                                 << "blue";
        QTest::newRow("spare 1 portrait") << CounterField::Spare1 << fullWidth(15) << kPortrait << true << "(30/31) " << "black";
        QTest::newRow("remarks small") << CounterField::Remarks << fullWidth(19) << kSmall << false << "複数行表示 " << "blue";
        QTest::newRow("alt text portrait") << CounterField::ExpiryAltText << fullWidth(11) << kPortrait << true << "(22/22) " << "black";
        QTest::newRow("alt text runs on") << CounterField::ExpiryAltText << fullWidth(12) << kPortrait << true << "複数行表示" << "blue";
        QTest::newRow("alt text small as landscape") << CounterField::ExpiryAltText << fullWidth(14) << kSmall << false << "(28/28) "
                                                     << "black";
        QTest::newRow("responsible has no limit") << CounterField::Responsible << fullWidth(60) << kPortrait << true << "(120) "
                                                  << "black";
        QTest::newRow("subscript") << CounterField::RecycleSub << fullWidth(6) << kSmall << false << "(12/10) " << "black";
    }
    void counters()
    {
        QFETCH(CounterField, field);
        QFETCH(QString, text);
        QFETCH(QString, size);
        QFETCH(bool, sideColumn);
        QFETCH(QString, shown);
        QFETCH(QString, colour);
        const QColor expected = colour == u"red" ? QColor(255, 0, 0) : colour == u"blue" ? QColor(0, 0, 255) : QColor(0, 0, 0);
        QCOMPARE(screens::fieldCounter(field, text, size, sideColumn), (Counter{shown, expected}));
    }

    void ingredients_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("extension");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::newRow("whole") << "原材料名:小麦" << false << "" << "(13) ";
        QTest::newRow("half-width question mark") << "原材料名:小麦?大豆" << true << "(13) " << "(4) ";
        QTest::newRow("full-width, the first splits") << "原材料名:小麦？大豆?卵" << true << "(13) " << "(7) ";
        QTest::newRow("empty") << "" << false << "" << "(0) ";
    }
    void ingredients()
    {
        QFETCH(QString, text);
        QFETCH(bool, extension);
        QFETCH(QString, first);
        QFETCH(QString, second);
        const screens::IngredientsCounters counters = screens::ingredientsCounters(text);
        QCOMPARE(counters.extension, extension);
        QCOMPARE(counters.first, first);
        QCOMPARE(counters.second, second);
    }

    void sideColumn()
    {
        QVERIFY(!screens::sideColumnInUse(QStringLiteral("なし"), QString()));
        QVERIFY(screens::sideColumnInUse(QStringLiteral("プラ"), QString()));
        QVERIFY(screens::sideColumnInUse(QStringLiteral("なし"), QStringLiteral("49")));
    }
};

QTEST_GUILESS_MAIN(TestCounters)
#include "tst_counters.moc"
