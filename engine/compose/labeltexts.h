#pragma once

#include <QString>
#include <QStringList>

namespace engine {

// The product name as the label shows it: a memo after "<m>" (or "<M>")
// stays in the product file only. A tag in the last three characters, with
// nothing after it, is kept as text.
QString labelProductName(const QString &productName);

// Ingredients too long for one label are split by the user at the first "?"
// or "？": the part before it goes on the label, the part after it on a
// second label. The question mark itself is printed nowhere.
struct IngredientsParts
{
    bool split = false;
    QString main;      // the whole text when there is no split
    QString extended;
};
IngredientsParts splitIngredients(const QString &ingredients);

// The second label's lines: each holds up to `lineWidth` width units. A
// character that would pass the end starts the next line, and what it
// overhangs counts against that line.
QStringList secondLabelLines(const QString &text, int lineWidth);

} // namespace engine
