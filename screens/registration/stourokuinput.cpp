// Typing on the registration screen: Enter from box to box, the caption
// separator kept, the counters, the ruled-line switches and the label size.
#include "screens/registration/stouroku.h"

#include "app/confirmation.h"
#include "engine/render/labeljob.h"
#include "platform/messagesink.h"
#include "screens/registration/checkdigits.h"
#include "screens/registration/counters.h"
#include "screens/registration/fieldrules.h"
#include "screens/registration/kakudaiinput.h"
#include "screens/registration/nonplu.h"
#include "screens/registration/switchcaption.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

namespace screens {
namespace {

const QColor kSmallLabelBox(192, 255, 192);

void setTextColour(QWidget *box, const QColor &colour)
{
    QPalette palette = box->palette();
    palette.setColor(QPalette::Text, colour);
    palette.setColor(QPalette::WindowText, colour);
    box->setPalette(palette);
}

void showCounter(QLabel *label, const Counter &counter)
{
    label->setText(counter.text);
    setTextColour(label, counter.colour);
}

// What a box holds and where its cursor and selection are, whatever kind of box it is.
struct BoxText
{
    QString text;
    int cursor = 0;
    int selectionStart = 0;
    int selectionLength = 0;
};

BoxText boxText(QObject *box)
{
    if (auto *combo = qobject_cast<QComboBox *>(box))
        box = combo->lineEdit();
    if (auto *line = qobject_cast<QLineEdit *>(box)) {
        const int start = line->hasSelectedText() ? line->selectionStart() : line->cursorPosition();
        return {line->text(), line->cursorPosition(), start, static_cast<int>(line->selectedText().size())};
    }
    if (auto *lines = qobject_cast<QPlainTextEdit *>(box)) {
        const QTextCursor cursor = lines->textCursor();
        return {lines->toPlainText(), cursor.position(), cursor.selectionStart(), cursor.selectionEnd() - cursor.selectionStart()};
    }
    return {};
}

} // namespace

QString S_Touroku::labelSize() const
{
    return m_combo7->currentText();
}

void S_Touroku::connectControls()
{
    // The boxes that react to Enter, focus and the caption separator.
    for (QWidget *box : std::initializer_list<QWidget *>{
             m_text1, m_text2, m_text3, m_text4, m_text5, m_combo1, m_combo2, m_combo6, m_text6, m_combo5, m_text7,
             m_text15, m_text16, m_text8, m_text9, m_text11, m_text12, m_combo4, m_text13, m_text14, m_list1})
        box->installEventFilter(this);
    m_text4->viewport()->installEventFilter(this);
    m_text8->viewport()->installEventFilter(this);

    for (QLineEdit *box : {m_text2, m_text3, m_text5, m_text7, m_text15, m_text16, m_text9, m_text11, m_text13, m_text14})
        connect(box, &QLineEdit::textChanged, this, &S_Touroku::updateCounters);
    for (QPlainTextEdit *box : {m_text4, m_text8})
        connect(box, &QPlainTextEdit::textChanged, this, &S_Touroku::updateCounters);
    for (QComboBox *box : {m_combo1, m_combo5})
        connect(box, &QComboBox::currentTextChanged, this, &S_Touroku::updateCounters);
    // The mark and the barcode decide whether the landscape label's side column is taken.
    connect(m_combo4, &QComboBox::currentTextChanged, this, &S_Touroku::updateCounters);
    connect(m_text12, &QLineEdit::textEdited, this, &S_Touroku::barcodeEdited);
    connect(m_text12, &QLineEdit::textChanged, this, &S_Touroku::updateCounters);
    connect(m_combo7, &QComboBox::activated, this, &S_Touroku::applyLabelSize);

    for (size_t i = 0; i < m_switchCaptions.size(); ++i) {
        for (SwitchCaption *caption : std::as_const(m_switchCaptions[i]))
            connect(caption, &SwitchCaption::clicked, this, [this, i] { clickSwitch(static_cast<store::RuledGroup>(i)); });
    }
    connect(m_barcodeCaption, &SwitchCaption::doubleClicked, this, [this] {
        m_context.messages->information(QStringLiteral("バーコードの外側に罫線表示は行なえません"));
    });
    connect(m_recycleCaption, &SwitchCaption::doubleClicked, this, [this] {
        m_context.messages->information(QStringLiteral("リサイクルマークの外側に罫線表示は行なえません"));
    });
    connect(m_command5, &QPushButton::clicked, this, [this] {
        m_switches.toggleAll();
        updateSwitches();
    });

    connect(m_list1, &QListWidget::itemSelectionChanged, this,
            [this] { m_command4->setEnabled(!m_list1->selectedItems().isEmpty()); });
    connect(m_list1, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem *item) { loadRecord(item->text().left(4)); });
    connect(m_command1, &QPushButton::clicked, this, &S_Touroku::save);
    connect(m_command4, &QPushButton::clicked, this, &S_Touroku::removeSelected);
    connect(m_command3, &QPushButton::clicked, this, &S_Touroku::preview);
    connect(m_command2, &QPushButton::clicked, this, &S_Touroku::returnToMenu);
    connect(m_command6, &QPushButton::clicked, this, &S_Touroku::registerPicture);
    connect(m_command7, &QPushButton::clicked, this, &S_Touroku::deletePicture);
}

bool S_Touroku::eventFilter(QObject *watched, QEvent *event)
{
    // The boxes of several lines take their clicks on their viewport.
    QObject *box = watched;
    if (watched == m_text4->viewport())
        box = m_text4;
    else if (watched == m_text8->viewport())
        box = m_text8;
    switch (event->type()) {
    case QEvent::KeyPress:
        if (handleKey(box, static_cast<QKeyEvent *>(event)))
            return true;
        break;
    case QEvent::FocusIn:
        gainFocus(box);
        break;
    case QEvent::FocusOut:
        loseFocus(box);
        break;
    case QEvent::MouseButtonDblClick:
        if (box == m_text12) {
            openInstoreCode();
            return true;
        }
        if (openEnlargedEditor(box))
            return true;
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

bool S_Touroku::handleKey(QObject *watched, QKeyEvent *event)
{
    const int key = event->key();
    if (key == Qt::Key_Backspace || key == Qt::Key_Delete) {
        if (watched == m_list1) {
            if (key == Qt::Key_Delete)
                removeSelected();
            return key == Qt::Key_Delete;
        }
        return protectsSeparator(watched) && keepSeparator(watched, event);
    }
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    if (watched == m_list1) {
        if (QListWidgetItem *item = m_list1->currentItem(); item && item->isSelected())
            loadRecord(item->text().left(4));
        return true;
    }
    if (watched == m_text1) {
        m_text1->setText(normalisedNumber(m_text1->text()));
        loadRecord(m_text1->text());
    }
    // Where Enter goes on from each box; it is never typed.
    const std::pair<QWidget *, QWidget *> path[] = {
        {m_text1, m_text2},   {m_text2, m_text3},   {m_text3, m_text4},   {m_text4, m_text5},   {m_text5, m_combo1},
        {m_combo1, m_combo2}, {m_combo2, m_combo6}, {m_combo6, m_text6},  {m_text6, m_combo5},  {m_combo5, m_text7},
        {m_text7, m_text15},  {m_text15, m_text16}, {m_text16, m_text8},  {m_text8, m_command3}, {m_text9, m_text11},
        {m_text11, m_text12}, {m_text12, m_combo4}, {m_combo4, m_text13}, {m_text13, m_text14}, {m_text14, m_command3}};
    for (const auto &[from, to] : path) {
        if (from == watched) {
            // A box the small label switches off passes the focus on.
            QWidget *next = to;
            while (next && !next->isEnabled()) {
                const auto after = std::find_if(std::begin(path), std::end(path), [next](const auto &step) { return step.first == next; });
                next = after == std::end(path) ? nullptr : after->second;
            }
            if (next)
                next->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return false;
}

bool S_Touroku::protectsSeparator(QObject *watched) const
{
    for (const QObject *box : std::initializer_list<const QObject *>{m_text2, m_text3, m_text4, m_text5, m_text7, m_text8,
                                                                     m_text9, m_text11, m_text15, m_text16, m_combo2}) {
        if (box == watched)
            return true;
    }
    return false;
}

// Backspace or Delete about to remove the ":" that ends a field's caption:
// the user is asked first; "いいえ" keeps it.
bool S_Touroku::keepSeparator(QObject *watched, QKeyEvent *event)
{
    const BoxText box = boxText(watched);
    const EraseKey key = event->key() == Qt::Key_Backspace ? EraseKey::Backspace : EraseKey::Delete;
    if (!erasesSeparator(box.text, box.cursor, box.selectionStart, box.selectionLength, key))
        return false;
    return !m_context.messages->question(QStringLiteral("項目名区切り文字「：」を削除しようとしています。よろしいですか？"));
}

void S_Touroku::gainFocus(QObject *watched)
{
    if (watched == m_text1) {
        m_text1->selectAll();
        return;
    }
    // Typing goes on behind a field's caption.
    if (auto *line = qobject_cast<QLineEdit *>(watched); line && protectsSeparator(line)) {
        if (endsWithCaption(line->text()))
            line->setCursorPosition(static_cast<int>(line->text().size()));
    } else if (auto *lines = qobject_cast<QPlainTextEdit *>(watched)) {
        if (endsWithCaption(lines->toPlainText()))
            lines->moveCursor(QTextCursor::End);
    }
}

void S_Touroku::loseFocus(QObject *watched)
{
    if (watched == m_text1) {
        m_text1->setText(normalisedNumber(m_text1->text()));
    } else if (watched == m_text6) {
        m_text6->setText(plainAddDays(m_text6->text()));
    } else if (watched == m_text4) {
        const QString tidy = tidyIngredients(m_text4->toPlainText());
        if (tidy != m_text4->toPlainText())
            m_text4->setPlainText(tidy);
    } else if (watched == m_text12) {
        checkBarcode();
    } else if (watched == m_list1 && m_list1->selectedItems().isEmpty()) {
        m_command4->setEnabled(false);
    }
}

void S_Touroku::updateCounters()
{
    if (m_loading)
        return;
    const QString size = labelSize();
    const bool side = sideColumnInUse(m_combo4->currentText(), m_text12->text());
    const auto show = [&](QLabel *label, CounterField field, const QString &text) {
        showCounter(label, fieldCounter(field, text, size, side));
    };
    show(m_label21, CounterField::ProductName, m_text2->text());
    show(m_label22, CounterField::CategoryName, m_text3->text());
    show(m_label24, CounterField::NetContent, m_text5->text() + m_combo1->currentText());
    show(m_label34, CounterField::ExpiryAltText, m_combo5->currentText());
    show(m_label25, CounterField::Storage, m_text7->text());
    show(m_label17, CounterField::Spare1, m_text15->text());
    show(m_label40, CounterField::Spare2, m_text16->text());
    show(m_label26, CounterField::Responsible, m_text8->toPlainText());
    show(m_label27, CounterField::Spare3, m_text9->text());
    show(m_label29, CounterField::Remarks, m_text11->text());
    show(m_label31, CounterField::RecycleSub, m_text13->text());
    show(m_label32, CounterField::RecycleSub, m_text14->text());

    // The ingredients after a question mark go on a second label.
    const IngredientsCounters ingredients = ingredientsCounters(m_text4->toPlainText());
    setTextColour(m_text4, ingredients.extension ? QColor(0, 0, 255) : QColor(Qt::black));
    m_extensionNote->setVisible(ingredients.extension);
    m_ingredientsFirst->setVisible(ingredients.extension);
    m_ingredientsFirst->setText(ingredients.first);
    m_ingredientsSecond->setText(ingredients.second);
    setTextColour(m_ingredientsSecond, ingredients.extension ? QColor(0, 0, 255) : QColor(Qt::black));
}

void S_Touroku::updateSwitches()
{
    for (size_t i = 0; i < m_switchCaptions.size(); ++i) {
        const QColor colour = RulingSwitches::captionColour(m_switches.state(static_cast<store::RuledGroup>(i)));
        for (SwitchCaption *caption : std::as_const(m_switchCaptions[i]))
            caption->setColour(colour);
    }
    m_command5->setText(m_switches.toggleCaption());
    const QColor back = m_switches.toggleColour();
    m_command5->setStyleSheet(QStringLiteral("QPushButton#Command5 { background-color: rgb(%1, %2, %3); }")
                                  .arg(back.red())
                                  .arg(back.green())
                                  .arg(back.blue()));
}

void S_Touroku::clickSwitch(store::RuledGroup group)
{
    m_switches.click(group, labelSize() == engine::kSmallLabel);
    updateSwitches();
}

void S_Touroku::applyLabelSize()
{
    const bool small = labelSize() == engine::kSmallLabel;
    // The small label has no spare 3, remarks, barcode or marks.
    for (QWidget *box : std::initializer_list<QWidget *>{m_text9, m_text11, m_text12, m_combo4, m_text13, m_text14}) {
        box->setEnabled(!small);
        QPalette palette = box->palette();
        palette.setColor(QPalette::Base, small ? kSmallLabelBox : QColor(Qt::white));
        palette.setColor(QPalette::Button, small ? kSmallLabelBox : QGuiApplication::palette().color(QPalette::Button));
        box->setPalette(palette);
    }
    for (QLabel *count : {m_label27, m_label29, m_barcodeCounter, m_label31, m_label32})
        count->setVisible(!small);
    m_switches.applyLabelSize(small);
    m_recycleCaption->setColour(small ? QColor(204, 204, 204) : QColor(Qt::black));
    updateSwitches();
    updateCounters();
}

void S_Touroku::barcodeEdited()
{
    // Cut to 13 after each key; the counter tells how long it was.
    const qsizetype typed = m_text12->text().size();
    if (typed > 13) {
        m_text12->setText(m_text12->text().left(13));
        m_text12->setCursorPosition(13);
    }
    m_barcodeCounter->setText(QStringLiteral("(%1/13) ").arg(typed));
}

void S_Touroku::checkBarcode()
{
    const BarcodeCheck check = screens::checkBarcode(m_text12->text());
    if (check.barcode != m_text12->text()) {
        m_text12->setText(check.barcode);
        m_barcodeCounter->setText(QStringLiteral("(%1/13) ").arg(check.barcode.size()));
    }
    if (check.notice)
        m_context.confirmation->ask(*check.notice);
}

bool S_Touroku::openEnlargedEditor(QObject *watched)
{
    const std::pair<QObject *, EditorField> fields[] = {
        {m_text2, EditorField::ProductName}, {m_text3, EditorField::CategoryName}, {m_text4, EditorField::Ingredients},
        {m_text7, EditorField::Storage},     {m_text8, EditorField::Responsible},  {m_text9, EditorField::Spare3},
        {m_text11, EditorField::Remarks},    {m_text15, EditorField::Spare1},      {m_text16, EditorField::Spare2}};
    for (const auto &[box, field] : fields) {
        if (box != watched)
            continue;
        auto *line = qobject_cast<QLineEdit *>(box);
        auto *lines = qobject_cast<QPlainTextEdit *>(box);
        const QString text = line ? line->text() : lines->toPlainText();
        const std::optional<QString> edited = Kakudai_Input::edit(field, text, m_context.workDir, *m_context.messages, this);
        activateWindow();
        if (edited) {
            if (line)
                line->setText(*edited);
            else
                lines->setPlainText(*edited);
        }
        return true;
    }
    return false;
}

void S_Touroku::openInstoreCode()
{
    const std::optional<QString> code = Nonplu::ask(*m_context.messages, this);
    if (!code)
        return;
    m_text12->setText(*code);
    m_barcodeCounter->setText(QStringLiteral("(13/13) "));
    activateWindow();
    m_combo4->setFocus(Qt::OtherFocusReason);
}

} // namespace screens
