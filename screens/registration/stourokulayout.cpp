// The registration screen's controls and how they are laid out and wired.
#include "screens/registration/stouroku.h"

#include "engine/render/labeljob.h"
#include "screens/common/cp932validator.h"
#include "screens/common/digitvalidator.h"
#include "screens/registration/switchcaption.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace screens {
namespace {

const QStringList kUnits{QStringLiteral("ｇ"), QStringLiteral("ｋｇ"), QStringLiteral("ｍｌ"), QStringLiteral("Ｌ"),
                         QStringLiteral("個"), QStringLiteral("本"), QStringLiteral("組"), QStringLiteral("枚"),
                         QStringLiteral("袋"), QStringLiteral("ｃｃ"), QStringLiteral("匹"), QStringLiteral("杯"),
                         QStringLiteral("房")};
const QStringList kExpiryTitles{QStringLiteral("消費期限:"), QStringLiteral("賞味期限:"), QStringLiteral("表示しない")};
const QStringList kExpiryFormats{
    QStringLiteral("YYYY年MM月DD日"), QStringLiteral("YYYY年M月D日"), QStringLiteral("YY年MM月DD日"),
    QStringLiteral("YY年M月D日"), QStringLiteral("YYYY/MM/DD hh:mm"), QStringLiteral("YYYY/MM/DD"),
    QStringLiteral("YYYY/M/D"), QStringLiteral("YY/MM/DD"), QStringLiteral("YYYY.MM.DD"), QStringLiteral("YYYY.M.D"),
    QStringLiteral("YY.MM.DD"), QStringLiteral("YY.M.D"), QStringLiteral("YY/M/D hh:mm"), QStringLiteral("YY/M/D"),
    QStringLiteral("GGGE年MM月DD日"), QStringLiteral("GGGE年M月D日"), QStringLiteral("<b>YYYY年MM月DD日"),
    QStringLiteral("<b>YYYY年M月D日"), QStringLiteral("<b>YY年MM月DD日"), QStringLiteral("<b>YY年M月D日"),
    QStringLiteral("<b>YYYY/MM/DD"), QStringLiteral("<b>YYYY/M/D"), QStringLiteral("<b>YY/MM/DD"),
    QStringLiteral("<b>YY/M/D"), QStringLiteral("<b>YYYY.MM.DD"), QStringLiteral("<b>YYYY.M.D"),
    QStringLiteral("<b>YY.MM.DD"), QStringLiteral("<b>YY.M.D"), QStringLiteral("<b>GGGE年MM月DD日"),
    QStringLiteral("<b>GGGE年M月D日")};
const QStringList kPlacements{
    QStringLiteral("枠外上部に記載"), QStringLiteral("枠外下部に記載"), QStringLiteral("枠外左部に記載"),
    QStringLiteral("枠外右部に記載"), QStringLiteral("表面上部に記載"), QStringLiteral("表面下部に記載"),
    QStringLiteral("表面左部に記載"), QStringLiteral("表面右部に記載"), QStringLiteral("裏面上部に記載"),
    QStringLiteral("裏面下部に記載"), QStringLiteral("裏面左部に記載"), QStringLiteral("裏面右部に記載"),
    QStringLiteral("側面上部に記載"), QStringLiteral("側面下部に記載"), QStringLiteral("側面左部に記載"),
    QStringLiteral("側面右部に記載")};
const QStringList kRecycleMarks{QStringLiteral("なし"), QStringLiteral("プラ"), QStringLiteral("紙"),
                                QStringLiteral("紙＆プラ"), QStringLiteral("プラ＆紙")};

QFont boxFont(const QWidget *like)
{
    QFont font = like->font();
    font.setFamily(QString::fromUtf16(engine::kPrinterFont));
    return font;
}

QLineEdit *textBox(const QString &name, const QString &caption, QWidget *parent)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setAccessibleName(caption);
    box->setFont(boxFont(parent));
    box->setValidator(new Cp932Validator(box));
    return box;
}

QPlainTextEdit *linesBox(const QString &name, const QString &caption, int lines, QWidget *parent)
{
    auto *box = new QPlainTextEdit(parent);
    box->setObjectName(name);
    box->setAccessibleName(caption);
    box->setFont(boxFont(parent));
    box->setTabChangesFocus(true);
    const int lineHeight = box->fontMetrics().lineSpacing();
    box->setFixedHeight(lineHeight * lines + 2 * static_cast<int>(box->document()->documentMargin()) + 4);
    keepToCp932(box);
    return box;
}

QComboBox *comboBox(const QString &name, const QString &caption, const QStringList &entries, bool editable,
                    QWidget *parent)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(name);
    box->setAccessibleName(caption);
    box->setFont(boxFont(parent));
    box->setEditable(editable);
    box->addItems(entries);
    if (editable) {
        box->setInsertPolicy(QComboBox::NoInsert);
        box->setValidator(new Cp932Validator(box));
    }
    return box;
}

// A label showing a value: its text is what a screen reader says.
QLabel *counter(const QString &name, const QString &description, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setAccessibleDescription(description);
    label->setMinimumWidth(90);
    return label;
}

QPushButton *commandButton(const QString &name, const QString &caption, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

} // namespace

void S_Touroku::buildControls()
{
    m_heading = new QLabel(QStringLiteral("商品情報の登録・編集"), this);
    m_heading->setObjectName(QStringLiteral("Label1"));
    QFont heading = m_heading->font();
    heading.setPointSizeF(heading.pointSizeF() * 1.5);
    heading.setBold(true);
    m_heading->setFont(heading);

    m_text1 = new QLineEdit(this);
    m_text1->setObjectName(QStringLiteral("Text1"));
    m_text1->setAccessibleName(QStringLiteral("登録番号"));
    m_text1->setFont(boxFont(this));
    m_text1->setValidator(new DigitValidator({}, m_text1));
    m_text1->setMaximumWidth(80);
    m_text2 = textBox(QStringLiteral("Text2"), QStringLiteral("品名"), this);
    m_text3 = textBox(QStringLiteral("Text3"), QStringLiteral("名称"), this);
    m_text4 = linesBox(QStringLiteral("Text4"), QStringLiteral("原材料名"), 3, this);
    m_text5 = textBox(QStringLiteral("Text5"), QStringLiteral("内容量"), this);
    m_combo1 = comboBox(QStringLiteral("Combo1"), QStringLiteral("内容量の単位"), kUnits, true, this);
    m_combo1->setMaximumWidth(90);
    m_combo2 = comboBox(QStringLiteral("Combo2"), QStringLiteral("期限表記"), kExpiryTitles, true, this);
    m_combo6 = comboBox(QStringLiteral("Combo6"), QStringLiteral("書式"), kExpiryFormats, true, this);
    m_combo6->setCurrentText(QStringLiteral("YYYY年MM月DD日"));
    m_text6 = new QLineEdit(this);
    m_text6->setObjectName(QStringLiteral("Text6"));
    m_text6->setAccessibleName(QStringLiteral("期限加算日"));
    m_text6->setFont(boxFont(this));
    m_text6->setValidator(new DigitValidator({.point = true, .maxLength = 5}, m_text6));
    m_text6->setMaximumWidth(70);
    m_combo5 = comboBox(QStringLiteral("Combo5"), QStringLiteral("別記表示"), kPlacements, true, this);
    m_combo5->setCurrentIndex(-1);
    m_text7 = textBox(QStringLiteral("Text7"), QStringLiteral("保存方法"), this);
    m_text15 = textBox(QStringLiteral("Text15"), QStringLiteral("予備欄１"), this);
    m_text16 = textBox(QStringLiteral("Text16"), QStringLiteral("予備欄２"), this);
    m_text8 = linesBox(QStringLiteral("Text8"), QStringLiteral("責任者表記"), 2, this);
    m_text9 = textBox(QStringLiteral("Text9"), QStringLiteral("予備欄３"), this);
    m_text11 = textBox(QStringLiteral("Text11"), QStringLiteral("備考/価格"), this);
    m_text12 = new QLineEdit(this);
    m_text12->setObjectName(QStringLiteral("Text12"));
    m_text12->setAccessibleName(QStringLiteral("バーコード"));
    m_text12->setFont(boxFont(this));
    m_text12->setValidator(new DigitValidator({}, m_text12));
    m_combo4 = comboBox(QStringLiteral("Combo4"), QStringLiteral("リサイクル表示"), kRecycleMarks, false, this);
    m_text13 = textBox(QStringLiteral("Text13"), QStringLiteral("リサイクル補足1"), this);
    m_text14 = textBox(QStringLiteral("Text14"), QStringLiteral("リサイクル補足2"), this);
    m_combo7 = comboBox(QStringLiteral("Combo7"), QStringLiteral("ラベルサイズ"),
                        {QString::fromUtf16(engine::kPortraitLabel), QString::fromUtf16(engine::kLandscapeLabel),
                         QString::fromUtf16(engine::kSmallLabel)},
                        false, this);

    m_label21 = counter(QStringLiteral("Label21"), QStringLiteral("品名の文字数"), this);
    m_label22 = counter(QStringLiteral("Label22"), QStringLiteral("名称の文字数"), this);
    m_label24 = counter(QStringLiteral("Label24"), QStringLiteral("内容量の文字数"), this);
    m_label34 = counter(QStringLiteral("Label34"), QStringLiteral("別記表示の文字数"), this);
    m_label25 = counter(QStringLiteral("Label25"), QStringLiteral("保存方法の文字数"), this);
    m_label17 = counter(QStringLiteral("Label17"), QStringLiteral("予備欄１の文字数"), this);
    m_label40 = counter(QStringLiteral("Label40"), QStringLiteral("予備欄２の文字数"), this);
    m_label26 = counter(QStringLiteral("Label26"), QStringLiteral("責任者表記の文字数"), this);
    m_label27 = counter(QStringLiteral("Label27"), QStringLiteral("予備欄３の文字数"), this);
    m_label29 = counter(QStringLiteral("Label29"), QStringLiteral("備考/価格の文字数"), this);
    m_label31 = counter(QStringLiteral("Label31"), QStringLiteral("リサイクル補足1の文字数"), this);
    m_label32 = counter(QStringLiteral("Label32"), QStringLiteral("リサイクル補足2の文字数"), this);
    m_barcodeCounter = counter(QStringLiteral("Label30"), QStringLiteral("バーコードの文字数"), this);
    m_ingredientsFirst = counter(QStringLiteral("Label23"), QStringLiteral("原材料名の文字数1"), this);
    m_ingredientsSecond = counter(QStringLiteral("Label35"), QStringLiteral("原材料名の文字数"), this);
    m_extensionNote = new QLabel(QStringLiteral("原材料名拡張表示モード"), this);
    m_extensionNote->setObjectName(QStringLiteral("Label36"));
    m_extensionNote->setAccessibleDescription(QStringLiteral("原材料名拡張表示モード"));
    m_extensionNote->setStyleSheet(QStringLiteral("color: rgb(0, 0, 255);"));
    // The extension mode's note and first counter keep their room while
    // hidden, so the form does not jump when a "?" is typed.
    for (QLabel *label : {m_extensionNote, m_ingredientsFirst}) {
        QSizePolicy keep = label->sizePolicy();
        keep.setRetainSizeWhenHidden(true);
        label->setSizePolicy(keep);
    }

    m_list1 = new QListWidget(this);
    m_list1->setObjectName(QStringLiteral("List1"));
    m_list1->setAccessibleName(QStringLiteral("■登録商品一覧■"));
    m_list1->setFont(boxFont(this));
    m_list1->setMinimumWidth(260);

    m_command1 = commandButton(QStringLiteral("Command1"), QStringLiteral("入力情報を登録する"), this);
    m_command4 = commandButton(QStringLiteral("Command4"), QStringLiteral("選択している商品情報を削除する"), this);
    m_command3 = commandButton(QStringLiteral("Command3"), QStringLiteral("印刷結果の表示"), this);
    m_command2 = commandButton(QStringLiteral("Command2"), QStringLiteral("メインメニューへ戻る"), this);
    m_command5 = commandButton(QStringLiteral("Command5"), QStringLiteral("罫線なし"), this);
    m_command6 = commandButton(QStringLiteral("Command6"), QStringLiteral("画像登録"), this);
    m_command7 = commandButton(QStringLiteral("Command7"), QStringLiteral("画像削除"), this);
    for (QPushButton *b : {m_command1, m_command3, m_command2})
        b->setMinimumHeight(40);
    m_command4->setEnabled(false);
    m_command7->setEnabled(false);

    // The captions: most switch the ruled lines of their field.
    using store::RuledGroup;
    const auto switchCaption = [this](RuledGroup group, const char *name, const QString &caption, QWidget *buddy) {
        auto *label = new SwitchCaption(QLatin1String(name), caption, this);
        label->setBuddy(buddy);
        m_switchCaptions[static_cast<size_t>(group)].append(label);
        return label;
    };
    auto *numberCaption = new QLabel(QStringLiteral("登録番号"), this);
    numberCaption->setBuddy(m_text1);
    SwitchCaption *nameCaption = switchCaption(RuledGroup::ProductName, "Label3", QStringLiteral("品名"), m_text2);
    SwitchCaption *categoryCaption = switchCaption(RuledGroup::CategoryName, "Label4", QStringLiteral("名称"), m_text3);
    SwitchCaption *ingredientsCaption = switchCaption(RuledGroup::Ingredients, "Label5", QStringLiteral("原材料名"), m_text4);
    SwitchCaption *contentCaption = switchCaption(RuledGroup::NetContent, "Label6", QStringLiteral("内容量"), m_text5);
    SwitchCaption *titleCaption = switchCaption(RuledGroup::Expiry, "Label7", QStringLiteral("期限表記"), m_combo2);
    SwitchCaption *formatCaption = switchCaption(RuledGroup::Expiry, "Label8", QStringLiteral("書式"), m_combo6);
    SwitchCaption *daysCaption = switchCaption(RuledGroup::Expiry, "Label9", QStringLiteral("期限加算日"), m_text6);
    SwitchCaption *altCaption = switchCaption(RuledGroup::Expiry, "Label10", QStringLiteral("別記表示"), m_combo5);
    SwitchCaption *storageCaption = switchCaption(RuledGroup::Storage, "Label11", QStringLiteral("保存方法"), m_text7);
    SwitchCaption *spare1Caption = switchCaption(RuledGroup::Spare1, "Label12", QStringLiteral("予備欄１"), m_text15);
    SwitchCaption *spare2Caption = switchCaption(RuledGroup::Spare2, "Label13", QStringLiteral("予備欄２"), m_text16);
    SwitchCaption *responsibleCaption = switchCaption(RuledGroup::Responsible, "Label14", QStringLiteral("責任者表記"), m_text8);
    SwitchCaption *spare3Caption = switchCaption(RuledGroup::Spare3, "Label15", QStringLiteral("予備欄３"), m_text9);
    SwitchCaption *remarksCaption = switchCaption(RuledGroup::Remarks, "Label16", QStringLiteral("備考/価格"), m_text11);
    m_barcodeCaption = new SwitchCaption(QStringLiteral("Label18"), QStringLiteral("バーコード"), this);
    m_barcodeCaption->setBuddy(m_text12);
    m_recycleCaption = new SwitchCaption(QStringLiteral("Label19"), QStringLiteral("リサイクル表示"), this);
    m_recycleCaption->setBuddy(m_combo4);

    // Left: the form; right: the list and the buttons.
    auto *form = new QGridLayout;
    form->setHorizontalSpacing(8);
    form->setVerticalSpacing(3);
    int row = 0;
    const auto field = [&](QWidget *caption, QWidget *box, QWidget *count) {
        form->addWidget(caption, row, 0);
        form->addWidget(box, row, 1);
        if (count)
            form->addWidget(count, row, 2);
        ++row;
    };
    field(numberCaption, m_text1, nullptr);
    field(nameCaption, m_text2, m_label21);
    field(categoryCaption, m_text3, m_label22);
    auto *ingredientsCounters = new QVBoxLayout;
    ingredientsCounters->setSpacing(0);
    ingredientsCounters->addWidget(m_extensionNote);
    ingredientsCounters->addWidget(m_ingredientsFirst);
    ingredientsCounters->addWidget(m_ingredientsSecond);
    ingredientsCounters->addStretch();
    form->addWidget(ingredientsCaption, row, 0, Qt::AlignTop);
    form->addWidget(m_text4, row, 1);
    form->addLayout(ingredientsCounters, row++, 2);
    auto *content = new QHBoxLayout;
    content->addWidget(m_text5, 1);
    content->addWidget(m_combo1);
    form->addWidget(contentCaption, row, 0);
    form->addLayout(content, row, 1);
    form->addWidget(m_label24, row++, 2);
    auto *expiry = new QGridLayout;
    expiry->setHorizontalSpacing(6);
    expiry->setVerticalSpacing(3);
    expiry->addWidget(m_combo2, 0, 0);
    expiry->addWidget(formatCaption, 0, 1);
    expiry->addWidget(m_combo6, 0, 2);
    expiry->addWidget(daysCaption, 1, 1);
    expiry->addWidget(m_text6, 1, 2, Qt::AlignLeft);
    expiry->addWidget(altCaption, 2, 1);
    expiry->addWidget(m_combo5, 2, 2);
    expiry->setColumnStretch(2, 1);
    form->addWidget(titleCaption, row, 0, Qt::AlignTop);
    form->addLayout(expiry, row, 1);
    form->addWidget(m_label34, row++, 2, Qt::AlignBottom);
    field(storageCaption, m_text7, m_label25);
    field(spare1Caption, m_text15, m_label17);
    field(spare2Caption, m_text16, m_label40);
    form->addWidget(responsibleCaption, row, 0, Qt::AlignTop);
    form->addWidget(m_text8, row, 1);
    form->addWidget(m_label26, row++, 2, Qt::AlignTop);
    field(spare3Caption, m_text9, m_label27);
    field(remarksCaption, m_text11, m_label29);
    field(m_barcodeCaption, m_text12, m_barcodeCounter);
    auto *recycle = new QHBoxLayout;
    recycle->addWidget(m_combo4);
    recycle->addWidget(m_text13, 1);
    recycle->addWidget(m_label31);
    recycle->addWidget(m_text14, 1);
    form->addWidget(m_recycleCaption, row, 0);
    form->addLayout(recycle, row, 1);
    form->addWidget(m_label32, row++, 2);
    auto *sizeCaption = new QLabel(QStringLiteral("ラベルサイズ"), this);
    sizeCaption->setBuddy(m_combo7);
    auto *sizeRow = new QHBoxLayout;
    sizeRow->addWidget(m_combo7);
    sizeRow->addStretch();
    sizeRow->addWidget(m_command5);
    form->addWidget(sizeCaption, row, 0);
    form->addLayout(sizeRow, row++, 1);
    form->setColumnStretch(1, 1);
    form->setColumnMinimumWidth(1, 420);

    auto *listHeading = new QLabel(QStringLiteral("■登録商品一覧■"), this);
    listHeading->setBuddy(m_list1);
    auto *pictures = new QHBoxLayout;
    pictures->addWidget(m_command6);
    pictures->addWidget(m_command7);
    auto *side = new QVBoxLayout;
    side->addWidget(listHeading);
    side->addWidget(m_list1, 1);
    side->addWidget(m_command4);
    side->addSpacing(8);
    side->addLayout(pictures);
    side->addSpacing(8);
    side->addWidget(m_command1);
    side->addWidget(m_command3);
    side->addWidget(m_command2);

    auto *columns = new QHBoxLayout;
    columns->addLayout(form, 3);
    columns->addSpacing(12);
    columns->addLayout(side, 2);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 10, 16, 12);
    layout->addWidget(m_heading, 0, Qt::AlignHCenter);
    layout->addLayout(columns);
}

} // namespace screens
