#pragma once

#include <QString>

#include <optional>

namespace screens {

// The markup options of the enlarged editor.
enum class MarkupOption { None, Date, Bold, Wide }; // Option5, Option2, Option3, Option4

struct OfferedOptions
{
    bool date = false;
    bool bold = false;
    bool wide = false;
};

// The option the editor selects when it opens: none, or the one whose tag
// ("<d>", "<b>", "<w>", lower case) the text begins with.
MarkupOption openingOption(const QString &text, bool checksLeadingTag);

// The text after an option is clicked. A leading tag is "<", any character
// and ">" at the start of a text of three characters or more, except the memo
// tags "<m>" and "<M>". An option's tag replaces a leading tag or goes in
// front; "no markup" removes a leading tag.
QString withOption(const QString &text, MarkupOption option);

// The option the editor shows while the user types `typed` into `text` (as
// it was before the key): the tag being typed at the start, where that option
// is offered, else none. Unchanged (nothing to say) for a text of fewer than
// two characters.
std::optional<MarkupOption> optionWhileTyping(const QString &text, const QString &typed, OfferedOptions offered);

// A stock phrase put into the text at the cursor: with the cursor (or the
// start of the selection) at s >= 1 the phrase replaces the selection; at
// s = 0 it goes in front of the whole text. The cursor ends behind it.
struct Insertion
{
    QString text;
    int cursor = 0;
};
Insertion insertPhrase(const QString &text, int selectionStart, int selectionLength, const QString &phrase);

// The caption of a phrase button: "未設定" for no phrase, else the phrase's
// first ten characters without blanks between "｢" and "｣を左枠へ表示".
QString phraseCaption(const QString &phrase);

} // namespace screens
