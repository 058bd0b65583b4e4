#include "screens/issuing/changemarks.h"
#include "screens/issuing/fieldcleaning.h"
#include "screens/issuing/lookupnumber.h"
#include "screens/issuing/productsearch.h"
#include "screens/issuing/rangecorrection.h"
#include "store/cp932.h"
#include "tests/support/sampleproduct.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

using namespace screens;

Q_DECLARE_METATYPE(screens::DatePart)
Q_DECLARE_METATYPE(screens::EditableBox)

namespace {

const QDateTime kNow(QDate(2024, 3, 5), QTime(9, 7, 5));

} // namespace

// The issuing screen's rules that need no window: the number a lookup
// writes, the corrections of the boxes it leaves, the red marks, the search
// entries and what a box keeps of what is typed.
class TestIssuingRules : public QObject
{
    Q_OBJECT

private slots:
    void lookupNumber_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");
        QTest::newRow("12") << "12" << "0012";
        QTest::newRow("already four digits") << "0012" << "0012";
        QTest::newRow("99999 is at most 9999") << "99999" << "9999";
        QTest::newRow("0") << "0" << "0000";
        QTest::newRow("abc") << "abc" << "0000";
        QTest::newRow("empty") << "" << "0000";
        QTest::newRow("leading blank") << " 7" << "0007";
        QTest::newRow("digits then text") << "3番" << "0003";
        QTest::newRow("12.5 rounds to even") << "12.5" << "0012";
        QTest::newRow("13.5 rounds to even") << "13.5" << "0014";
        QTest::newRow("-5 without its sign") << "-5" << "0005";
        QTest::newRow("-12345: the last four digits") << "-12345" << "2345";
        QTest::newRow("-0.4 is 0") << "-0.4" << "0000";
    }
    void lookupNumber()
    {
        QFETCH(QString, typed);
        QFETCH(QString, written);
        QCOMPARE(lookupNumberText(typed), written);
        QCOMPARE(isNoNumber(written), written == u"0000");
    }

    void datePartCorrection_data()
    {
        QTest::addColumn<DatePart>("part");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("year 1989") << DatePart::Year << "1989" << "2024";
        QTest::newRow("year 1990") << DatePart::Year << "1990" << "1990";
        QTest::newRow("year 2300") << DatePart::Year << "2300" << "2300";
        QTest::newRow("year 2301") << DatePart::Year << "2301" << "2024";
        QTest::newRow("year empty") << DatePart::Year << "" << "2024";
        QTest::newRow("month 0") << DatePart::Month << "0" << "3";
        QTest::newRow("month 12") << DatePart::Month << "12" << "12";
        QTest::newRow("month 13") << DatePart::Month << "13" << "3";
        QTest::newRow("day 31") << DatePart::Day << "31" << "31";
        QTest::newRow("day 32") << DatePart::Day << "32" << "5";
        QTest::newRow("hour 0") << DatePart::Hour << "00" << "00";
        QTest::newRow("hour 24") << DatePart::Hour << "24" << "9";
        QTest::newRow("minute 59") << DatePart::Minute << "59" << "59";
        QTest::newRow("minute 60") << DatePart::Minute << "60" << "7";
    }
    void datePartCorrection()
    {
        QFETCH(DatePart, part);
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        QCOMPARE(correctedDatePart(part, typed, kNow), kept);
    }

    void addDaysCorrection_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("below 0") << "-1" << "0";
        QTest::newRow("9999") << "9999" << "9999";
        QTest::newRow("above 9999") << "9999.5" << "0";
        QTest::newRow("a fraction stays") << "1.5" << "1.5";
        QTest::newRow("no number stays") << "abc" << "abc";
    }
    void addDaysCorrection()
    {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        QCOMPARE(correctedAddDays(typed), kept);
    }

    void editedBoxes_data()
    {
        QTest::addColumn<EditableBox>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<bool>("red");
        QTest::newRow("name as stored") << EditableBox::ProductName << "品名:幕の内弁当" << true << false;
        QTest::newRow("name changed") << EditableBox::ProductName << "品名:幕の内" << true << true;
        QTest::newRow("category changed") << EditableBox::CategoryName << "名称:弁当類" << true << true;
        QTest::newRow("content with its unit") << EditableBox::NetContent << "内容量:1個" << true << false;
        QTest::newRow("content without its unit") << EditableBox::NetContent << "内容量:1" << true << true;
        QTest::newRow("add-days as stored") << EditableBox::AddDays << "1" << true << false;
        QTest::newRow("add-days changed") << EditableBox::AddDays << "2" << true << true;
        QTest::newRow("no product shown") << EditableBox::ProductName << "品名:何か" << false << false;
    }
    void editedBoxes()
    {
        QFETCH(EditableBox, box);
        QFETCH(QString, text);
        QFETCH(bool, shown);
        QFETCH(bool, red);
        const std::optional<store::ProductRecord> product =
            shown ? std::optional(testsupport::sampleProduct()) : std::nullopt;
        QCOMPARE(differsFromStored(box, text, product), red);
        QCOMPARE(markColour(red), red ? QColor(255, 0, 0) : QColor(0, 0, 0));
    }

    void datePartsAgainstNow_data()
    {
        QTest::addColumn<DatePart>("part");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("red");
        QTest::newRow("this year") << DatePart::Year << "2024" << false;
        QTest::newRow("last year") << DatePart::Year << "2023" << true;
        QTest::newRow("month by value") << DatePart::Month << "03" << false;
        QTest::newRow("another day") << DatePart::Day << "6" << true;
        QTest::newRow("this hour") << DatePart::Hour << "9" << false;
        QTest::newRow("an empty minute is 0") << DatePart::Minute << "" << true;
    }
    void datePartsAgainstNow()
    {
        QFETCH(DatePart, part);
        QFETCH(QString, text);
        QFETCH(bool, red);
        QCOMPARE(differsFromNow(part, text, kNow), red);
    }

    void labelSizeColours_data()
    {
        QTest::addColumn<QString>("size");
        QTest::addColumn<QColor>("text");
        QTest::addColumn<QColor>("base");
        QTest::newRow("28×38") << "28×38" << QColor(51, 51, 0) << QColor(255, 255, 136);
        QTest::newRow("portrait") << "65×45(タテ)" << QColor(0, 0, 153) << QColor(192, 192, 255);
        QTest::newRow("landscape") << "65×45(ヨコ)" << QColor(0, 0, 153) << QColor(192, 192, 255);
        QTest::newRow("none") << "" << QColor(0, 0, 153) << QColor(192, 192, 255);
    }
    void labelSizeColours()
    {
        QFETCH(QString, size);
        QFETCH(QColor, text);
        QFETCH(QColor, base);
        QCOMPARE(screens::labelSizeColours(size).text, text);
        QCOMPARE(screens::labelSizeColours(size).base, base);
    }

    void searchEntries_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("entry");
        QTest::newRow("caption kept") << "0001\t品名:幕の内弁当\t名称:弁当\t" << "0001:品名:幕の内弁当";
        QTest::newRow("memo kept") << "0002\t品名:鮭おにぎり<m>朝の便\t名称:おにぎり\t" << "0002:品名:鮭おにぎり<m>朝の便";
        QTest::newRow("commas read back") << "0003\t品名:焼きそば<kanma> 大盛\t\t" << "0003:品名:焼きそば, 大盛";
        QTest::newRow("a single TAB") << "0004\t品名:豚汁" << "0004:品名:豚汁";
    }
    void searchEntries()
    {
        QFETCH(QString, line);
        QFETCH(QString, entry);
        QCOMPARE(searchEntry(line), entry);
    }

    void keywordMatches_data()
    {
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<bool>("matches");
        QTest::newRow("the name") << "弁当" << true;
        QTest::newRow("the number") << "0001" << true;
        QTest::newRow("a later cell") << "鮭" << true;
        QTest::newRow("empty matches all") << "" << true;
        QTest::newRow("elsewhere") << "カレー" << false;
        QTest::newRow("letters by case") << "abc" << false;
        QTest::newRow("a comma") << "," << true;
        QTest::newRow("a full-width comma") << "，" << true;
        QTest::newRow("not the comma's escape") << "kanma" << false;
    }
    void keywordMatches()
    {
        QFETCH(QString, keyword);
        QFETCH(bool, matches);
        const QString line = QStringLiteral("0001\t品名:幕の内弁当<kanma> 大\t名称:弁当\t原材料名:ご飯、鮭\tABC\t");
        QCOMPARE(matchesKeyword(line, keyword), matches);
    }

    // The header is no product, even where it holds the keyword, and lines
    // without a TAB are none either.
    void searchReadsRecordsOnly()
    {
        QTemporaryDir dir;
        const store::ProductFile products(store::productFilePaths(dir.path()));
        SearchResult found = searchProducts(products, QStringLiteral("品名"));
        QVERIFY(found.ok);
        QVERIFY(found.entries.isEmpty()); // no file yet: no products

        QFile file(products.paths().product);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(store::toCp932(store::productFileHeader()) + "\r\n");
        file.write(store::toCp932(testsupport::sampleProduct(QStringLiteral("0001")).recordText()) + "\r\n");
        file.write("\r\n");
        file.write(store::toCp932(QStringLiteral("品名のない行")) + "\r\n");
        file.write(store::toCp932(testsupport::sampleProduct(QStringLiteral("0005"), QStringLiteral("品名:豚汁")).recordText()));
        file.close();
        found = searchProducts(products, QStringLiteral("品名"));
        QVERIFY(found.ok);
        QCOMPARE(found.entries, (QStringList{QStringLiteral("0001:品名:幕の内弁当"), QStringLiteral("0005:品名:豚汁")}));
        QCOMPARE(searchProducts(products, QStringLiteral("豚汁")).entries, QStringList{QStringLiteral("0005:品名:豚汁")});
    }

    // However a character is stored, and whichever way the search narrows
    // the lines it decodes, a product holding the keyword is found.
    void searchFindsEveryStoredForm_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<QString>("entry");
        QTest::newRow("kana") << store::toCp932(u"ざるそば") << "そば" << "0007:ざるそば";
        QTest::newRow("half-width katakana") << store::toCp932(u"ｻﾞﾙｿﾊﾞ") << "ｿﾊﾞ" << "0007:ｻﾞﾙｿﾊﾞ";
        QTest::newRow("ASCII") << QByteArray("Soba 2") << "a 2" << "0007:Soba 2";
        QTest::newRow("roman one, NEC row") << QByteArray("\x87\x54") << "Ⅰ" << "0007:Ⅰ";
        QTest::newRow("roman one, IBM row") << QByteArray("\xFA\x4A") << "Ⅰ" << "0007:Ⅰ";
        QTest::newRow("two twins, NEC and IBM rows") << QByteArray("\x87\x54\xFA\x58") << "Ⅰ㈱" << "0007:Ⅰ㈱";
        QTest::newRow("yen from 0x5C") << QByteArray("\\1234") << "¥1234" << "0007:¥1234";
        QTest::newRow("a broken byte") << QByteArray("\x88 A") << "〓 A" << "0007:〓 A";
        QTest::newRow("a comma") << QByteArray("A<kanma>B") << "A,B" << "0007:A,B";
        QTest::newRow("a bare comma") << QByteArray("A,B") << "A,B" << "0007:A,B";
        QTest::newRow("a comma among escape letters") << QByteArray("A<kanma>n") << ",n" << "0007:A,n";
        QTest::newRow("the second byte of ア is no A") << store::toCp932(u"ア") << "A" << "";
        QTest::newRow("nor is the escape text") << QByteArray("A<kanma>B") << "kanma" << "";
        QTest::newRow("nor its letters with others") << QByteArray("A<kanma>B") << "a>B" << "";
        QTest::newRow("beside a comma") << QByteArray("A<kanma>B") << "B" << "0007:A,B";
        QTest::newRow("a comma elsewhere") << store::toCp932(u"鮭<kanma>焼売") << "焼売" << "0007:鮭,焼売";
    }
    void searchFindsEveryStoredForm()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QString, keyword);
        QFETCH(QString, entry);
        QTemporaryDir dir;
        const store::ProductFile products(store::productFilePaths(dir.path()));
        QFile file(products.paths().product);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(store::toCp932(store::productFileHeader()) + "\r\n");
        file.write(store::toCp932(testsupport::sampleProduct(QStringLiteral("0001")).recordText()) + "\r\n");
        file.write("0007\t" + stored + "\t\r\n");
        file.close();
        QCOMPARE(searchProducts(products, keyword).entries, entry.isEmpty() ? QStringList() : QStringList{entry});
    }

    // The search skips a line only when it holds none of the bytes that
    // read as the keyword: checked against every character code page 932
    // holds, one byte or two.
    void narrowingKnowsEveryStoredForm()
    {
        const QList<QByteArray> codes = store::everyCp932Code();
        const QStringList read = store::fromCp932(codes.join('\n')).split(u'\n');
        QCOMPARE(read.size(), codes.size());
        QHash<QString, QList<QByteArray>> sources;
        for (qsizetype i = 0; i < codes.size(); ++i)
            sources[read.at(i)].append(codes.at(i));
        int twins = 0;
        for (auto it = sources.cbegin(); it != sources.cend(); ++it) {
            const std::optional<QList<QByteArray>> forms = storedForms(it.key());
            if (it.key() == u"〓") { // a broken byte reads so too
                QVERIFY(!forms);
                continue;
            }
            QVERIFY2(forms, qPrintable(it.key()));
            QList<QByteArray> expected = it.value();
            QList<QByteArray> got = *forms;
            std::sort(expected.begin(), expected.end());
            std::sort(got.begin(), got.end());
            QCOMPARE(got, expected);
            twins += got.size() > 1;
        }
        QVERIFY2(sources.size() > 7000, qPrintable(QString::number(sources.size())));
        QVERIFY(twins > 300); // the NEC-selected IBM rows repeat the IBM extension

        const auto formsOf = [](const char16_t *keyword) { return storedForms(QString::fromUtf16(keyword)); };
        QCOMPARE(formsOf(u"¥398"), QList<QByteArray>{"\\398"});
        QCOMPARE(formsOf(u"カレー"), QList<QByteArray>{store::toCp932(u"カレー")});
        QCOMPARE(formsOf(u"㈱A")->size(), formsOf(u"㈱")->size());
        QCOMPARE(formsOf(u"Ⅰ㈱")->size(), formsOf(u"Ⅰ")->size() * formsOf(u"㈱")->size());
        QCOMPARE(formsOf(u"A,B"), QList<QByteArray>{"A,B"});
        for (const char16_t *unsure : {u"", u"\\", u"〓 A", u"\t", u"ⅠⅡⅢⅣⅤ"})
            QVERIFY2(!formsOf(unsure), qPrintable(QString::fromUtf16(unsure)));
    }

    void unreadableProductFileIsSaid()
    {
        QTemporaryDir dir;
        const store::ProductFile products(store::productFilePaths(dir.path()));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("商品情報.tsv"))); // there, and no file to read
        const SearchResult found = searchProducts(products, QString());
        QVERIFY(!found.ok);
        QVERIFY(found.message.startsWith(QStringLiteral("商品情報の読み込みに失敗しました\r")));
    }

    void boxCleaning_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("number");
        QTest::addColumn<QString>("kept");
        QTest::newRow("control characters") << "品\t名\r\n" << false << "品名";
        QTest::newRow("outside code page 932") << QString::fromUtf8("\xF0\xA0\xAE\xB7野家") << false << "〓野家";
        QTest::newRow("full-width digits stay in text") << "１２個" << false << "１２個";
        QTest::newRow("full-width digits in a number") << "１２" << true << "12";
        QTest::newRow("copies with their unit") << "２枚" << true << "2枚";
        QTest::newRow("a pasted line break") << "1\n2" << true << "12";
    }
    void boxCleaning()
    {
        QFETCH(QString, typed);
        QFETCH(bool, number);
        QFETCH(QString, kept);
        QCOMPARE(number ? cleanedNumberBoxText(typed) : cleanedBoxText(typed), kept);
    }
};

QTEST_MAIN(TestIssuingRules)
#include "tst_issuingrules.moc"
