#pragma once

#include <QValidator>

class QPlainTextEdit;

namespace screens {

// Keeps a text box to what the product file can hold: a character code page
// 932 lacks becomes "〓" the moment it is typed, pasted or committed.
class Cp932Validator final : public QValidator
{
    Q_OBJECT

public:
    using QValidator::QValidator;
    State validate(QString &input, int &pos) const override;
};

// The same for a box of several lines, which takes no validator.
void keepToCp932(QPlainTextEdit *box);

} // namespace screens
