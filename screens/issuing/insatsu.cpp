#include "screens/issuing/insatsu.h"

#include "engine/render/expirydate.h"
#include "engine/render/labeljob.h"
#include "platform/clock.h"
#include "platform/messagesink.h"
#include "platform/removabledrive.h"
#include "print/ui/centring.h"
#include "print/ui/widgetpreviewhost.h"
#include "screens/common/digitvalidator.h"
#include "screens/common/settingsprinter.h"
#include "screens/issuing/fieldcleaning.h"
#include "store/settingssource.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace screens {
namespace {

// The 18 ways of showing the expiry date, the first one preselected.
const QStringList kDisplayMethods{
    QString::fromUtf16(engine::kDisplayByAddedDays), QString::fromUtf16(engine::kDisplayAltText),
    QStringLiteral("枠外上部に記載"), QStringLiteral("枠外下部に記載"), QStringLiteral("枠外左部に記載"),
    QStringLiteral("枠外右部に記載"), QStringLiteral("表面上部に記載"), QStringLiteral("表面下部に記載"),
    QStringLiteral("表面左部に記載"), QStringLiteral("表面右部に記載"), QStringLiteral("裏面上部に記載"),
    QStringLiteral("裏面下部に記載"), QStringLiteral("裏面左部に記載"), QStringLiteral("裏面右部に記載"),
    QStringLiteral("側面上部に記載"), QStringLiteral("側面下部に記載"), QStringLiteral("側面左部に記載"),
    QStringLiteral("側面右部に記載")};

// The captions of the five base date boxes, which follow each box.
const std::array<QString, 5> kDateUnits{QStringLiteral("年"), QStringLiteral("月"), QStringLiteral("日"),
                                        QStringLiteral("時"), QStringLiteral("分")};

QFont boxFont(const QFont &base)
{
    QFont font = base;
    font.setFamily(QString::fromUtf16(engine::kPrinterFont));
    return font;
}

QLineEdit *textBox(const QString &name, const QString &caption, QWidget *parent)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setAccessibleName(caption);
    box->setFont(boxFont(box->font()));
    return box;
}

// Whatever is typed or pasted is cleaned at once, the caret staying after
// what the user put in.
void keepClean(QLineEdit *box, QString (*clean)(QStringView))
{
    QObject::connect(box, &QLineEdit::textEdited, box, [box, clean](const QString &text) {
        const QString cleaned = clean(text);
        if (cleaned == text)
            return;
        const qsizetype caret = clean(QStringView(text).first(box->cursorPosition())).size();
        box->setText(cleaned);
        box->setCursorPosition(static_cast<int>(caret));
    });
}

QLabel *captionFor(QWidget *control, const QString &caption, QWidget *parent)
{
    auto *label = new QLabel(caption, parent);
    label->setBuddy(control);
    return label;
}

QLabel *listHeading(const QString &caption, QWidget *parent)
{
    auto *label = new QLabel(caption, parent);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

QPushButton *commandButton(const QString &name, const QString &caption, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    // Enter on a button presses it: number, Enter, copies, Enter, Enter prints.
    button->setAutoDefault(true);
    button->setMinimumHeight(34);
    return button;
}

QListWidget *listBox(const QString &name, const QString &caption, QWidget *parent)
{
    auto *list = new QListWidget(parent);
    list->setObjectName(name);
    list->setAccessibleName(caption);
    list->setFont(boxFont(list->font()));
    list->setUniformItemSizes(true); // 9999 products fill the list at once
    list->setMinimumWidth(list->fontMetrics().horizontalAdvance(QString(22, u'あ')));
    list->setMinimumHeight(list->fontMetrics().height() * 6);
    return list;
}

} // namespace

Insatsu::Insatsu(const app::AppContext &context, QWidget *parent) : QWidget(parent, Qt::Window), m_context(context)
{
    setObjectName(QStringLiteral("insatsu"));
    setWindowTitle(QStringLiteral("印刷処理"));
    m_previews = std::make_unique<print::WidgetPreviewHost>(this);
    buildControls();
    layOutControls();
    connectControls();
    open();
}

Insatsu::~Insatsu() = default;

void Insatsu::buildControls()
{
    m_label1 = new QLabel(QStringLiteral("印 刷 処 理"), this);
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label1->setAlignment(Qt::AlignCenter);
    QFont heading = m_label1->font();
    heading.setPointSizeF(heading.pointSizeF() * 1.6);
    heading.setBold(true);
    m_label1->setFont(heading);

    m_text1 = textBox(QStringLiteral("Text1"), QStringLiteral("登録番号"), this);
    m_text2 = textBox(QStringLiteral("Text2"), QStringLiteral("品名"), this);
    m_text3 = textBox(QStringLiteral("Text3"), QStringLiteral("名称"), this);
    m_text5 = textBox(QStringLiteral("Text5"), QStringLiteral("内容量"), this);
    m_text13 = textBox(QStringLiteral("Text13"), QStringLiteral("加算日"), this);
    m_text14 = textBox(QStringLiteral("Text14"), QStringLiteral("ラベル"), this);
    m_text12 = textBox(QStringLiteral("Text12"), QStringLiteral("期限表示"), this);
    // The label size and the expiry text are shown, not typed; Tab passes them by.
    for (QLineEdit *shown : {m_text14, m_text12}) {
        shown->setReadOnly(true);
        shown->setFocusPolicy(Qt::ClickFocus);
    }
    const std::array<const char *, 5> dateNames{"Text7", "Text8", "Text9", "Text10", "Text11"};
    for (size_t i = 0; i < m_dateParts.size(); ++i) {
        m_dateParts[i] = textBox(QLatin1String(dateNames[i]), kDateUnits[i], this);
        m_dateParts[i]->setValidator(new DigitValidator({}, m_dateParts[i]));
        m_dateParts[i]->setAlignment(Qt::AlignRight);
        const int digits = i == 0 ? 4 : 2;
        m_dateParts[i]->setMaximumWidth(m_dateParts[i]->fontMetrics().horizontalAdvance(QString(digits + 2, u'0')) + 12);
    }
    m_combo5 = new QComboBox(this);
    m_combo5->setObjectName(QStringLiteral("Combo5"));
    m_combo5->setAccessibleName(QStringLiteral("期限表示方法"));
    m_combo5->setFont(boxFont(m_combo5->font()));
    m_combo5->setEditable(true); // a phrase of the shop's own is printed as typed
    m_combo5->setInsertPolicy(QComboBox::NoInsert);
    m_combo5->addItems(kDisplayMethods);
    m_combo5->setMaxVisibleItems(kDisplayMethods.size());
    m_text4 = textBox(QStringLiteral("Text4"), QStringLiteral("印刷枚数"), this);
    m_text6 = textBox(QStringLiteral("Text6"), QStringLiteral("キーワードで検索"), this);
    m_text6->setMinimumWidth(m_text6->fontMetrics().horizontalAdvance(QString(8, u'あ')));
    m_command4 = commandButton(QStringLiteral("Command4"), QStringLiteral("検索"), this);

    const int wide = m_text2->fontMetrics().horizontalAdvance(QString(18, u'あ'));
    for (QLineEdit *box : {m_text2, m_text3, m_text5, m_text12})
        box->setMinimumWidth(wide);
    const int narrow = m_text1->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 16;
    for (QLineEdit *box : {m_text1, m_text13, m_text4})
        box->setMaximumWidth(narrow * 2);

    m_list1Heading = listHeading(QStringLiteral("■登録商品一覧■"), this);
    m_list1 = listBox(QStringLiteral("List1"), QStringLiteral("■登録商品一覧■"), this);
    m_list2Heading = listHeading(QStringLiteral("■発行予定ラベル一覧■"), this);
    m_list2 = listBox(QStringLiteral("List2"), QStringLiteral("■発行予定ラベル一覧■"), this);

    m_command1 = commandButton(QStringLiteral("Command1"), QStringLiteral("印刷"), this);
    m_command1->setMinimumHeight(48);
    QFont mainFont = m_command1->font();
    mainFont.setPointSizeF(mainFont.pointSizeF() * 1.3);
    mainFont.setBold(true);
    m_command1->setFont(mainFont);
    m_command2 = commandButton(QStringLiteral("Command2"), QStringLiteral("印刷結果の表示"), this);
    m_command3 = commandButton(QStringLiteral("Command3"), QStringLiteral("終了する"), this);
    m_command6 = commandButton(QStringLiteral("Command6"), QStringLiteral("1種類ずつ発行"), this);
    m_command6->setAccessibleDescription(QStringLiteral("ラベル 発行方法"));
    m_command6Caption = captionFor(m_command6, QStringLiteral("ラベル 発行方法"), this);
    m_command7 = commandButton(QStringLiteral("Command7"), QStringLiteral("印刷"), this);
    m_command8 = commandButton(QStringLiteral("Command8"), QStringLiteral("指定行を削除"), this);
    m_command5 = commandButton(QStringLiteral("Command5"), QStringLiteral("ダンプ出力"), this);
    // Three hundred labels at one press: out of the way until F12 in the keyword box.
    m_command5->setVisible(false);
}

void Insatsu::layOutControls()
{
    auto *form = new QGridLayout;
    form->setHorizontalSpacing(10);
    form->setVerticalSpacing(6);
    int row = 0;
    const auto addRow = [&](QWidget *control, const QString &caption) {
        form->addWidget(captionFor(control, caption, this), row, 0);
        form->addWidget(control, row++, 1);
    };
    addRow(m_text1, QStringLiteral("登録番号"));
    addRow(m_text2, QStringLiteral("品名"));
    addRow(m_text3, QStringLiteral("名称"));
    addRow(m_text5, QStringLiteral("内容量"));
    addRow(m_text13, QStringLiteral("加算日"));
    addRow(m_text14, QStringLiteral("ラベル"));
    addRow(m_text12, QStringLiteral("期限表示"));
    auto *dateRow = new QHBoxLayout;
    dateRow->setSpacing(4);
    for (size_t i = 0; i < m_dateParts.size(); ++i) {
        dateRow->addWidget(m_dateParts[i]);
        dateRow->addWidget(new QLabel(kDateUnits[i], this));
        dateRow->addSpacing(4);
    }
    dateRow->addStretch(1);
    form->addWidget(captionFor(m_dateParts[0], QStringLiteral("印刷基準日時"), this), row, 0);
    form->addLayout(dateRow, row++, 1);
    addRow(m_combo5, QStringLiteral("期限表示方法"));
    addRow(m_text4, QStringLiteral("印刷枚数"));
    form->setColumnStretch(1, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_command1, 2);
    buttons->addWidget(m_command2, 1);
    buttons->addWidget(m_command3, 1);

    auto *modeRow = new QHBoxLayout;
    modeRow->addWidget(m_command6Caption);
    modeRow->addWidget(m_command6, 1);

    auto *left = new QVBoxLayout;
    left->addLayout(form);
    left->addSpacing(10);
    left->addLayout(buttons);
    left->addSpacing(6);
    left->addLayout(modeRow);
    left->addWidget(m_command5);
    left->addStretch(1);

    auto *searchRow = new QHBoxLayout;
    searchRow->addWidget(captionFor(m_text6, QStringLiteral("キーワードで検索"), this));
    searchRow->addWidget(m_text6, 1);
    searchRow->addWidget(m_command4);

    auto *listButtons = new QHBoxLayout;
    listButtons->addWidget(m_command7);
    listButtons->addWidget(m_command8);

    // In the several-kinds mode the product list gives half its height to
    // the issue list below it.
    auto *right = new QVBoxLayout;
    right->addLayout(searchRow);
    right->addWidget(m_list1Heading);
    right->addWidget(m_list1, 1);
    right->addWidget(m_list2Heading);
    right->addWidget(m_list2, 1);
    right->addLayout(listButtons);

    auto *columns = new QHBoxLayout;
    columns->setSpacing(20);
    columns->addLayout(left, 3);
    columns->addLayout(right, 2);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 12, 20, 16);
    layout->addWidget(m_label1);
    layout->addSpacing(8);
    layout->addLayout(columns, 1);

    const std::initializer_list<QWidget *> tabOrder{
        m_text1, m_text2, m_text3, m_text5, m_text13, m_dateParts[0], m_dateParts[1], m_dateParts[2],
        m_dateParts[3], m_dateParts[4], m_combo5, m_text4, m_command1, m_command2, m_command3, m_command6,
        m_command5, m_text6, m_command4, m_list1, m_list2, m_command7, m_command8};
    for (auto it = tabOrder.begin(); it + 1 != tabOrder.end(); ++it)
        setTabOrder(*it, *(it + 1));
}

void Insatsu::connectControls()
{
    keepClean(m_text1, &cleanedNumberBoxText);
    keepClean(m_text4, &cleanedNumberBoxText);
    keepClean(m_text13, &cleanedNumberBoxText);
    for (QLineEdit *box : {m_text2, m_text3, m_text5, m_text6})
        keepClean(box, &cleanedBoxText);
    keepClean(m_combo5->lineEdit(), &cleanedBoxText);

    for (QLineEdit *box : {m_text2, m_text3, m_text5, m_text13})
        connect(box, &QLineEdit::textChanged, this, &Insatsu::markEdits);
    for (QLineEdit *box : m_dateParts)
        connect(box, &QLineEdit::textChanged, this, &Insatsu::markDateParts);
    // A way typed, or one chosen from the list (by mouse, arrow keys or wheel).
    connect(m_combo5->lineEdit(), &QLineEdit::textEdited, this, &Insatsu::updateExpiryText);
    connect(m_combo5, &QComboBox::activated, this, &Insatsu::updateExpiryText);
    connect(m_list1, &QListWidget::itemDoubleClicked, this, &Insatsu::chooseListEntry);

    connect(m_command1, &QPushButton::clicked, this, &Insatsu::pressMain);
    connect(m_command2, &QPushButton::clicked, this, &Insatsu::preview);
    connect(m_command3, &QPushButton::clicked, this, &QWidget::close);
    connect(m_command4, &QPushButton::clicked, this, &Insatsu::search);
    connect(m_command5, &QPushButton::clicked, this, &Insatsu::dump);
    connect(m_command6, &QPushButton::clicked, this, &Insatsu::switchMode);
    connect(m_command7, &QPushButton::clicked, this, &Insatsu::printList);
    connect(m_command8, &QPushButton::clicked, this, &Insatsu::deleteEntry);

    // Enter, F12, and leaving a box are handled in eventFilter. The editable
    // list box keeps the focus itself and hands keys to its line edit, so
    // its keys are caught on the box.
    for (QWidget *control : std::initializer_list<QWidget *>{m_text1, m_text2, m_text3, m_text5, m_text13, m_text4,
                                                             m_text6, m_combo5, m_list1})
        control->installEventFilter(this);
    for (QLineEdit *box : m_dateParts)
        box->installEventFilter(this);
}

void Insatsu::open()
{
    const QDateTime now = m_context.clock->now();
    print::IssuingInput opened;
    opened.setBaseDate(now);
    const std::array<QString, 5> parts{opened.year, opened.month, opened.day, opened.hour, opened.minute};
    for (size_t i = 0; i < m_dateParts.size(); ++i)
        m_dateParts[i]->setText(parts[i]);

    QString error;
    const std::optional<store::UserSettings> read = m_context.settings->read(&error);
    if (!read)
        m_context.messages->information(error);
    const store::UserSettings settings = read.value_or(store::UserSettings::defaults());
    if (!settingsPrinterInstalled(m_context, settings)) {
        m_ended = true;
        setEnabled(false);
        return;
    }

    const print::IssuingServices services{.printers = m_context.printers, .settings = m_context.settings,
                                          .messages = m_context.messages, .exit = m_context.programExit,
                                          .previews = m_previews.get(), .workDir = m_context.workDir};
    m_job = std::make_unique<print::IssuingJob>(
        services, print::productFileFor(m_context.workDir, settings, m_context.drive->usbRoot()));

    m_text1->setText(QStringLiteral("0000"));
    m_lookedUp = m_text1->text();
    m_combo5->setCurrentIndex(0);
    m_shown.reset();
    showProduct(std::nullopt);
    fillProductList();
    applyMode();
}

void Insatsu::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_centred) {
        m_centred = true;
        adjustSize();
        print::centreOnScreen(*this);
        m_text1->setFocus(Qt::OtherFocusReason);
    }
}

} // namespace screens
