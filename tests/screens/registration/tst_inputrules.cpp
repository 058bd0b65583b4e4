#include "screens/registration/checkdigits.h"
#include "screens/registration/fieldrules.h"
#include "screens/registration/instorecode.h"

#include <QTest>

using screens::EraseKey;

Q_DECLARE_METATYPE(screens::EraseKey)

// The window-free rules of the registration screen and its in-store code
// calculator.
class TestInputRules : public QObject
{
    Q_OBJECT

private slots:
    void barcodeChecks_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<QString>("line1");
        QTest::addColumn<QString>("line2");
        QTest::newRow("12 digits get the 13th") << "490123456789" << "4901234567894" << "バーコードの13桁目のチェック"
                                                << "ディジットを自動計算しました";
        QTest::newRow("7 digits get the 8th") << "9638507" << "96385074" << "バーコードの 8桁目のチェック"
                                              << "ディジットを自動計算しました";
        QTest::newRow("a wrong 13th digit is pointed out") << "4901234567890" << "4901234567890"
                                                           << "13桁目のﾁｪｯｸﾃﾞｨｼﾞｯﾄが異常です" << "この場合「4」かと思われます";
        QTest::newRow("a right 13th digit") << "4901234567894" << "4901234567894" << "" << "";
        QTest::newRow("check 10 is written 0") << "000000000000" << "0000000000000" << "バーコードの13桁目のチェック"
                                               << "ディジットを自動計算しました";
        QTest::newRow("8 digits are not checked") << "49123450" << "49123450" << "" << "";
        QTest::newRow("other lengths") << "12345" << "12345" << "" << "";
        QTest::newRow("empty") << "" << "" << "" << "";
    }
    void barcodeChecks()
    {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        QFETCH(QString, line1);
        QFETCH(QString, line2);
        const screens::BarcodeCheck check = screens::checkBarcode(typed);
        QCOMPARE(check.barcode, kept);
        QCOMPARE(check.notice.has_value(), !line1.isEmpty());
        if (check.notice) {
            QCOMPARE(check.notice->line1, line1);
            QCOMPARE(check.notice->line2, line2);
            QVERIFY(!check.notice->leftVisible);
            QCOMPARE(check.notice->rightCaption, QStringLiteral("了解"));
        }
    }

    void numbers_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("0 is 1") << "0" << "0001";
        QTest::newRow("empty is 1") << "" << "0001";
        QTest::newRow("12") << "12" << "0012";
        QTest::newRow("12345 is 9999") << "12345" << "9999";
        QTest::newRow("leading zeros") << "00042" << "0042";
    }
    void numbers()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QCOMPARE(screens::normalisedNumber(typed), shown);
    }

    void addDays_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("empty") << "" << "0";
        QTest::newRow("007") << "007" << "7";
        QTest::newRow("1.50") << "1.50" << "1.5";
        QTest::newRow("99999") << "99999" << "99999";
        QTest::newRow(".5") << ".5" << "0.5";
    }
    void addDays()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QCOMPARE(screens::plainAddDays(typed), shown);
    }

    void ingredientsTidyUp()
    {
        QCOMPARE(screens::tidyIngredients(QStringLiteral("原材料名:小麦、卵（国産），\r\n大豆）")),
                 QStringLiteral("原材料名:小麦､卵(国産),大豆)"));
    }

    void separators_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<int>("selectionStart");
        QTest::addColumn<int>("selectionLength");
        QTest::addColumn<EraseKey>("key");
        QTest::addColumn<bool>("asks");
        const QString name = QStringLiteral("品名:そば");
        QTest::newRow("Backspace behind the colon") << name << 3 << 0 << 0 << EraseKey::Backspace << true;
        QTest::newRow("Backspace after the name") << name << 5 << 0 << 0 << EraseKey::Backspace << false;
        QTest::newRow("Delete before the colon") << name << 2 << 0 << 0 << EraseKey::Delete << true;
        QTest::newRow("Delete behind it") << name << 3 << 0 << 0 << EraseKey::Delete << false;
        QTest::newRow("a selection holding it") << name << 5 << 1 << 3 << EraseKey::Delete << true;
        QTest::newRow("a selection without it") << name << 5 << 3 << 2 << EraseKey::Backspace << false;
        QTest::newRow("full-width colon") << QStringLiteral("品名：そば") << 3 << 0 << 0 << EraseKey::Backspace << true;
        QTest::newRow("Backspace at the start") << name << 0 << 0 << 0 << EraseKey::Backspace << false;
        QTest::newRow("Delete at the end") << name << 5 << 0 << 0 << EraseKey::Delete << false;
    }
    void separators()
    {
        QFETCH(QString, text);
        QFETCH(int, cursor);
        QFETCH(int, selectionStart);
        QFETCH(int, selectionLength);
        QFETCH(EraseKey, key);
        QFETCH(bool, asks);
        QCOMPARE(screens::erasesSeparator(text, cursor, selectionStart, selectionLength, key), asks);
    }

    void captions()
    {
        QVERIFY(screens::endsWithCaption(QStringLiteral("品名:")));
        QVERIFY(screens::endsWithCaption(QStringLiteral("保存方法：")));
        QVERIFY(!screens::endsWithCaption(QStringLiteral("品名:そば")));
        QVERIFY(!screens::endsWithCaption(QString()));
    }

    void instoreCodes_data()
    {
        QTest::addColumn<QString>("header");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("price");
        QTest::addColumn<int>("priceCheck");
        QTest::addColumn<QString>("code");
        QTest::newRow("02/12345/0198") << "02" << "12345" << "0198" << 5 << "0212345501986";
        QTest::newRow("price 0000") << "02" << "12345" << "0000" << 0 << "0212345000007";
    }
    void instoreCodes()
    {
        QFETCH(QString, header);
        QFETCH(QString, item);
        QFETCH(QString, price);
        QFETCH(int, priceCheck);
        QFETCH(QString, code);
        QCOMPARE(screens::priceCheckDigit(price), priceCheck);
        QCOMPARE(screens::instoreCode(header, item, price), code);
    }

    // The weights 2-, 3 and 5- for every digit, one place at a time.
    void priceWeights()
    {
        const int twoMinus[] = {0, 2, 4, 6, 8, 9, 1, 3, 5, 7};
        const int fiveMinus[] = {0, 5, 9, 4, 8, 3, 7, 2, 6, 1};
        for (int p = 0; p <= 9; ++p) {
            const QString d = QString::number(p);
            QCOMPARE(screens::priceCheckDigit(d + QStringLiteral("000")), (3 * twoMinus[p]) % 10);
            QCOMPARE(screens::priceCheckDigit(QStringLiteral("0") + d + QStringLiteral("00")), (3 * twoMinus[p]) % 10);
            QCOMPARE(screens::priceCheckDigit(QStringLiteral("00") + d + QStringLiteral("0")), (3 * ((3 * p) % 10)) % 10);
            QCOMPARE(screens::priceCheckDigit(QStringLiteral("000") + d), (3 * fiveMinus[p]) % 10);
        }
    }

    void instoreFields_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<QString>("colour");
        QTest::addColumn<QString>("counter");
        QTest::newRow("three of five") << "123" << 5 << "123" << "black" << "(3/5桁) ";
        QTest::newRow("a sixth digit is cut") << "123456" << 5 << "12345" << "blue" << "(5/5桁) ";
        QTest::newRow("a full-width digit counts 2") << "１" << 2 << "１" << "blue" << "(2/2桁) ";
        QTest::newRow("two full-width digits stay over") << "１２" << 2 << "１２" << "red" << "(2/2桁) ";
        QTest::newRow("empty") << "" << 4 << "" << "black" << "(0/4桁) ";
    }
    void instoreFields()
    {
        QFETCH(QString, typed);
        QFETCH(int, width);
        QFETCH(QString, kept);
        QFETCH(QString, colour);
        QFETCH(QString, counter);
        const screens::InstoreField field = screens::instoreField(typed, width);
        QCOMPARE(field.text, kept);
        QCOMPARE(field.colour, colour == u"red" ? QColor(255, 0, 0) : colour == u"blue" ? QColor(0, 0, 255) : QColor(0, 0, 0));
        QCOMPARE(field.counter, counter);
    }

    void instorePadding_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("padded");
        QTest::newRow("7 is 07") << "7" << 2 << "07";
        QTest::newRow("empty") << "" << 5 << "00000";
        QTest::newRow("not a number") << "ab" << 4 << "0000";
        QTest::newRow("a full-width digit is no number") << "１" << 2 << "00";
        QTest::newRow("the last digits") << "123456" << 4 << "3456";
    }
    void instorePadding()
    {
        QFETCH(QString, typed);
        QFETCH(int, width);
        QFETCH(QString, padded);
        QCOMPARE(screens::paddedInstoreField(typed, width), padded);
    }
};

QTEST_GUILESS_MAIN(TestInputRules)
#include "tst_inputrules.moc"
