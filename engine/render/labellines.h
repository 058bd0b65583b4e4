#pragma once

#include <QStringView>

namespace engine {

// One label line of a field text, as the lines are broken: by width units
// alone, never by measuring the font.
struct LabelLine
{
    qsizetype end = 0;  // where the line ends in the text (one past its last character)
    bool full = false;  // the line filled up; otherwise the text ran out first
};

// The line that starts at `start` (< text.size()). Characters are taken while
// their widths add up to at most `lineLimit`; the character that passes the
// limit still goes on the line, and when it passes it by one unit, a
// half-width character after it joins as well. Both the ruled box around a
// field and the drawn lines are counted by this one rule, so a box always
// frames the lines it is drawn for.
LabelLine nextLabelLine(QStringView text, qsizetype start, int lineLimit);

} // namespace engine
