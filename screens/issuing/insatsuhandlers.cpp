// The issuing screen's buttons, its two modes and its keys.

#include "screens/issuing/insatsu.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>

namespace screens {
namespace {

// Holds a button down for one operation; it comes up again unless the
// program is ending.
class Pressed
{
public:
    Pressed(QPushButton *button, const print::IssuingJob &job) : m_button(button), m_job(job)
    {
        m_button->setEnabled(false);
    }
    ~Pressed()
    {
        if (!m_job.ended())
            m_button->setEnabled(true);
    }
    Pressed(const Pressed &) = delete;
    Pressed &operator=(const Pressed &) = delete;

private:
    QPushButton *m_button = nullptr;
    const print::IssuingJob &m_job;
};

bool isEnter(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

print::IssuingInput Insatsu::input() const
{
    print::IssuingInput in;
    // The number the shown product was found by: a lookup of "0000" leaves
    // the product shown, and its label keeps its own picture.
    in.number = m_shown ? m_shownNumber : m_text1->text();
    in.productName = m_text2->text();
    in.categoryName = m_text3->text();
    in.netContent = m_text5->text();
    in.addDays = m_text13->text();
    in.displayMethod = m_combo5->currentText();
    in.copies = m_text4->text();
    in.year = m_dateParts[0]->text();
    in.month = m_dateParts[1]->text();
    in.day = m_dateParts[2]->text();
    in.hour = m_dateParts[3]->text();
    in.minute = m_dateParts[4]->text();
    in.product = m_shown;
    return in;
}

print::IssuingMode Insatsu::jobMode() const
{
    return m_mode == Mode::OneKind ? print::IssuingMode::OneKind : print::IssuingMode::SeveralKinds;
}

void Insatsu::focusAfter(print::IssuingFocus focus)
{
    switch (focus) {
    case print::IssuingFocus::Number:
        m_text1->setFocus(Qt::OtherFocusReason);
        break;
    case print::IssuingFocus::Copies:
        m_text4->setFocus(Qt::OtherFocusReason);
        break;
    case print::IssuingFocus::Keyword:
        m_text6->setFocus(Qt::OtherFocusReason);
        break;
    case print::IssuingFocus::None:
        break;
    }
}

void Insatsu::pressMain()
{
    if (m_mode == Mode::OneKind)
        printShown();
    else
        registerShown();
}

void Insatsu::printShown()
{
    print::IssuingOutcome outcome;
    {
        const Pressed pressed(m_command1, *m_job);
        outcome = m_job->printShownProduct(input());
    }
    if (!m_job->ended())
        focusAfter(outcome.focus);
}

void Insatsu::registerShown()
{
    print::IssuingOutcome outcome;
    {
        const Pressed pressed(m_command1, *m_job);
        outcome = m_job->registerIssueEntry(input());
        showIssueList();
    }
    focusAfter(outcome.focus);
}

void Insatsu::preview()
{
    m_job->previewShownProduct(input());
}

void Insatsu::printList()
{
    const Pressed pressed(m_command7, *m_job);
    m_job->printIssueList();
}

void Insatsu::deleteEntry()
{
    const int row = m_list2->currentRow();
    if (row < 0 || !m_list2->item(row)->isSelected())
        return;
    m_job->deleteIssueEntry(row);
    showIssueList();
}

void Insatsu::dump()
{
    {
        const Pressed main(m_command1, *m_job);
        const Pressed self(m_command5, *m_job);
        m_job->dumpOutput(input(), jobMode());
    }
    if (!m_job->ended())
        showIssueList();
}

void Insatsu::showIssueList()
{
    // No line stays selected: a second press of 指定行を削除 takes nothing
    // the user did not choose.
    m_list2->clear();
    m_list2->addItems(m_job->issueList().lines());
    m_list2->setCurrentRow(-1);
}

void Insatsu::switchMode()
{
    if (m_mode == Mode::OneKind) {
        m_mode = Mode::SeveralKinds;
        m_job->clearIssueList();
        showIssueList();
    } else {
        // The list stays as it is, hidden, until the next switch empties it.
        m_mode = Mode::OneKind;
    }
    applyMode();
}

void Insatsu::applyMode()
{
    const bool several = m_mode == Mode::SeveralKinds;
    m_command6->setText(several ? QStringLiteral("複数種類をまとめて発行") : QStringLiteral("1種類ずつ発行"));
    // A flat colour: the style's shading would lighten the mode's own.
    m_command6->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; border: 1px solid rgb(128, 128, 128);"
                                             " border-radius: 3px; padding: 6px 12px; }"
                                             "QPushButton:focus { border: 2px solid rgb(48, 140, 198); }"
                                             "QPushButton:pressed { border-style: inset; }")
                                  .arg(several ? QStringLiteral("rgb(192, 192, 255)") : QStringLiteral("rgb(255, 224, 192)")));
    m_command1->setText(several ? QStringLiteral("登録") : QStringLiteral("印刷"));
    for (QWidget *part : std::initializer_list<QWidget *>{m_list2Heading, m_list2, m_command7, m_command8})
        part->setVisible(several);
}

bool Insatsu::keyPressed(QObject *watched, int key)
{
    if (watched == m_text6 && key == Qt::Key_F12) {
        m_command5->setVisible(!m_command5->isVisible());
        return true;
    }
    if (!isEnter(key))
        return false;
    if (watched == m_text1) {
        lookUp();
        return true;
    }
    if (watched == m_list1) {
        chooseListEntry();
        return true;
    }
    QWidget *next = nullptr;
    if (watched == m_text2)
        next = m_text3;
    else if (watched == m_text3)
        next = m_text5;
    else if (watched == m_text5)
        next = m_text13;
    else if (watched == m_text13)
        next = m_text4;
    else if (watched == m_text4)
        next = m_command1;
    else if (watched == m_combo5)
        next = m_text2;
    else if (watched == m_text6)
        next = m_text6->text().isEmpty() ? static_cast<QWidget *>(m_text1) : m_command4;
    const auto part = std::find(m_dateParts.begin(), m_dateParts.end(), watched);
    if (part != m_dateParts.end())
        next = part + 1 == m_dateParts.end() ? static_cast<QWidget *>(m_combo5) : *(part + 1);
    if (!next)
        return false;
    next->setFocus(Qt::OtherFocusReason);
    return true;
}

void Insatsu::focusLeft(QObject *watched)
{
    if (watched == m_text1) {
        if (m_text1->text() != m_lookedUp)
            lookUp();
        return;
    }
    if (watched == m_text13) {
        leaveAddDays();
        return;
    }
    const auto part = std::find(m_dateParts.begin(), m_dateParts.end(), watched);
    if (part != m_dateParts.end())
        leaveDatePart(static_cast<size_t>(part - m_dateParts.begin()));
}

bool Insatsu::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        if (keyPressed(watched, static_cast<QKeyEvent *>(event)->key()))
            return true;
        break;
    case QEvent::FocusIn: {
        // The number and the date boxes take the focus with their text
        // selected, however it comes; after the click that put the caret.
        auto *box = qobject_cast<QLineEdit *>(watched);
        const bool selects = box == m_text1 || std::find(m_dateParts.begin(), m_dateParts.end(), box) != m_dateParts.end();
        if (selects && static_cast<QFocusEvent *>(event)->reason() != Qt::PopupFocusReason)
            QMetaObject::invokeMethod(box, &QLineEdit::selectAll, Qt::QueuedConnection);
        break;
    }
    case QEvent::FocusOut: {
        // Only a move to another control of this screen leaves a box: not
        // a message box, a preview or a context menu coming up.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            focusLeft(watched);
        break;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace screens
