#pragma once

#include <QString>
#include <QStringView>

namespace screens {

// What a box of the issuing screen keeps of what is typed, pasted or
// committed: no character below U+0020 (a TAB or a line break would cut the
// label's fields), and "〓" for a character code page 932 cannot hold.
QString cleanedBoxText(QStringView text);

// The same for a box that holds a number (registration number, copies,
// add-days): full-width digits typed through an input method become
// half-width ones, so that "１２" is read as 12 rather than as no number.
QString cleanedNumberBoxText(QStringView text);

} // namespace screens
