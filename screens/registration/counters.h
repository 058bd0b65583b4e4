#pragma once

#include <QColor>
#include <QString>

namespace screens {

// The fields of the registration screen that carry a counter of their width
// (code page 932 bytes) against the room the label size gives them.
enum class CounterField {
    ProductName,
    CategoryName,
    NetContent,   // the content box and its unit together
    Storage,
    Spare1,
    Spare2,
    Spare3,
    Remarks,
    ExpiryAltText,
    Responsible,
    RecycleSub,   // either of the two recycling subscripts
};

// What a counter shows: "(w/limit) ", "(w) ", "複数行表示 ", "複数行表示" or
// "文字数超過", black, or blue for the word saying the text takes more lines,
// or red when it does not fit at all.
struct Counter
{
    QString text;
    QColor colour;

    bool operator==(const Counter &) const = default;
};

// `sideColumn`: the landscape label keeps its right-hand column for the
// recycling mark or the barcode.
Counter fieldCounter(CounterField field, const QString &text, const QString &labelSize, bool sideColumn);

// The ingredients box: a "?" or "？" splits the text, the part after it
// going on a second label (the extension mode), and two counters then show
// the two parts' widths; otherwise one counter shows the whole width.
struct IngredientsCounters
{
    bool extension = false;
    QString first;  // shown in extension mode only, black
    QString second; // always shown; blue in extension mode
};
IngredientsCounters ingredientsCounters(const QString &text);

// Whether the landscape label's side column is taken: a recycling mark other
// than "なし", or a barcode.
bool sideColumnInUse(const QString &recycleMark, const QString &barcode);

} // namespace screens
