#pragma once

#include <QString>

namespace screens {

// The number box as it is written back: the number's value, 9999 at most and
// 1 at least, in four digits. A typed or pasted "12345" must never be stored,
// it would collide with product 1234.
QString normalisedNumber(const QString &text);

// The add-days box once it is left: its value written plainly ("" is "0",
// "007" is "7", "1.50" is "1.5").
QString plainAddDays(const QString &text);

// The ingredients once the box is left: no line breaks or other control
// characters, and the Japanese comma and brackets in the half-width forms
// the label's line breaking counts with ("、" "，" "（" "）" become "､" "," "(" ")").
QString tidyIngredients(const QString &text);

// Whether a Backspace or Delete would remove the caption separator (":" or
// "：") of a field: in the selection, or right before (Backspace) or right
// after (Delete) the cursor when nothing is selected.
enum class EraseKey { Backspace, Delete };
bool erasesSeparator(const QString &text, int cursor, int selectionStart, int selectionLength, EraseKey key);

// Whether the text ends with its caption, so that typing goes on behind it.
bool endsWithCaption(const QString &text);

} // namespace screens
