#include "screens/registration/kakudaiinput.h"
#include "screens/registration/mojiretsuwrite.h"
#include "store/cp932.h"
#include "store/phrasebook.h"
#include "tests/screens/registration/registrationfixture.h"
#include "tests/support/modalanswer.h"
#include "tests/support/typing.h"

#include <QDir>
#include <QRadioButton>

using screens::Kakudai_Input;
using screens::Mojiretsu_Write;

namespace {

QPushButton *button(QWidget *window, const QString &name)
{
    return window->findChild<QPushButton *>(name);
}

QRadioButton *option(QWidget *window, const char *name)
{
    return window->findChild<QRadioButton *>(QLatin1String(name));
}

QPlainTextEdit *editorText(QWidget *window)
{
    return window->findChild<QPlainTextEdit *>(QStringLiteral("Text1"));
}

void doubleClick(QWidget *screen, const char *name)
{
    QWidget *field = control<QWidget>(screen, name);
    if (auto *lines = qobject_cast<QPlainTextEdit *>(field))
        field = lines->viewport();
    QTest::mouseDClick(field, Qt::LeftButton);
}

QList<QByteArray> phraseLines(const QString &workDir)
{
    QFile file(QDir(workDir).filePath(QStringLiteral("文字列情報.tsv")));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll().split('\n');
}

} // namespace

Q_DECLARE_METATYPE(screens::EditorField)

// The enlarged editor and the phrase registration screen, as the
// registration screen opens them.
class TestEnlargedEditor : public QObject
{
    Q_OBJECT

private slots:
    // A double click on a field opens the editor with the field's title,
    // text, help and options.
    void opensForTheField_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("checked");
        QTest::addColumn<QString>("offered"); // Option2, Option3, Option4 as "y"/"n"
        QTest::newRow("product name in bold") << "Text2" << "<b>品名:弁当" << "品名の登録" << "Option3" << "nyy";
        QTest::newRow("ingredients offer nothing") << "Text4" << "原材料名:小麦" << "原材料名の登録" << "Option5" << "nnn";
        QTest::newRow("responsible is not looked at") << "Text8" << "<b>製造者:さくら" << "責任者表記の登録" << "Option5" << "nnn";
        QTest::newRow("remarks with a date") << "Text11" << "<d>YYYY/MM/DD" << "備考/価格の登録" << "Option2" << "yyn";
        QTest::newRow("spare 1") << "Text15" << "" << "予備欄１の登録" << "Option5" << "yyy";
    }
    void opensForTheField()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, title);
        QFETCH(QString, checked);
        QFETCH(QString, offered);
        RegistrationFixture f;
        const auto screen = f.open();
        QWidget *box = control<QWidget>(screen.get(), qPrintable(field));
        if (auto *line = qobject_cast<QLineEdit *>(box))
            line->setText(text);
        else
            qobject_cast<QPlainTextEdit *>(box)->setPlainText(text);
        QStringList seen;
        testsupport::answerNextModal<Kakudai_Input>([&](Kakudai_Input *editor) {
            seen = {editor->windowTitle(), editor->findChild<QLabel *>(QStringLiteral("Label1"))->text(), editorText(editor)->toPlainText()};
            QString state;
            for (const char *name : {"Option2", "Option3", "Option4"})
                state += option(editor, name)->isEnabled() ? u'y' : u'n';
            seen << state;
            for (const char *name : {"Option5", "Option2", "Option3", "Option4"}) {
                if (option(editor, name)->isChecked())
                    seen << QLatin1String(name);
            }
            // A disabled option's note is greyed with it.
            seen << (editor->findChild<QLabel *>(QStringLiteral("Label6"))->isEnabled() ? QStringLiteral("y") : QStringLiteral("n"));
            QCOMPARE(editorText(editor)->accessibleName(), title);
            QVERIFY(editor->isModal());
            editor->close();
        });
        doubleClick(screen.get(), qPrintable(field));
        QCOMPARE(seen, (QStringList{title, title, text, offered, checked, QString(offered.at(1))}));
    }

    void helpLines()
    {
        platform::RecordingMessageSink messages;
        QTemporaryDir dir;
        Kakudai_Input editor(screens::EditorField::Spare3, QString(), dir.path(), messages);
        QCOMPARE(editor.findChild<QLabel *>(QStringLiteral("Label3"))->text(),
                 QStringLiteral("■予備欄３の入力について■\n・複数行での表示が行えます。\n・文頭に<d>や<b>を入れる事で、特殊表現が可能です\n"
                                "・タイトルがない項目となりますので、必要な場合はタイトルをご記入下さい。\n"
                                "　【例】「凍結前加熱の有無：」「加熱調理の必要性：」など。"));
        QCOMPARE(editor.findChild<QLabel *>(QStringLiteral("Label3"))->accessibleDescription(), QStringLiteral("入力についての説明"));
        // The notes name the tags; they are shown as written, not as markup.
        for (const char *note : {"Label5", "Label6", "Label7"})
            QCOMPARE(editor.findChild<QLabel *>(QLatin1String(note))->textFormat(), Qt::PlainText);
    }

    void optionsChangeTheLeadingTag()
    {
        platform::RecordingMessageSink messages;
        QTemporaryDir dir;
        Kakudai_Input editor(screens::EditorField::ProductName, QStringLiteral("<b>品名:弁当"), dir.path(), messages);
        editor.show();
        QVERIFY(QTest::qWaitForWindowActive(&editor));
        QTest::mouseClick(option(&editor, "Option4"), Qt::LeftButton);
        QCOMPARE(editor.text(), QStringLiteral("<w>品名:弁当"));
        QTest::mouseClick(option(&editor, "Option5"), Qt::LeftButton);
        QCOMPARE(editor.text(), QStringLiteral("品名:弁当"));
        // Typing a tag shows its option without changing the text.
        editorText(&editor)->clear();
        testsupport::typeText(editorText(&editor), QStringLiteral("<b>"));
        QVERIFY(option(&editor, "Option3")->isChecked());
        QCOMPARE(editor.text(), QStringLiteral("<b>"));
        // Enter never makes a line break.
        QTest::keyClick(editorText(&editor), Qt::Key_Return);
        QCOMPARE(editor.text(), QStringLiteral("<b>"));
        QVERIFY(editor.isVisible());
    }

    // Without the phrase file the buttons keep "未使用"; with it, each shows
    // its phrase or "未設定".
    void phraseButtons()
    {
        platform::RecordingMessageSink messages;
        QTemporaryDir dir;
        {
            Kakudai_Input editor(screens::EditorField::Storage, QString(), dir.path(), messages);
            editor.show();
            QVERIFY(QTest::qWaitForWindowActive(&editor));
            QCOMPARE(button(&editor, QStringLiteral("Command4(0)"))->text(), QStringLiteral("未使用"));
        }
        QVERIFY(store::createDefaultPhraseBook(dir.path()).message.isEmpty());
        Kakudai_Input editor(screens::EditorField::Spare3, QString(), dir.path(), messages);
        editor.show();
        QVERIFY(QTest::qWaitForWindowActive(&editor));
        QCOMPARE(button(&editor, QStringLiteral("Command4(0)"))->text(), QStringLiteral("｢採取海域：｣を左枠へ表示"));
        QCOMPARE(button(&editor, QStringLiteral("Command4(2)"))->text(), QStringLiteral("未設定"));
        QVERIFY(!button(&editor, QStringLiteral("Command4(2)"))->isEnabled());
        // A phrase goes in at the cursor, and the cursor behind it.
        editorText(&editor)->setPlainText(QStringLiteral("【注意】"));
        QTextCursor cursor = editorText(&editor)->textCursor();
        cursor.setPosition(1);
        editorText(&editor)->setTextCursor(cursor);
        QTest::mouseClick(button(&editor, QStringLiteral("Command4(0)")), Qt::LeftButton);
        QCOMPARE(editor.text(), QStringLiteral("【採取海域：注意】"));
        QCOMPARE(editorText(&editor)->textCursor().position(), 6);
    }

    // Double-click "保存方法", register the text in slot 2, find it on the
    // editor's button, press it, and write it back into the field.
    void aUsersPath()
    {
        RegistrationFixture f;
        QVERIFY(store::createDefaultPhraseBook(f.work.path()).message.isEmpty());
        const QList<QByteArray> before = phraseLines(f.work.path());
        const auto screen = f.open();
        QString heading;
        QString handedOver;
        QString caption;
        testsupport::answerNextModal<Kakudai_Input>([&](Kakudai_Input *editor) {
            editorText(editor)->setPlainText(QStringLiteral("保存方法:冷暗所"));
            testsupport::answerNextModal<Mojiretsu_Write>([&](Mojiretsu_Write *phrases) {
                heading = phrases->findChild<QLabel *>(QStringLiteral("Label1"))->text();
                QLineEdit *text = phrases->findChild<QLineEdit *>(QStringLiteral("Text1"));
                handedOver = text->text();
                QCOMPARE(text->accessibleName(), QStringLiteral("登録する文字列"));
                text->setText(QStringLiteral("直射日光,高温を避けて"));
                QTest::keyClick(text, Qt::Key_Return); // ignored: the window stays
                QVERIFY(phrases->isVisible());
                QTest::mouseClick(button(phrases, QStringLiteral("Command2(1)")), Qt::LeftButton);
                QCOMPARE(phrases->findChild<QLabel *>(QStringLiteral("Label2(1)"))->text(), QStringLiteral("直射日光,高温を避けて"));
                QCOMPARE(phrases->findChild<QLabel *>(QStringLiteral("Label2(1)"))->accessibleDescription(),
                         QStringLiteral("登録文字列2"));
                QCOMPARE(phrases->findChild<QLabel *>(QStringLiteral("Label2(1)"))->palette().color(QPalette::Window),
                         QColor(Qt::white));
                QTest::mouseClick(button(phrases, QStringLiteral("Command1")), Qt::LeftButton);
            });
            QTest::mouseClick(button(editor, QStringLiteral("Command3")), Qt::LeftButton);
            caption = button(editor, QStringLiteral("Command4(1)"))->text();
            QTest::mouseClick(button(editor, QStringLiteral("Command4(1)")), Qt::LeftButton);
            QTest::mouseClick(button(editor, QStringLiteral("Command1")), Qt::LeftButton);
        });
        doubleClick(screen.get(), "Text7");
        QCOMPARE(heading, QStringLiteral("「保存方法の登録」用の文字列登録"));
        QCOMPARE(handedOver, QStringLiteral("保存方法:冷暗所"));
        QCOMPARE(caption, QStringLiteral("｢直射日光,高温を避け｣を左枠へ表示"));
        QCOMPARE(shown(screen.get(), "Text7"), QStringLiteral("保存方法:冷暗所直射日光,高温を避けて"));
        QCOMPARE(shown(screen.get(), "Label25"), QStringLiteral("複数行表示 ")); // the counter followed the text

        // Only the storage line changed, with the comma stored as <kanma>.
        const QList<QByteArray> after = phraseLines(f.work.path());
        QCOMPARE(after.size(), before.size());
        for (qsizetype i = 0; i < after.size(); ++i) {
            if (i == 5)
                QCOMPARE(after.at(i), store::toCp932(QStringLiteral("保存方法の登録,高温・多湿・直射日光を避け、常温にて保存して下さい,"
                                                                    "直射日光<kanma>高温を避けて,１０℃以下で保存して下さい,"
                                                                    "４℃以下で保存して下さい,－１８℃以下で保存して下さい\r")));
            else
                QCOMPARE(after.at(i), before.at(i));
        }
    }

    void cancelKeepsTheField()
    {
        RegistrationFixture f;
        const auto screen = f.open();
        testsupport::answerNextModal<Kakudai_Input>([](Kakudai_Input *editor) {
            editorText(editor)->setPlainText(QStringLiteral("品名:別の名前"));
            QTest::mouseClick(button(editor, QStringLiteral("Command2")), Qt::LeftButton);
        });
        doubleClick(screen.get(), "Text2");
        QCOMPARE(shown(screen.get(), "Text2"), QStringLiteral("品名:"));
    }

    // A pasted line break never reaches the phrase file, and a failed write
    // leaves the slot showing what the file still holds.
    void phraseRegistration()
    {
        platform::RecordingMessageSink messages;
        QTemporaryDir dir;
        QVERIFY(store::createDefaultPhraseBook(dir.path()).message.isEmpty());
        Mojiretsu_Write window(QStringLiteral("品名の登録"), QString(), dir.path(), messages);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QLineEdit *text = window.findChild<QLineEdit *>(QStringLiteral("Text1"));
        QLabel *slot3 = window.findChild<QLabel *>(QStringLiteral("Label2(2)"));
        QCOMPARE(window.findChild<QLabel *>(QStringLiteral("Label5"))->text(), QStringLiteral("３"));
        QCOMPARE(slot3->palette().color(QPalette::Window), QColor(224, 224, 224));
        text->insert(QStringLiteral("幕の内\n弁当"));
        QTest::mouseClick(button(&window, QStringLiteral("Command2(2)")), Qt::LeftButton);
        QCOMPARE(phraseLines(dir.path()).at(0), store::toCp932(QStringLiteral("品名の登録,,,幕の内弁当,,\r")));
        QCOMPARE(slot3->text(), QStringLiteral("幕の内弁当"));

        // "編集" takes a slot back into the box.
        text->clear();
        QTest::mouseClick(button(&window, QStringLiteral("Command3(2)")), Qt::LeftButton);
        QCOMPARE(text->text(), QStringLiteral("幕の内弁当"));

        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("文字列情報.tmp")));
        text->setText(QStringLiteral("別の品名"));
        QTest::mouseClick(button(&window, QStringLiteral("Command2(2)")), Qt::LeftButton);
        QCOMPARE(messages.shown().size(), 1);
        QVERIFY(messages.shown().constFirst().startsWith(QStringLiteral("文字列情報の保存に失敗しました")));
        QCOMPARE(slot3->text(), QStringLiteral("幕の内弁当"));
    }
};

QTEST_MAIN(TestEnlargedEditor)
#include "tst_enlargededitor.moc"
