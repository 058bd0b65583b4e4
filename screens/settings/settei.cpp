#include "screens/settings/settei.h"

#include "app/confirmation.h"
#include "engine/render/labeljob.h"
#include "platform/messagesink.h"
#include "platform/printersystem.h"
#include "platform/programexit.h"
#include "platform/removabledrive.h"
#include "print/ui/centring.h"
#include "print/ui/paperselectionwindow.h"
#include "print/ui/printermodelwindow.h"
#include "screens/common/digitvalidator.h"
#include "screens/settings/backup.h"
#include "screens/settings/printerdefaults.h"
#include "screens/settings/settingvalue.h"
#include "store/datalocation.h"
#include "store/settingssource.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace screens {
namespace {

const QString kNoPrinterOnSave = QStringLiteral("プリンターが選択されていません\r\rプリンターを選択して下さい");
const QString kNoPrinterOnReturn =
    QStringLiteral("プリンターが選択されていません\r\rメインメニューに戻らず、ソフトウェアを終了します");
const QString kLocationChanged = QStringLiteral("商品情報の保存先を変更しましたので、ソフトウェアを一旦終了します\r\r"
                                                "恐れ入りますが、さくらべを再度起動して下さい");
const QString kSaveFailed = QStringLiteral("印刷設定の保存に失敗しました");
const QString kPaperListCaption = QStringLiteral("登録用紙の一覧を表示");

// The caption beside a box, which is also the box's name for a screen reader.
QLabel *captionFor(QWidget *control, const QString &caption, QWidget *parent)
{
    auto *label = new QLabel(caption, parent);
    label->setBuddy(control);
    control->setAccessibleName(caption);
    return label;
}

QLineEdit *positionBox(const QString &name, QWidget *parent)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setValidator(new DigitValidator({.leadingMinus = true}, box));
    box->setMaximumWidth(110);
    return box;
}

QComboBox *listBox(const QString &name, const QStringList &entries, QWidget *parent)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(name);
    box->addItems(entries);
    return box;
}

// Shows `value` in a drop-down list; a value the list lacks (a hand-edited
// user.dat) is added, so that saving keeps it rather than a guess.
void showValue(QComboBox *box, const QString &value)
{
    int index = box->findText(value);
    if (index < 0) {
        box->addItem(value);
        index = box->count() - 1;
    }
    box->setCurrentIndex(index);
}

QPushButton *commandButton(const QString &name, const QString &caption, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    button->setMinimumHeight(36);
    return button;
}

} // namespace

Settei::Settei(const app::AppContext &context, QWidget *parent) : QWidget(parent, Qt::Window), m_context(context)
{
    setObjectName(QStringLiteral("Settei"));
    setWindowTitle(QStringLiteral("印刷設定"));
    buildControls();
    open();
}

Settei::~Settei() = default;

void Settei::buildControls()
{
    m_label2 = new QLabel(QStringLiteral("各 種 設 定"), this);
    m_label2->setObjectName(QStringLiteral("Label2"));
    m_label2->setAlignment(Qt::AlignCenter);
    QFont heading = m_label2->font();
    heading.setPointSizeF(heading.pointSizeF() * 1.6);
    heading.setBold(true);
    m_label2->setFont(heading);

    m_combo1 = new QComboBox(this);
    m_combo1->setObjectName(QStringLiteral("Combo1"));
    m_combo1->setEditable(true);
    m_combo1->setInsertPolicy(QComboBox::NoInsert);
    m_combo1->setMinimumWidth(320);
    m_text2 = positionBox(QStringLiteral("Text2"), this);
    m_text3 = positionBox(QStringLiteral("Text3"), this);
    m_text5 = positionBox(QStringLiteral("Text5"), this);
    m_text4 = positionBox(QStringLiteral("Text4"), this);
    const std::array<const char *, 4> hintNames{"Label5", "Label8", "Label17", "Label16"};
    const std::array<QString, 4> positionCaptions{QStringLiteral("縦書き-ﾖｺ開始位置"), QStringLiteral("縦書き-ﾀﾃ開始位置"),
                                                  QStringLiteral("横書き-ﾖｺ開始位置"), QStringLiteral("横書き-ﾀﾃ開始位置")};
    for (size_t i = 0; i < m_hints.size(); ++i) {
        m_hints[i] = new QLabel(this);
        m_hints[i]->setObjectName(QLatin1String(hintNames[i]));
        m_hints[i]->setAccessibleDescription(positionCaptions[i] + QStringLiteral("のヒント"));
    }
    m_combo2 = listBox(QStringLiteral("Combo2"), {store::kCollatedOff.toString(), store::kCollatedOn.toString()}, this);
    m_combo3 = listBox(QStringLiteral("Combo3"), {store::kLocationUsb.toString(), store::kLocationHardDisk.toString()}, this);
    m_label14 = new QLabel(this);
    m_label14->setObjectName(QStringLiteral("Label14"));
    m_label14->setAccessibleDescription(QStringLiteral("使用用紙番号"));
    m_combo4 = listBox(QStringLiteral("Combo4"), {store::kBarcodeBySoftware.toString(), store::kBarcodeByFont.toString()},
                       this);

    QFont boxFont = m_text2->font();
    boxFont.setFamily(QString::fromUtf16(engine::kPrinterFont));
    for (QWidget *box : std::initializer_list<QWidget *>{m_combo1, m_text2, m_text3, m_text5, m_text4})
        box->setFont(boxFont);

    m_command1 = commandButton(QStringLiteral("Command1"), QStringLiteral("設定を保存する"), this);
    m_command2 = commandButton(QStringLiteral("Command2"), QStringLiteral("メインメニューに戻る"), this);
    m_label12 = new QLabel(QStringLiteral("補助機能"), this);
    m_label12->setObjectName(QStringLiteral("Label12"));
    m_command4 = commandButton(QStringLiteral("Command4"), kPaperListCaption, this);
    m_command3 = commandButton(QStringLiteral("Command3"), QStringLiteral("商品情報のバックアップ"), this);

    auto *form = new QGridLayout;
    form->setHorizontalSpacing(12);
    form->setVerticalSpacing(8);
    int row = 0;
    form->addWidget(captionFor(m_combo1, QStringLiteral("使用プリンタ"), this), row, 0);
    form->addWidget(m_combo1, row++, 1, 1, 2);
    const std::array<QLineEdit *, 4> positions{m_text2, m_text3, m_text5, m_text4};
    for (size_t i = 0; i < positions.size(); ++i) {
        form->addWidget(captionFor(positions[i], positionCaptions[i], this), row, 0);
        form->addWidget(positions[i], row, 1);
        form->addWidget(m_hints[i], row++, 2);
    }
    form->addWidget(captionFor(m_combo2, QStringLiteral("部単位印刷"), this), row, 0);
    form->addWidget(m_combo2, row++, 1);
    form->addWidget(captionFor(m_combo3, QStringLiteral("商品情報の保存先"), this), row, 0);
    form->addWidget(m_combo3, row++, 1);
    auto *paperCaption = new QLabel(QStringLiteral("使用用紙番号"), this);
    form->addWidget(paperCaption, row, 0);
    form->addWidget(m_label14, row++, 1);
    form->addWidget(captionFor(m_combo4, QStringLiteral("ラベル縦書き時の　バーコード生成方法"), this), row, 0);
    form->addWidget(m_combo4, row++, 1, 1, 2);
    form->setColumnStretch(2, 1);

    auto *saveRow = new QHBoxLayout;
    saveRow->addWidget(m_command1);
    saveRow->addWidget(m_command2);

    auto *helpers = new QGroupBox(this);
    auto *helperRow = new QHBoxLayout(helpers);
    helperRow->addWidget(m_command4);
    helperRow->addWidget(m_command3);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 16, 24, 16);
    layout->addWidget(m_label2);
    layout->addSpacing(8);
    layout->addLayout(form);
    layout->addSpacing(12);
    layout->addLayout(saveRow);
    layout->addSpacing(8);
    layout->addWidget(m_label12);
    layout->addWidget(helpers);

    connect(m_combo1, &QComboBox::activated, this, [this] { applyPrinterDefaults(true); });
    connect(m_combo1->lineEdit(), &QLineEdit::textEdited, this, [this] { applyPrinterDefaults(m_autoApply); });
    connect(m_command1, &QPushButton::clicked, this, &Settei::save);
    connect(m_command2, &QPushButton::clicked, this, &Settei::returnToMenu);
    connect(m_command4, &QPushButton::clicked, this, &Settei::showPaperList);
    connect(m_command3, &QPushButton::clicked, this, &Settei::showBackups);
    // The editable printer box keeps the focus itself and hands keys to its
    // line edit directly, so Enter is caught on the box.
    for (QWidget *control : std::initializer_list<QWidget *>{m_combo1, m_text2, m_text3, m_text5, m_text4, m_combo2, m_combo3})
        control->installEventFilter(this);
}

void Settei::open()
{
    m_autoApply = false;
    QString error;
    const std::optional<store::UserSettings> read = m_context.settings->read(&error);
    if (!read)
        m_context.messages->information(error);
    m_opened = read.value_or(store::UserSettings::defaults());

    // The printers in the system's order, with line 1 as the box's text
    // whether or not it is among them.
    m_combo1->addItems(m_context.printers->printerNames());
    m_combo1->setCurrentIndex(-1);
    m_combo1->setEditText(m_opened.printer);
    applyPrinterDefaults(m_autoApply);

    m_text2->setText(m_opened.portraitStartX);
    m_text3->setText(m_opened.portraitStartY);
    showValue(m_combo2, m_opened.collatedPrinting);
    showValue(m_combo3, m_opened.dataLocation);
    showValue(m_combo4, m_opened.barcodeMethod);
    m_text5->setText(m_opened.landscapeStartX);
    m_text4->setText(m_opened.landscapeStartY);
    m_label14->setText(m_opened.paperForm);

    // Without a USB memory there is nothing to choose.
    if (m_context.drive->usbRoot().isEmpty()) {
        showValue(m_combo3, store::kLocationHardDisk.toString());
        m_combo3->setEnabled(false);
    }
}

void Settei::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_centred) {
        m_centred = true;
        adjustSize();
        print::centreOnScreen(*this);
    }
}

void Settei::applyPrinterDefaults(bool apply)
{
    const AskModel askModel = [this](ModelFamily family) -> std::optional<int> {
        const std::array<QString, 2> captions = modelCaptions(family);
        const std::optional<QString> answer = print::askPrinterModel(captions[0], captions[1], this);
        activateWindow();
        m_combo1->setFocus();
        if (!answer)
            return std::nullopt;
        return answer->toInt();
    };
    const PrinterDefaults defaults = printerDefaults(m_combo1->currentText(), apply, askModel);
    if (defaults.askedModel)
        m_autoApply = true;
    if (defaults.hints) {
        for (size_t i = 0; i < m_hints.size(); ++i)
            m_hints[i]->setText((*defaults.hints)[i]);
    }
    if (defaults.values) {
        const std::array<QLineEdit *, 4> positions{m_text2, m_text3, m_text5, m_text4};
        for (size_t i = 0; i < positions.size(); ++i)
            positions[i]->setText(defaults.values->positions[i]);
        m_label14->setText(defaults.values->paperForm);
    }
}

store::UserSettings Settei::formSettings() const
{
    store::UserSettings settings;
    settings.printer = cleanSettingValue(m_combo1->currentText());
    settings.portraitStartX = cleanSettingValue(m_text2->text());
    settings.portraitStartY = cleanSettingValue(m_text3->text());
    settings.collatedPrinting = m_combo2->currentText();
    settings.dataLocation = m_combo3->currentText();
    settings.paperForm = m_label14->text();
    settings.barcodeMethod = m_combo4->currentText();
    settings.landscapeStartX = cleanSettingValue(m_text5->text());
    settings.landscapeStartY = cleanSettingValue(m_text4->text());
    return settings;
}

void Settei::save()
{
    const store::UserSettings settings = formSettings();
    m_combo1->setEditText(settings.printer);
    m_text2->setText(settings.portraitStartX);
    m_text3->setText(settings.portraitStartY);
    m_text5->setText(settings.landscapeStartX);
    m_text4->setText(settings.landscapeStartY);
    if (settings.printer.isEmpty())
        return;

    const store::FileResult written = store::writeUserSettings(m_context.workDir, settings);
    if (!written) {
        // The store says what failed and why; the user is told in the screen's words.
        const QString reason = written.message.section(u'\r', 1);
        m_context.messages->information(reason.isEmpty() ? kSaveFailed : kSaveFailed + u'\r' + reason);
        return;
    }
    if (!settings.hasPrinter()) {
        m_context.messages->information(kNoPrinterOnSave);
        return;
    }
    // Only a move of the product file's folder needs a new start: without a
    // USB memory both locations are the working folder.
    const QString usbRoot = m_context.drive->usbRoot();
    if (store::dataFolder(m_context.workDir, m_opened.dataLocation, usbRoot)
        != store::dataFolder(m_context.workDir, settings.dataLocation, usbRoot)) {
        endProgram(kLocationChanged);
        return;
    }
    m_autoApply = true;
    m_context.confirmation->ask(app::ConfirmationRequest::acknowledgement(
        QStringLiteral("設定を登録しました"), QStringLiteral("メインメニューに戻ります"), {}, QStringLiteral("はい")));
    close();
}

void Settei::returnToMenu()
{
    if (m_combo1->currentText() == store::kPrinterPlaceholder) {
        endProgram(kNoPrinterOnReturn);
        return;
    }
    close();
}

void Settei::endProgram(const QString &message)
{
    m_context.messages->information(message);
    m_context.programExit->exit(0);
}

void Settei::showPaperList()
{
    m_command4->setText(QStringLiteral("少々お待ち下さい"));
    m_command4->setEnabled(false);
    m_command4->repaint();
    const std::optional<QString> form =
        print::choosePaperForm(*m_context.printers, m_combo1->currentText(), *m_context.messages, this);
    if (form)
        m_label14->setText(*form);
    m_command4->setText(kPaperListCaption);
    m_command4->setEnabled(true);
    activateWindow();
}

void Settei::showBackups()
{
    auto *backups = new Backup(m_context);
    backups->setAttribute(Qt::WA_DeleteOnClose);
    // The settings come back however the backup screen is left.
    connect(backups, &QObject::destroyed, this, [self = QPointer<Settei>(this)] {
        if (self) {
            self->show();
            self->activateWindow();
        }
    });
    hide();
    backups->show();
}

bool Settei::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent *>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return QWidget::eventFilter(watched, event);
    // Enter goes on to the next box and is never typed; a box that cannot
    // take the focus (the location without a USB memory) is passed over.
    const std::array<QWidget *, 8> order{m_combo1, m_text2, m_text3, m_text5, m_text4, m_combo2, m_combo3, m_command1};
    const auto at = std::find(order.begin(), order.end(), watched);
    for (auto next = at == order.end() ? at : at + 1; next != order.end(); ++next) {
        if ((*next)->isEnabled()) {
            (*next)->setFocus(Qt::TabFocusReason);
            break;
        }
    }
    return true;
}

} // namespace screens
