#pragma once

#include <QValidator>

namespace screens {

// Keeps a number box to what it may hold, whatever is typed, pasted or
// committed by an input method: full-width digits ("１２３") become
// half-width ones, and every other character is dropped. A composition that
// is not committed yet never reaches a validator.
class DigitValidator final : public QValidator
{
    Q_OBJECT

public:
    struct Allow
    {
        bool leadingMinus = false; // "-" as the first character
        bool point = false;        // "." anywhere
        int maxLength = 0;         // characters; 0: no limit
    };

    explicit DigitValidator(Allow allow, QObject *parent = nullptr);

    State validate(QString &input, int &pos) const override;

    // What a text becomes in the box: the characters the box keeps.
    QString filtered(const QString &text) const;

private:
    Allow m_allow;
};

} // namespace screens
