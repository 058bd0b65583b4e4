#include "screens/registration/enlargedfields.h"
#include "screens/registration/leadingtags.h"

#include <QTest>

using screens::MarkupOption;

Q_DECLARE_METATYPE(screens::MarkupOption)
Q_DECLARE_METATYPE(std::optional<screens::MarkupOption>)

// The enlarged editor's rules: the markup a click on an option gives, the
// option shown while typing, and where a stock phrase goes.
class TestLeadingTags : public QObject
{
    Q_OBJECT

private slots:
    void options_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<MarkupOption>("option");
        QTest::addColumn<QString>("result");
        QTest::newRow("bold on an empty text") << "" << MarkupOption::Bold << "<b>";
        QTest::newRow("shorter than three: in front") << "ab" << MarkupOption::Date << "<d>ab";
        QTest::newRow("wide replaces bold") << "<b>品名:そば" << MarkupOption::Wide << "<w>品名:そば";
        QTest::newRow("none removes it") << "<w>品名:そば" << MarkupOption::None << "品名:そば";
        QTest::newRow("bold goes in front of the memo") << "<m>夏" << MarkupOption::Bold << "<b><m>夏";
        QTest::newRow("upper-case memo too") << "<M>夏" << MarkupOption::Date << "<d><M>夏";
        QTest::newRow("any leading tag is replaced") << "<x>abc" << MarkupOption::Bold << "<b>abc";
        QTest::newRow("no tag: in front") << "品名:そば" << MarkupOption::Date << "<d>品名:そば";
        QTest::newRow("none without a tag") << "品名:そば" << MarkupOption::None << "品名:そば";
        QTest::newRow("none leaves the memo") << "<m>夏" << MarkupOption::None << "<m>夏";
    }
    void options()
    {
        QFETCH(QString, text);
        QFETCH(MarkupOption, option);
        QFETCH(QString, result);
        QCOMPARE(screens::withOption(text, option), result);
    }

    void opening_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("checks");
        QTest::addColumn<MarkupOption>("option");
        QTest::newRow("<b>") << "<b>品名:弁当" << true << MarkupOption::Bold;
        QTest::newRow("<d>") << "<d>YYYY" << true << MarkupOption::Date;
        QTest::newRow("<w>") << "<w>名称:牛乳" << true << MarkupOption::Wide;
        QTest::newRow("upper case is not looked at") << "<B>品名" << true << MarkupOption::None;
        QTest::newRow("the responsible field") << "<b>製造者" << false << MarkupOption::None;
        QTest::newRow("plain") << "品名:弁当" << true << MarkupOption::None;
    }
    void opening()
    {
        QFETCH(QString, text);
        QFETCH(bool, checks);
        QFETCH(MarkupOption, option);
        QCOMPARE(screens::openingOption(text, checks), option);
    }

    void typing_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("dateOffered");
        QTest::addColumn<std::optional<MarkupOption>>("shown");
        const auto shown = [](MarkupOption option) { return std::optional<MarkupOption>(option); };
        QTest::newRow("typing the > of <b>") << "<b" << ">" << true << shown(MarkupOption::Bold);
        QTest::newRow("upper-case <D>") << "<D" << ">" << true << shown(MarkupOption::Date);
        QTest::newRow("<d> where the date is not offered") << "<d" << ">" << false << shown(MarkupOption::None);
        QTest::newRow("a text that already begins with <w>") << "<w>abc" << "d" << true << shown(MarkupOption::Wide);
        QTest::newRow("anything else") << "品名" << "a" << true << shown(MarkupOption::None);
        QTest::newRow("a single character says nothing") << "<" << "b" << true << std::optional<MarkupOption>();
    }
    void typing()
    {
        QFETCH(QString, before);
        QFETCH(QString, typed);
        QFETCH(bool, dateOffered);
        QFETCH(std::optional<MarkupOption>, shown);
        QCOMPARE(screens::optionWhileTyping(before, typed, {dateOffered, true, true}), shown);
    }

    void phrases_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("result");
        QTest::addColumn<int>("cursor");
        const QString phrase = QStringLiteral(" 要冷蔵");
        QTest::newRow("at the end") << "保存方法:" << 5 << 0 << "保存方法: 要冷蔵" << 9;
        QTest::newRow("in the middle") << "保存方法:常温" << 5 << 0 << "保存方法: 要冷蔵常温" << 9;
        QTest::newRow("over a selection") << "保存方法:常温で" << 5 << 2 << "保存方法: 要冷蔵で" << 9;
        QTest::newRow("at the start: in front, the selection kept") << "常温" << 0 << 2 << " 要冷蔵常温" << 4;
    }
    void phrases()
    {
        QFETCH(QString, text);
        QFETCH(int, start);
        QFETCH(int, length);
        QFETCH(QString, result);
        QFETCH(int, cursor);
        const screens::Insertion inserted = screens::insertPhrase(text, start, length, QStringLiteral(" 要冷蔵"));
        QCOMPARE(inserted.text, result);
        QCOMPARE(inserted.cursor, cursor);
    }

    void captions()
    {
        QCOMPARE(screens::phraseCaption(QStringLiteral("高温・多湿・直射日光を避け、常温にて保存して下さい")),
                 QStringLiteral("｢高温・多湿・直射日光｣を左枠へ表示"));
        QCOMPARE(screens::phraseCaption(QStringLiteral("採 取　海域：東シナ海")), QStringLiteral("｢採取海域：東シナ海｣を左枠へ表示"));
        QCOMPARE(screens::phraseCaption(QString()), QStringLiteral("未設定"));
    }

    // The help lines as the table gives them, the full-width blanks kept.
    void fieldTable()
    {
        const screens::EnlargedField &name = screens::enlargedField(screens::EditorField::ProductName);
        QCOMPARE(name.title, QStringLiteral("品名の登録"));
        QVERIFY(!name.date && name.bold && name.wide);
        QCOMPARE(name.help.size(), 5);
        QVERIFY(name.help.last().startsWith(u'　'));
        QCOMPARE(screens::enlargedField(screens::EditorField::Spare2).help.at(4),
                 QStringLiteral("　【例】「凍結前加熱の有無：」「加熱調理の必要性：」など。"));
        const screens::EnlargedField &remarks = screens::enlargedField(screens::EditorField::Remarks);
        QCOMPARE(remarks.title, QStringLiteral("備考/価格の登録"));
        QVERIFY(remarks.date && remarks.bold && !remarks.wide);
        QVERIFY(!screens::enlargedField(screens::EditorField::Responsible).checksLeadingTag);
        const screens::EnlargedField &ingredients = screens::enlargedField(screens::EditorField::Ingredients);
        QVERIFY(!ingredients.date && !ingredients.bold && !ingredients.wide);
        QCOMPARE(ingredients.helpText().count(u'\n'), 3);
    }
};

QTEST_GUILESS_MAIN(TestLeadingTags)
#include "tst_leadingtags.moc"
