#include "screens/registration/kakudaiinput.h"

#include "engine/render/labeljob.h"
#include "print/ui/centring.h"
#include "screens/common/cp932validator.h"
#include "screens/registration/mojiretsuwrite.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace screens {
namespace {

// An option with the note that says what it does, greyed out with it when
// the field does not offer it.
QRadioButton *option(const QString &name, const QString &caption, const QString &noteName, const QString &note,
                     bool offered, QGridLayout *grid, int row, QWidget *parent)
{
    auto *button = new QRadioButton(caption, parent);
    button->setObjectName(name);
    button->setEnabled(offered);
    grid->addWidget(button, row, 0);
    if (!note.isEmpty()) {
        auto *label = new QLabel(note, parent);
        label->setObjectName(noteName);
        label->setTextFormat(Qt::PlainText); // the note names a tag: "<b>"
        label->setEnabled(offered);
        grid->addWidget(label, row, 1);
    }
    return button;
}

} // namespace

Kakudai_Input::Kakudai_Input(EditorField field, const QString &text, const QString &workDir,
                             platform::MessageSink &messages, QWidget *parent)
    : QDialog(parent), m_field(enlargedField(field)), m_workDir(workDir), m_messages(messages)
{
    setObjectName(QStringLiteral("Kakudai_Input"));
    setWindowTitle(m_field.title);
    setWindowModality(Qt::ApplicationModal);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    auto *title = new QLabel(m_field.title, this);
    title->setObjectName(QStringLiteral("Label1"));
    QFont heading = title->font();
    heading.setBold(true);
    heading.setPointSizeF(heading.pointSizeF() * 1.4);
    title->setFont(heading);
    auto *help = new QLabel(m_field.helpText(), this);
    help->setObjectName(QStringLiteral("Label3"));
    help->setAccessibleDescription(QStringLiteral("入力についての説明"));
    help->setTextFormat(Qt::PlainText);

    m_text1 = new QPlainTextEdit(text, this);
    m_text1->setObjectName(QStringLiteral("Text1"));
    m_text1->setAccessibleName(m_field.title);
    QFont boxFont = m_text1->font();
    boxFont.setFamily(QString::fromUtf16(engine::kPrinterFont));
    boxFont.setPointSizeF(boxFont.pointSizeF() * 1.3);
    m_text1->setFont(boxFont);
    m_text1->setMinimumSize(620, 120);
    m_text1->setTabChangesFocus(true);
    m_text1->installEventFilter(this);
    keepToCp932(m_text1);
    auto *note = new QLabel(QStringLiteral("※改行は、空白の入力で行なって下さい。(Enter不可)"), this);
    note->setObjectName(QStringLiteral("Label2"));

    auto *frame = new QGroupBox(QStringLiteral("特殊表現(いずれかを選択)"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    auto *options = new QGridLayout(frame);
    m_option5 = option(QStringLiteral("Option5"), QStringLiteral("特殊表現は行なわない"), {}, {}, true, options, 0, frame);
    m_option2 = option(QStringLiteral("Option2"), QStringLiteral("日付書式での表示を行う"), QStringLiteral("Label5"),
                       QStringLiteral("→入力行の頭に<d>が付加されます。"), m_field.date, options, 1, frame);
    m_option3 = option(QStringLiteral("Option3"), QStringLiteral("文字を強調表示する"), QStringLiteral("Label6"),
                       QStringLiteral("→入力行の頭に<b>が付加されます。"), m_field.bold, options, 2, frame);
    m_option4 = option(QStringLiteral("Option4"), QStringLiteral("強調１４ポイント文字使用"), QStringLiteral("Label7"),
                       QStringLiteral("→入力行の頭に<w>が付加されます。"), m_field.wide, options, 3, frame);
    options->setColumnStretch(1, 1);
    connect(m_option5, &QRadioButton::clicked, this, [this] { chooseOption(MarkupOption::None); });
    connect(m_option2, &QRadioButton::clicked, this, [this] { chooseOption(MarkupOption::Date); });
    connect(m_option3, &QRadioButton::clicked, this, [this] { chooseOption(MarkupOption::Bold); });
    connect(m_option4, &QRadioButton::clicked, this, [this] { chooseOption(MarkupOption::Wide); });
    showOption(openingOption(text, m_field.checksLeadingTag));

    auto *phrases = new QVBoxLayout;
    phrases->setSpacing(3);
    for (size_t i = 0; i < m_phraseButtons.size(); ++i) {
        m_phraseButtons[i] = new QPushButton(QStringLiteral("未使用"), this);
        m_phraseButtons[i]->setObjectName(QStringLiteral("Command4(%1)").arg(i));
        m_phraseButtons[i]->setAutoDefault(false);
        m_phraseButtons[i]->setStyleSheet(QStringLiteral("text-align: left; padding: 3px 8px;"));
        connect(m_phraseButtons[i], &QPushButton::clicked, this, [this, i] { insertPhrase(i); });
        phrases->addWidget(m_phraseButtons[i]);
    }
    auto *registerButton = new QPushButton(QStringLiteral("よく使う文字列を事前登録する"), this);
    registerButton->setObjectName(QStringLiteral("Command3"));
    auto *ok = new QPushButton(QStringLiteral("登 録"), this);
    ok->setObjectName(QStringLiteral("Command1"));
    auto *cancel = new QPushButton(QStringLiteral("キャンセル"), this);
    cancel->setObjectName(QStringLiteral("Command2"));
    for (QPushButton *b : {registerButton, ok, cancel}) {
        b->setAutoDefault(false);
        b->setMinimumHeight(34);
    }
    connect(registerButton, &QPushButton::clicked, this, &Kakudai_Input::registerPhrases);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(registerButton);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto *lower = new QHBoxLayout;
    lower->addWidget(frame, 1);
    lower->addLayout(phrases, 1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 14, 20, 14);
    layout->addWidget(title);
    layout->addWidget(help);
    layout->addWidget(m_text1, 1);
    layout->addWidget(note);
    layout->addLayout(lower);
    layout->addLayout(buttons);
}

QString Kakudai_Input::text() const
{
    return m_text1->toPlainText();
}

std::optional<QString> Kakudai_Input::edit(EditorField field, const QString &text, const QString &workDir,
                                           platform::MessageSink &messages, QWidget *parent)
{
    Kakudai_Input editor(field, text, workDir, messages, parent);
    if (editor.exec() != QDialog::Accepted)
        return std::nullopt;
    return editor.text();
}

void Kakudai_Input::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_centred) {
        m_centred = true;
        adjustSize();
        print::centreOnScreen(*this);
        activated();
    }
}

void Kakudai_Input::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        activated();
}

// Each time the editor comes to the front: typing goes on at the end, and
// the phrases are what the file holds now.
void Kakudai_Input::activated()
{
    m_text1->moveCursor(QTextCursor::End);
    readPhrases();
}

void Kakudai_Input::readPhrases()
{
    // No file, or no line for the field: the buttons stay as they are.
    const std::optional<store::Phrases> read = store::readPhrases(m_workDir, m_field.title);
    if (!read)
        return;
    m_phrases = *read;
    for (size_t i = 0; i < m_phraseButtons.size(); ++i) {
        m_phraseButtons[i]->setText(phraseCaption(m_phrases[i]));
        m_phraseButtons[i]->setEnabled(!m_phrases[i].isEmpty());
    }
}

void Kakudai_Input::insertPhrase(size_t index)
{
    QTextCursor cursor = m_text1->textCursor();
    const Insertion inserted =
        screens::insertPhrase(m_text1->toPlainText(), cursor.selectionStart(), cursor.selectionEnd() - cursor.selectionStart(),
                              m_phrases[index]);
    m_text1->setPlainText(inserted.text);
    cursor = m_text1->textCursor();
    cursor.setPosition(inserted.cursor);
    m_text1->setTextCursor(cursor);
    m_text1->setFocus();
}

void Kakudai_Input::chooseOption(MarkupOption chosen)
{
    m_text1->setPlainText(withOption(m_text1->toPlainText(), chosen));
    m_text1->moveCursor(QTextCursor::End);
}

void Kakudai_Input::showOption(MarkupOption shown)
{
    switch (shown) {
    case MarkupOption::None:
        m_option5->setChecked(true);
        break;
    case MarkupOption::Date:
        m_option2->setChecked(true);
        break;
    case MarkupOption::Bold:
        m_option3->setChecked(true);
        break;
    case MarkupOption::Wide:
        m_option4->setChecked(true);
        break;
    }
}

void Kakudai_Input::registerPhrases()
{
    Mojiretsu_Write::open(m_field.title, m_text1->toPlainText(), m_workDir, m_messages, this);
    // Back from it: its phrases show at once.
    activated();
}

bool Kakudai_Input::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_text1 && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        // A line break is made with blanks on the label, never with Enter.
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            return true;
        if (!key->text().isEmpty()) {
            const std::optional<MarkupOption> shown = optionWhileTyping(
                m_text1->toPlainText(), key->text(), {m_field.date, m_field.bold, m_field.wide});
            if (shown)
                showOption(*shown);
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace screens
