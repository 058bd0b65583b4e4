#pragma once

#include <QString>
#include <QStringList>

namespace screens {

// The nine fields of the registration screen that open the enlarged editor
// on a double click.
enum class EditorField { ProductName, CategoryName, Ingredients, Storage, Responsible, Spare3, Remarks, Spare1, Spare2 };

// What the enlarged editor shows for a field: its title (also the category
// of its stock phrases), which markup options it offers, and its help.
struct EnlargedField
{
    QString title;
    bool date = false; // "<d>"
    bool bold = false; // "<b>"
    bool wide = false; // "<w>"
    QStringList help;
    // Whether the editor looks at the text's first three characters to
    // select an option when it opens; the responsible field's text never
    // carries markup.
    bool checksLeadingTag = true;

    // The help lines as the editor shows them, one under the other.
    QString helpText() const { return help.join(u'\n'); }
};

const EnlargedField &enlargedField(EditorField field);

} // namespace screens
