#include "screens/common/cp932validator.h"

#include "store/cp932.h"

#include <QPlainTextEdit>

namespace screens {

QValidator::State Cp932Validator::validate(QString &input, int &pos) const
{
    const QString kept = store::cp932Normalized(input);
    if (kept != input) {
        // A surrogate pair becomes one "〓": the cursor moves back with it.
        pos = static_cast<int>(store::cp932Normalized(QStringView(input).left(pos)).size());
        input = kept;
    }
    return Acceptable;
}

void keepToCp932(QPlainTextEdit *box)
{
    QObject::connect(box, &QPlainTextEdit::textChanged, box, [box] {
        const QString text = box->toPlainText();
        const QString kept = store::cp932Normalized(text);
        if (kept == text)
            return;
        QTextCursor cursor = box->textCursor();
        const int pos = static_cast<int>(store::cp932Normalized(QStringView(text).left(cursor.position())).size());
        const QSignalBlocker quiet(box);
        box->setPlainText(kept);
        cursor = box->textCursor();
        cursor.setPosition(pos);
        box->setTextCursor(cursor);
        // The quiet replacement is still a change of the text.
        emit box->textChanged();
    });
}

} // namespace screens
