#include "engine/render/datetext.h"
#include "engine/render/expirydate.h"
#include "platform/messagesink.h"

#include <QTest>

using engine::ExpiryScreenInput;

namespace {
QDateTime at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s));
}
} // namespace

class TestDateText : public QObject
{
    Q_OBJECT

private slots:
    void patterns_data()
    {
        QTest::addColumn<QDateTime>("date");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("text");
        const QDateTime march5 = at(2024, 3, 5, 9, 7);
        QTest::newRow("full date") << march5 << "YYYY年MM月DD日" << "2024年03月05日";
        QTest::newRow("short dots") << march5 << "YY.M.D" << "24.3.5";
        QTest::newRow("minutes after hour") << march5 << "YYYY/MM/DD hh:mm" << "2024/03/05 09:07";
        QTest::newRow("minutes right after hour") << march5 << "hhmm" << "0907";
        QTest::newRow("month after hour and text") << march5 << "hh時mm月" << "09時03月";
        QTest::newRow("era") << march5 << "GGGE年M月D日" << "令和6年3月5日";
        QTest::newRow("lower case") << march5 << "yyyy/m/d" << "2024/3/5";
        QTest::newRow("weekday aaa") << march5 << "M/D(aaa)" << "3/5(火)";
        QTest::newRow("weekday dddd") << march5 << "dddd" << "火曜日";
        QTest::newRow("n minutes, s seconds") << at(2024, 3, 5, 9, 7, 4) << "h:nn:ss" << "9:07:04";
        QTest::newRow("unknown runs copied") << march5 << "yyy ggg-gg q" << "yyy 令和-gg q";
        QTest::newRow("empty at midnight") << at(2024, 3, 5) << "" << "2024/03/05";
        QTest::newRow("empty with time") << at(2024, 3, 5, 9, 7, 5) << "" << "2024/03/05 9:07:05";
        QTest::newRow("showa") << at(1985, 6, 1) << "GGGE" << "昭和60";
        QTest::newRow("last day of taisho") << at(1926, 12, 24) << "GGGE" << "大正15";
        QTest::newRow("first day of showa") << at(1926, 12, 25) << "GGGE" << "昭和1";
        QTest::newRow("last day of showa") << at(1989, 1, 7) << "GGGE" << "昭和64";
        QTest::newRow("first day of heisei") << at(1989, 1, 8) << "GGGE" << "平成1";
        QTest::newRow("last day of heisei") << at(2019, 4, 30) << "GGGE" << "平成31";
        QTest::newRow("first day of reiwa") << at(2019, 5, 1) << "GGGE" << "令和1";
        QTest::newRow("taisho") << at(1912, 7, 30) << "GGGE" << "大正1";
        QTest::newRow("meiji") << at(1900, 1, 1) << "GGGE" << "明治33";
        QTest::newRow("leap day") << at(2024, 2, 29) << "YY/MM/DD" << "24/02/29";
        QTest::newRow("no day, no weekday aaa") << QDateTime() << "aaa" << "";
        QTest::newRow("no day, no weekday dddd") << QDateTime() << "dddd" << "";
    }
    void patterns()
    {
        QFETCH(QDateTime, date);
        QFETCH(QString, pattern);
        QFETCH(QString, text);
        QCOMPARE(engine::formatDatePattern(date, pattern), text);
    }

    void expiryDates_data()
    {
        QTest::addColumn<QDateTime>("base");
        QTest::addColumn<QString>("addDays");
        QTest::addColumn<QDateTime>("expiry");
        QTest::newRow("zero") << at(2024, 3, 5, 9, 7) << "0" << at(2024, 3, 5, 9, 7);
        QTest::newRow("2.5 over new year") << at(2023, 12, 31, 10) << "2.5" << at(2024, 1, 2, 22);
        QTest::newRow("quarter day") << at(2024, 3, 5) << "0.25" << at(2024, 3, 5, 6);
        QTest::newRow("negative fraction") << at(2024, 3, 5) << "-1.5" << at(2024, 3, 3, 12);
        QTest::newRow("text after digits") << at(2024, 3, 5) << "3日" << at(2024, 3, 8);
        QTest::newRow("no number") << at(2024, 3, 5) << "abc" << at(2024, 3, 5);
        QTest::newRow("into a leap day") << at(2024, 2, 28) << "1" << at(2024, 2, 29);
        QTest::newRow("over a leap day") << at(2023, 2, 28) << "1" << at(2023, 3, 1);
        // 1/48 of a day is half an hour: to the even hour, 0.
        QTest::newRow("half hour rounds to even, down") << at(2024, 3, 5) << "0.0208333333333333" << at(2024, 3, 5);
        // 3/48 of a day is an hour and a half: to the even hour, 2.
        QTest::newRow("hour and a half rounds to even, up") << at(2024, 3, 5) << "0.0625" << at(2024, 3, 5, 2);
        QTest::newRow("beyond 9999 adds nothing") << at(9999, 12, 30) << "5" << at(9999, 12, 30);
    }
    void expiryDates()
    {
        QFETCH(QDateTime, base);
        QFETCH(QString, addDays);
        QFETCH(QDateTime, expiry);
        QCOMPARE(engine::computeExpiryDate(base, addDays), expiry);
    }

    void boldPatternIsWide()
    {
        const auto bold = engine::expiryDateText(at(2024, 3, 5), u"<b>YY/M/D");
        QCOMPARE(bold.text, QStringLiteral("２４／３／５"));
        QVERIFY(bold.bold);
        // Only the lower-case tag is a tag.
        const auto upper = engine::expiryDateText(at(2024, 3, 5), u"<B>YY/M/D");
        QCOMPARE(upper.text, QStringLiteral("<B>24/3/5"));
        QVERIFY(!upper.bold);
    }

    void wide_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("wide");
        QTest::newRow("ascii") << "A1/. :~" << "Ａ１／．\u3000：～";
        QTest::newRow("katakana with marks") << "ｶﾞｯﾂﾎﾟｳﾞｰ" << "ガッツポヴー";
        QTest::newRow("yen") << "¥398" << "￥３９８";
        QTest::newRow("wide stays") << "令和６年" << "令和６年";
    }
    void wide()
    {
        QFETCH(QString, text);
        QFETCH(QString, wide);
        QCOMPARE(engine::toWide(text), wide);
    }

    void screenText_data()
    {
        QTest::addColumn<QString>("method");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::newRow("computed") << "加算日計算での日付表示" << "消費期限:" << "消費期限:2024年03月08日";
        QTest::newRow("alt text") << "別途記載での日付表示" << "消費期限:" << "消費期限:枠外に記載";
        QTest::newRow("placement") << "表面上部に記載" << "賞味期限:" << "賞味期限:表面上部に記載";
        QTest::newRow("hidden computed") << "加算日計算での日付表示" << "表示しない:" << "表示しない";
        QTest::newRow("hidden alt text") << "別途記載での日付表示" << "表示しない:" << "表示しない:枠外に記載";
    }
    void screenText()
    {
        QFETCH(QString, method);
        QFETCH(QString, title);
        QFETCH(QString, text);
        ExpiryScreenInput input{QStringLiteral("2024"), QStringLiteral("3"), QStringLiteral("5"), QStringLiteral("9"),
                                QStringLiteral("7"), method, QStringLiteral("3"), title,
                                QStringLiteral("YYYY年MM月DD日"), QStringLiteral("枠外に記載")};
        const auto result = engine::expiryScreenText(input);
        QVERIFY(!result.invalidDate);
        QCOMPARE(result.text, text);
    }

    void screenFieldsNormalised()
    {
        ExpiryScreenInput input{QStringLiteral(" 1985"), QStringLiteral("13"), QStringLiteral("007"),
                                QStringLiteral("24"), QStringLiteral("1.5"), QStringLiteral("加算日計算での日付表示"),
                                QStringLiteral("0"), QStringLiteral("消費期限:"), QString(), QString()};
        const auto result = engine::expiryScreenText(input);
        QCOMPARE(QStringList({result.year, result.month, result.day, result.hour, result.minute}),
                 QStringList({"1990", "1", "7", "1", "1.5"}));
        QVERIFY(result.invalidDate); // a minute of 1.5 names no time
    }

    void thirtiethOfFebruaryIsInvalid()
    {
        ExpiryScreenInput input{QStringLiteral("2024"), QStringLiteral("2"), QStringLiteral("30"), QStringLiteral("0"),
                                QStringLiteral("0"), QStringLiteral("加算日計算での日付表示"), QStringLiteral("0"),
                                QStringLiteral("消費期限:"), QString(), QString()};
        QVERIFY(engine::expiryScreenText(input).invalidDate);
        platform::RecordingMessageSink messages;
        engine::reportInvalidBaseDate(messages);
        QCOMPARE(messages.shown(), QStringList{QStringLiteral("存在しない日付を指定されました")});
    }
};

QTEST_APPLESS_MAIN(TestDateText)
#include "tst_datetext.moc"
