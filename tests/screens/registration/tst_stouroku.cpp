#include "print/ui/previewwindow.h"
#include "screens/registration/switchcaption.h"
#include "store/productconversion.h"
#include "tests/screens/registration/registrationfixture.h"
#include "tests/support/sampleproduct.h"
#include "tests/support/typing.h"

#include <QApplication>
#include <QDir>
#include <QImage>

using screens::S_Touroku;

namespace {

void typeInto(QWidget *screen, const char *name, const QString &text)
{
    QLineEdit *line = box(screen, name);
    line->setFocus();
    line->selectAll();
    testsupport::typeText(line, text);
}

void clickCaption(QWidget *screen, const char *name)
{
    QTest::mouseClick(control<screens::SwitchCaption>(screen, name), Qt::LeftButton);
}

QColor captionColour(QWidget *screen, const char *name)
{
    return control<QLabel>(screen, name)->palette().color(QPalette::WindowText);
}

QColor textColour(QWidget *widget)
{
    return widget->palette().color(QPalette::Text);
}

const QColor kOn(128, 128, 255);
const QColor kOff(0, 0, 0);
const QColor kUnavailable(204, 204, 204);

} // namespace

// "商品情報の登録": the form, its list and the product file behind them.
class TestStouroku : public QObject
{
    Q_OBJECT

private slots:
    void opens()
    {
        RegistrationFixture f;
        QVERIFY(f.products().saveRecord(testsupport::sampleProduct(QStringLiteral("0001"))).ok);
        QVERIFY(f.products().saveRecord(testsupport::sampleProduct(QStringLiteral("0003"), QStringLiteral("品名:鮭弁<m>大"))).ok);
        const auto screen = f.open();
        QVERIFY(!screen->ended());
        QCOMPARE(screen->windowTitle(), QStringLiteral("商品情報の登録"));
        QCOMPARE(shown(screen.get(), "Label1"), QStringLiteral("商品情報の登録・編集"));
        QCOMPARE(shown(screen.get(), "Text1"), QStringLiteral("0004"));
        QCOMPARE(listed(screen.get()), (QStringList{QStringLiteral("0001:幕の内弁当"), QStringLiteral("0003:大")}));
        const QStringList defaults{shown(screen.get(), "Text2"), shown(screen.get(), "Text3"), shown(screen.get(), "Text4"),
                                   shown(screen.get(), "Text5"), shown(screen.get(), "Text7"), shown(screen.get(), "Text8")};
        QCOMPARE(defaults, (QStringList{"品名:", "名称:", "原材料名:", "内 容 量:", "保存方法:", "製造者:"}));
        QCOMPARE(shown(screen.get(), "Combo1"), QStringLiteral("ｇ"));
        QCOMPARE(shown(screen.get(), "Combo2"), QStringLiteral("消費期限:"));
        QCOMPARE(shown(screen.get(), "Combo6"), QStringLiteral("YYYY年MM月DD日"));
        QCOMPARE(shown(screen.get(), "Combo4"), QStringLiteral("なし"));
        QCOMPARE(shown(screen.get(), "Combo7"), QStringLiteral("65×45(タテ)"));
        QCOMPARE(control<QComboBox>(screen.get(), "Combo6")->count(), 30);
        QCOMPARE(control<QComboBox>(screen.get(), "Combo5")->count(), 16);
        QCOMPARE(control<QComboBox>(screen.get(), "Combo1")->count(), 13);
        QVERIFY(!control<QPushButton>(screen.get(), "Command4")->isEnabled());
        QVERIFY(!control<QPushButton>(screen.get(), "Command7")->isEnabled());
        QCOMPARE(shown(screen.get(), "Command5"), QStringLiteral("罫線なし"));
        // Names for a screen reader where the control has no caption of its own.
        QCOMPARE(control<QComboBox>(screen.get(), "Combo1")->accessibleName(), QStringLiteral("内容量の単位"));
        QCOMPARE(control<QComboBox>(screen.get(), "Combo7")->accessibleName(), QStringLiteral("ラベルサイズ"));
        QCOMPARE(box(screen.get(), "Text13")->accessibleName(), QStringLiteral("リサイクル補足1"));
        QCOMPARE(control<QListWidget>(screen.get(), "List1")->accessibleName(), QStringLiteral("■登録商品一覧■"));
        QCOMPARE(control<QLabel>(screen.get(), "Label21")->accessibleDescription(), QStringLiteral("品名の文字数"));
        QCOMPARE(control<QLabel>(screen.get(), "Label35")->accessibleDescription(), QStringLiteral("原材料名の文字数"));
    }

    // A file of the older version is converted as the screen opens, after
    // the user has read why.
    void convertsAnOldFile()
    {
        RegistrationFixture f;
        QFile old(f.products().paths().product);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(store::toCp932(QStringLiteral("0000\t品名\t名称\t\r\n0001\tざるそば\tそば\t小麦粉\t200\tｇ\t消費期限\t\r\n")));
        old.close();
        const auto screen = f.open();
        QCOMPARE(f.messages.shown(), QStringList{QString::fromUtf16(store::kConversionNotice)});
        QVERIFY(f.productBytes().startsWith("1.08\t"));
        QCOMPARE(listed(screen.get()).size(), 1);
    }

    void missingPrinterEndsBeforeTheScreenShows()
    {
        RegistrationFixture f;
        QStringList lines = store::readUserSettings(f.work.path())->lines();
        lines[0] = QStringLiteral("SATO_GONE");
        f.writeUserDat(lines);
        S_Touroku screen(f.context());
        QVERIFY(screen.ended());
        QVERIFY(f.exit.requested());
        QCOMPARE(f.messages.shown().size(), 1);
        QVERIFY(f.messages.shown().constFirst().startsWith(QStringLiteral("■■■指定されたプリンターのドライバーが見つかりません■■■")));
    }

    // Type a product, save it as new, save it again over itself, delete it.
    void aUsersPath()
    {
        RegistrationFixture f;
        const auto screen = f.open();
        QVERIFY(QTest::qWaitForWindowActive(screen.get()));
        typeInto(screen.get(), "Text2", QStringLiteral("品名:幕の内弁当"));
        auto *ingredients = control<QPlainTextEdit>(screen.get(), "Text4");
        ingredients->setFocus();
        ingredients->setPlainText(QStringLiteral("原材料名:ご飯、鮭（国産）"));
        typeInto(screen.get(), "Text16", QStringLiteral("予備:冷凍"));
        clickCaption(screen.get(), "Label3"); // 品名 ruled
        box(screen.get(), "Text2")->setFocus(); // the ingredients are tidied when left
        press(screen.get(), "Command1");

        QCOMPARE(f.confirmation.asked().size(), 1);
        QCOMPARE(f.confirmation.asked().at(0).line3, QStringLiteral("新規保存しました"));
        QVERIFY(!f.confirmation.asked().at(0).leftVisible);
        QCOMPARE(f.confirmation.asked().at(0).rightCaption, QStringLiteral("はい"));
        QCOMPARE(listed(screen.get()), QStringList{QStringLiteral("0001:幕の内弁当")});
        // The next product starts afresh, but keeps spare 2 and the switches.
        QCOMPARE(shown(screen.get(), "Text1"), QStringLiteral("0002"));
        QCOMPARE(shown(screen.get(), "Text2"), QStringLiteral("品名:"));
        QCOMPARE(shown(screen.get(), "Text16"), QStringLiteral("予備:冷凍"));
        QCOMPARE(captionColour(screen.get(), "Label3"), kOn);

        // The file holds exactly what the store writes for the record.
        store::ProductRecord expected;
        expected.number = QStringLiteral("0001");
        expected.productName = QStringLiteral("品名:幕の内弁当");
        expected.categoryName = QStringLiteral("名称:");
        expected.ingredients = QStringLiteral("原材料名:ご飯､鮭(国産)");
        expected.netContent = QStringLiteral("内 容 量:");
        expected.netContentUnit = QStringLiteral("ｇ");
        expected.expiryTitle = QStringLiteral("消費期限:");
        expected.expiryFormat = QStringLiteral("YYYY年MM月DD日");
        expected.storage = QStringLiteral("保存方法:");
        expected.spare2 = QStringLiteral("予備:冷凍");
        expected.responsible = QStringLiteral("製造者:");
        expected.recycleMark = QStringLiteral("なし");
        expected.labelSize = QStringLiteral("65×45(タテ)");
        expected.ruledLines = QStringLiteral("oxxxxxxxxxx");
        QTemporaryDir other;
        const store::ProductFile reference(store::productFilePaths(other.path()));
        QVERIFY(reference.saveRecord(expected).ok);
        QFile written(reference.paths().product);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(f.productBytes(), written.readAll());

        // Saved again over itself.
        typeInto(screen.get(), "Text1", QStringLiteral("1"));
        QTest::keyClick(box(screen.get(), "Text1"), Qt::Key_Return);
        QCOMPARE(shown(screen.get(), "Text2"), QStringLiteral("品名:幕の内弁当"));
        QCOMPARE(shown(screen.get(), "Text4"), QStringLiteral("原材料名:ご飯､鮭(国産)"));
        typeInto(screen.get(), "Text3", QStringLiteral("名称:弁当"));
        press(screen.get(), "Command1");
        QCOMPARE(f.confirmation.asked().last().line3, QStringLiteral("上書き保存しました"));
        QCOMPARE(shown(screen.get(), "Text3"), QStringLiteral("名称:弁当"));
        QCOMPARE(control<QListWidget>(screen.get(), "List1")->currentRow(), 0);

        // Deleted after "はい(Y)".
        f.confirmation.answerNext(app::ConfirmationAnswer::Left);
        press(screen.get(), "Command4");
        const app::ConfirmationRequest asked = f.confirmation.asked().last();
        QCOMPARE(asked.line1, QStringLiteral("登録番号:0001を削除します"));
        QCOMPARE(asked.line2, QStringLiteral("よろしいですか？"));
        QCOMPARE(asked.leftCaption, QStringLiteral("はい(Y)"));
        QCOMPARE(asked.rightCaption, QStringLiteral("いいえ(N)"));
        QVERIFY(listed(screen.get()).isEmpty());
        QVERIFY(!f.products().findRecord(u"0001").recordText);
        QCOMPARE(shown(screen.get(), "Text1"), QStringLiteral("0001"));
        QVERIFY(f.messages.shown().isEmpty());
    }

    void deleteCanBeRefused()
    {
        RegistrationFixture f;
        QVERIFY(f.products().saveRecord(testsupport::sampleProduct()).ok);
        const auto screen = f.open();
        auto *list = control<QListWidget>(screen.get(), "List1");
        list->setCurrentRow(0);
        QVERIFY(control<QPushButton>(screen.get(), "Command4")->isEnabled());
        QTest::keyClick(list, Qt::Key_Delete); // the Delete key asks as the button does
        QCOMPARE(f.confirmation.asked().size(), 1);
        QCOMPARE(listed(screen.get()).size(), 1);
    }

    void listLoadsARecord()
    {
        RegistrationFixture f;
        store::ProductRecord product = testsupport::sampleProduct(QStringLiteral("0007"));
        product.recycleMark = QStringLiteral("缶");     // not a mark of the list: shown as なし
        product.labelSize = QStringLiteral("65×45(ヨコ)");
        product.ruledLines = QStringLiteral("xoxxxxxxxxx");
        product.remarks = QStringLiteral("価格,398円");
        QVERIFY(f.products().saveRecord(product).ok);
        QFile picture(f.path(QStringLiteral("0007.bmp")));
        QVERIFY(picture.open(QIODevice::WriteOnly));
        picture.close();
        const auto screen = f.open();
        auto *list = control<QListWidget>(screen.get(), "List1");
        list->setCurrentRow(0);
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(shown(screen.get(), "Text1"), QStringLiteral("0007"));
        QCOMPARE(shown(screen.get(), "Text2"), product.productName);
        QCOMPARE(shown(screen.get(), "Text11"), QStringLiteral("価格,398円"));
        QCOMPARE(shown(screen.get(), "Combo4"), QStringLiteral("なし"));
        QCOMPARE(shown(screen.get(), "Combo7"), QStringLiteral("65×45(ヨコ)"));
        QCOMPARE(captionColour(screen.get(), "Label4"), kOn);
        QCOMPARE(captionColour(screen.get(), "Label3"), kOff);
        QCOMPARE(shown(screen.get(), "Command5"), QStringLiteral("罫線あり"));
        QVERIFY(control<QPushButton>(screen.get(), "Command7")->isEnabled());
    }

    void numberBox_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("loads");
        QTest::newRow("0 is 0001, and 0001 loads") << "0" << "0001" << true;
        QTest::newRow("12345 is 9999") << "12345" << "9999" << false;
        QTest::newRow("full-width digits") << "１" << "0001" << true;
    }
    void numberBox()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(bool, loads);
        RegistrationFixture f;
        QVERIFY(f.products().saveRecord(testsupport::sampleProduct()).ok);
        const auto screen = f.open();
        QVERIFY(QTest::qWaitForWindowActive(screen.get()));
        QLineEdit *number = box(screen.get(), "Text1");
        number->setFocus();
        number->selectAll();
        number->insert(typed);
        QTest::keyClick(number, Qt::Key_Return);
        QCOMPARE(number->text(), shown);
        QCOMPARE(::shown(screen.get(), "Text2") == testsupport::sampleProduct().productName, loads);
        QCOMPARE(QApplication::focusWidget(), box(screen.get(), "Text2"));
    }

    // A pasted number that never went through Enter or a focus change is
    // still made four digits before it is used.
    void pastedNumberIsSettledBeforeSaving()
    {
        RegistrationFixture f;
        const auto screen = f.open();
        QLineEdit *number = box(screen.get(), "Text1");
        number->setText(QStringLiteral("12345"));
        press(screen.get(), "Command1");
        QVERIFY(f.products().findRecord(u"9999").recordText);
        QVERIFY(!f.productBytes().contains("12345\t"));
        QCOMPARE(number->text().size(), 4);
        // An empty box saves nothing.
        const QByteArray before = f.productBytes();
        box(screen.get(), "Text1")->clear();
        press(screen.get(), "Command1");
        QCOMPARE(f.productBytes(), before);
    }

    void switches()
    {
        RegistrationFixture f;
        const auto screen = f.open();
        // The four expiry captions are one switch.
        clickCaption(screen.get(), "Label9");
        for (const char *name : {"Label7", "Label8", "Label9", "Label10"})
            QCOMPARE(captionColour(screen.get(), name), kOn);
        QCOMPARE(shown(screen.get(), "Command5"), QStringLiteral("罫線あり"));
        QCOMPARE(control<QPushButton>(screen.get(), "Command5")->styleSheet().contains(QStringLiteral("rgb(255, 192, 192)")), true);
        clickCaption(screen.get(), "Label7");
        QCOMPARE(captionColour(screen.get(), "Label10"), kOff);
        QCOMPARE(shown(screen.get(), "Command5"), QStringLiteral("罫線なし"));
        QCOMPARE(control<QPushButton>(screen.get(), "Command5")->styleSheet().contains(QStringLiteral("rgb(192, 192, 255)")), true);

        // "28×38" turns every switch off and spare 3 and the remarks grey.
        press(screen.get(), "Command5");
        QCOMPARE(captionColour(screen.get(), "Label16"), kOn);
        auto *size = control<QComboBox>(screen.get(), "Combo7");
        size->setCurrentIndex(2);
        emit size->activated(2);
        for (const char *name : {"Label3", "Label4", "Label7", "Label14"})
            QCOMPARE(captionColour(screen.get(), name), kOff);
        QCOMPARE(captionColour(screen.get(), "Label15"), kUnavailable);
        QCOMPARE(captionColour(screen.get(), "Label16"), kUnavailable);
        QCOMPARE(captionColour(screen.get(), "Label19"), kUnavailable);
        clickCaption(screen.get(), "Label3"); // 品名 never on with 28×38
        QCOMPARE(captionColour(screen.get(), "Label3"), kOff);
        clickCaption(screen.get(), "Label15");
        QCOMPARE(captionColour(screen.get(), "Label15"), kUnavailable);

        // Back on 65×45(タテ), spare 3 and the remarks are clickable again.
        size->setCurrentIndex(0);
        emit size->activated(0);
        QCOMPARE(captionColour(screen.get(), "Label15"), kOff);
        QCOMPARE(captionColour(screen.get(), "Label19"), kOff);
        clickCaption(screen.get(), "Label15");
        QCOMPARE(captionColour(screen.get(), "Label15"), kOn);
    }

    void doubleClickedCaptionsExplain()
    {
        RegistrationFixture f;
        const auto screen = f.open();
        QTest::mouseDClick(control<QLabel>(screen.get(), "Label18"), Qt::LeftButton);
        QTest::mouseDClick(control<QLabel>(screen.get(), "Label19"), Qt::LeftButton);
        QCOMPARE(f.messages.shown(), (QStringList{QStringLiteral("バーコードの外側に罫線表示は行なえません"),
                                                  QStringLiteral("リサイクルマークの外側に罫線表示は行なえません")}));
    }

    // The small label has no spare 3, remarks, barcode or marks: their boxes
    // are switched off in pale green and their counters hidden.
    void smallLabelSize()
    {
        RegistrationFixture f;
        const auto screen = f.open();
        auto *size = control<QComboBox>(screen.get(), "Combo7");
        size->setCurrentIndex(2);
        emit size->activated(2);
        for (const char *name : {"Text9", "Text11", "Text12", "Combo4", "Text13", "Text14"}) {
            QWidget *w = control<QWidget>(screen.get(), name);
            QVERIFY2(!w->isEnabled(), name);
            QCOMPARE(w->palette().color(QPalette::Base), QColor(192, 255, 192));
        }
        for (const char *name : {"Label27", "Label29", "Label30", "Label31", "Label32"})
            QVERIFY2(!control<QLabel>(screen.get(), name)->isVisible(), name);
        // The counters now count against the small label's room.
        QCOMPARE(shown(screen.get(), "Label21"), QStringLiteral("(5/37) "));
        size->setCurrentIndex(1);
        emit size->activated(1);
        QVERIFY(box(screen.get(), "Text12")->isEnabled());
        QCOMPARE(shown(screen.get(), "Label21"), QStringLiteral("(5/45) "));
    }

    void countersFollowTheText()
    {
        RegistrationFixture f;
        const auto screen = f.open();
        typeInto(screen.get(), "Text2", QStringLiteral("<w>") + QString(20, QChar(u'あ')));
        QCOMPARE(shown(screen.get(), "Label21"), QStringLiteral("文字数超過"));
        QCOMPARE(textColour(control<QLabel>(screen.get(), "Label21")), QColor(255, 0, 0));
        typeInto(screen.get(), "Text2", QStringLiteral("<w>") + QString(10, QChar(u'あ')));
        QCOMPARE(shown(screen.get(), "Label21"), QStringLiteral("(20/20) "));
        auto *ingredients = control<QPlainTextEdit>(screen.get(), "Text4");
        ingredients->setPlainText(QStringLiteral("原材料名:小麦?大豆"));
        QVERIFY(control<QLabel>(screen.get(), "Label36")->isVisible());
        QCOMPARE(shown(screen.get(), "Label23"), QStringLiteral("(13) "));
        QCOMPARE(shown(screen.get(), "Label35"), QStringLiteral("(4) "));
        QCOMPARE(textColour(ingredients), QColor(0, 0, 255));
        ingredients->setPlainText(QStringLiteral("原材料名:小麦"));
        QVERIFY(!control<QLabel>(screen.get(), "Label36")->isVisible());
        QVERIFY(!control<QLabel>(screen.get(), "Label23")->isVisible());
        QCOMPARE(shown(screen.get(), "Label35"), QStringLiteral("(13) "));
        QCOMPARE(textColour(ingredients), QColor(0, 0, 0));
    }

    void barcodeBox_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<QString>("notice");
        QTest::newRow("12 digits") << "490123456789" << "4901234567894" << "バーコードの13桁目のチェック";
        QTest::newRow("7 digits") << "9638507" << "96385074" << "バーコードの 8桁目のチェック";
        QTest::newRow("a wrong 13th") << "4901234567890" << "4901234567890" << "13桁目のﾁｪｯｸﾃﾞｨｼﾞｯﾄが異常です";
        QTest::newRow("letters are dropped") << "49a0b1" << "4901" << "";
    }
    void barcodeBox()
    {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        QFETCH(QString, notice);
        RegistrationFixture f;
        const auto screen = f.open();
        QVERIFY(QTest::qWaitForWindowActive(screen.get()));
        typeInto(screen.get(), "Text12", typed);
        box(screen.get(), "Text13")->setFocus();
        QCOMPARE(shown(screen.get(), "Text12"), kept);
        QCOMPARE(f.confirmation.asked().size(), notice.isEmpty() ? 0 : 1);
        if (!notice.isEmpty()) {
            QCOMPARE(f.confirmation.asked().constFirst().line1, notice);
            QCOMPARE(f.confirmation.asked().constFirst().rightCaption, QStringLiteral("了解"));
        }
    }

    void pastedBarcodeIsCut()
    {
        RegistrationFixture f;
        const auto screen = f.open();
        QLineEdit *barcode = box(screen.get(), "Text12");
        barcode->setFocus();
        barcode->insert(QStringLiteral("490123456789012"));
        QCOMPARE(barcode->text(), QStringLiteral("4901234567890"));
        QCOMPARE(barcode->cursorPosition(), 13);
        QCOMPARE(shown(screen.get(), "Label30"), QStringLiteral("(15/13) "));
    }

    // Backspace right behind "品名:" asks first; "いいえ" keeps the colon.
    void captionSeparatorIsProtected()
    {
        RegistrationFixture f;
        const auto screen = f.open();
        QVERIFY(QTest::qWaitForWindowActive(screen.get()));
        QLineEdit *name = box(screen.get(), "Text2");
        name->setFocus();
        QCOMPARE(name->cursorPosition(), 3); // behind the caption
        QTest::keyClick(name, Qt::Key_Backspace);
        QCOMPARE(name->text(), QStringLiteral("品名:"));
        QCOMPARE(f.messages.asked(), QStringList{QStringLiteral("項目名区切り文字「：」を削除しようとしています。よろしいですか？")});
        f.messages.answerNext(true);
        QTest::keyClick(name, Qt::Key_Backspace);
        QCOMPARE(name->text(), QStringLiteral("品名"));
        // Deleting a character that is not the separator asks nothing.
        QTest::keyClick(name, Qt::Key_Backspace);
        QCOMPARE(name->text(), QStringLiteral("品"));
        QCOMPARE(f.messages.asked().size(), 2);
    }

    void enterPath()
    {
        RegistrationFixture f;
        const auto screen = f.open();
        QVERIFY(QTest::qWaitForWindowActive(screen.get()));
        box(screen.get(), "Text2")->setFocus();
        QStringList visited;
        for (int i = 0; i < 13; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            visited.append(QApplication::focusWidget()->objectName());
        }
        QCOMPARE(visited, (QStringList{"Text3", "Text4", "Text5", "Combo1", "Combo2", "Combo6", "Text6", "Combo5", "Text7",
                                       "Text15", "Text16", "Text8", "Command3"}));
        // Enter is never typed into a box of several lines.
        QCOMPARE(shown(screen.get(), "Text4"), QStringLiteral("原材料名:"));
        box(screen.get(), "Text9")->setFocus();
        visited.clear();
        for (int i = 0; i < 6; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            visited.append(QApplication::focusWidget()->objectName());
        }
        QCOMPARE(visited, (QStringList{"Text11", "Text12", "Combo4", "Text13", "Text14", "Command3"}));
    }

    void addDaysAreWrittenPlainly()
    {
        RegistrationFixture f;
        const auto screen = f.open();
        QVERIFY(QTest::qWaitForWindowActive(screen.get()));
        typeInto(screen.get(), "Text6", QStringLiteral("1.50"));
        box(screen.get(), "Text7")->setFocus();
        QCOMPARE(shown(screen.get(), "Text6"), QStringLiteral("1.5"));
        typeInto(screen.get(), "Text6", QStringLiteral("1234567"));
        QCOMPARE(shown(screen.get(), "Text6"), QStringLiteral("12345"));
    }

    void previewShowsTheLabel()
    {
        RegistrationFixture f;
        const auto screen = f.open();
        typeInto(screen.get(), "Text2", QStringLiteral("品名:幕の内弁当"));
        press(screen.get(), "Command3");
        print::PreviewWindow *preview = nullptr;
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (auto *p = qobject_cast<print::PreviewWindow *>(window); p && p->isVisible())
                preview = p;
        }
        QVERIFY(preview);
        QCOMPARE(preview->windowTitle(), QStringLiteral("印刷出力の確認"));
        // Something dark was drawn on the first label.
        const QImage label = preview->shownImage(engine::TargetKind::First);
        int dark = 0;
        for (int y = 0; y < label.height(); y += 2)
            for (int x = 0; x < label.width(); x += 2)
                dark += qGray(label.pixel(x, y)) < 100 ? 1 : 0;
        QVERIFY(dark > 50);
        QVERIFY(f.messages.shown().isEmpty());
    }

    void pictures()
    {
        RegistrationFixture f;
        const auto screen = f.open();
        box(screen.get(), "Text1")->setText(QStringLiteral("0005"));
        QImage red(8, 8, QImage::Format_RGB32);
        red.fill(Qt::red);
        QTemporaryDir elsewhere;
        const QString chosen = elsewhere.filePath(QStringLiteral("logo.BMP"));
        QVERIFY(red.save(chosen, "BMP"));
        const QString target = f.path(QStringLiteral("0005.bmp"));

        f.pictureChooser.pickNext(chosen);
        press(screen.get(), "Command6");
        QCOMPARE(f.messages.shown(), QStringList{QStringLiteral("画像を登録しました")});
        QCOMPARE(QImage(target).pixel(1, 1), QColor(Qt::red).rgb());
        QVERIFY(control<QPushButton>(screen.get(), "Command7")->isEnabled());

        // Replacing it, then choosing the product's own picture: no harm done.
        red.fill(Qt::blue);
        QVERIFY(red.save(chosen, "BMP"));
        f.pictureChooser.pickNext(chosen);
        press(screen.get(), "Command6");
        QCOMPARE(QImage(target).pixel(1, 1), QColor(Qt::blue).rgb());
        f.pictureChooser.pickNext(target);
        press(screen.get(), "Command6");
        QCOMPARE(QImage(target).pixel(1, 1), QColor(Qt::blue).rgb());
        QCOMPARE(f.messages.shown().size(), 3);

        // A copy that fails says so and changes nothing.
        f.messages.clear();
        f.pictureChooser.pickNext(elsewhere.path()); // a folder, not a picture
        press(screen.get(), "Command6");
        QCOMPARE(f.messages.shown().size(), 1);
        QVERIFY(f.messages.shown().constFirst().startsWith(QStringLiteral("画像の登録に失敗しました")));
        QCOMPARE(QImage(target).pixel(1, 1), QColor(Qt::blue).rgb());
        QVERIFY(!QFile::exists(target + QStringLiteral(".tmp")));

        // Deleted after the question.
        f.messages.clear();
        f.confirmation.answerNext(app::ConfirmationAnswer::Left);
        press(screen.get(), "Command7");
        QCOMPARE(f.confirmation.asked().last().line1, QStringLiteral("0005.bmpを削除します"));
        QVERIFY(!QFile::exists(target));
        QCOMPARE(f.messages.shown(), QStringList{QStringLiteral("画像ファイルを削除しました")});
        QVERIFY(!control<QPushButton>(screen.get(), "Command7")->isEnabled());
        // Cancelled dialog: nothing happens.
        press(screen.get(), "Command6");
        QCOMPARE(f.pictureChooser.calls(), 5);
        QCOMPARE(f.messages.shown().size(), 1);
    }

    void returning_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("はい") << true;
        QTest::newRow("いいえ") << false;
    }
    void returning()
    {
        QFETCH(bool, yes);
        RegistrationFixture f;
        const auto screen = f.open();
        if (yes)
            f.confirmation.answerNext(app::ConfirmationAnswer::Left);
        press(screen.get(), "Command2");
        const app::ConfirmationRequest asked = f.confirmation.asked().constFirst();
        QCOMPARE(asked.line1, QStringLiteral("商品情報の登録を終了します"));
        QCOMPARE(asked.leftCaption, QStringLiteral("はい"));
        QCOMPARE(asked.rightCaption, QStringLiteral("いいえ"));
        QCOMPARE(screen->isVisible(), !yes);
    }
};

QTEST_MAIN(TestStouroku)
#include "tst_stouroku.moc"
