#pragma once

#include "screens/registration/enlargedfields.h"
#include "screens/registration/leadingtags.h"
#include "store/phrasebook.h"

#include <QDialog>

#include <array>
#include <optional>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace platform {
class MessageSink;
}

namespace screens {

// The enlarged editor: one field of the registration screen in a large box,
// with its help, option buttons that set the field's markup, and the field's
// five stock phrases as buttons that put a phrase in at the cursor. Its
// answer is the edited text ("登 録"), or none ("キャンセル", the close box).
class Kakudai_Input final : public QDialog
{
    Q_OBJECT

public:
    Kakudai_Input(EditorField field, const QString &text, const QString &workDir, platform::MessageSink &messages,
                  QWidget *parent = nullptr);

    QString text() const;

    // Shows the editor over `parent` and waits for it.
    static std::optional<QString> edit(EditorField field, const QString &text, const QString &workDir,
                                       platform::MessageSink &messages, QWidget *parent);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void activated();
    void readPhrases();
    void insertPhrase(size_t index);
    void chooseOption(MarkupOption option);
    void showOption(MarkupOption option);
    void registerPhrases();

    const EnlargedField &m_field;
    QString m_workDir;
    platform::MessageSink &m_messages;
    store::Phrases m_phrases;
    QPlainTextEdit *m_text1 = nullptr;
    QRadioButton *m_option5 = nullptr; // no markup
    QRadioButton *m_option2 = nullptr; // "<d>"
    QRadioButton *m_option3 = nullptr; // "<b>"
    QRadioButton *m_option4 = nullptr; // "<w>"
    std::array<QPushButton *, store::kPhraseCount> m_phraseButtons{};
    bool m_centred = false;
};

} // namespace screens
