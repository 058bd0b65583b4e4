#pragma once

#include <QString>

namespace engine {

// A JAN (EAN-13 or EAN-8) symbol written out as modules: "1" a bar, "0" a
// space, from the start guard to the end guard. The digits are encoded as
// they stand: no check digit is computed or verified.
//
// 13 characters give the 95 modules of EAN-13. 8 characters give 81: fourteen
// spaces, then the 67 modules of EAN-8, so the short symbol stands in the
// middle of the long one's footprint. Any other length gives the 11 guard
// modules, which are never drawn but still take their room. A character that
// is not a digit counts as 0.
QString janModules(const QString &code);

// Whether 1-based module `position` of a code of `codeLength` characters is a
// guard module, drawn longer than the digit bars.
bool isJanGuardModule(qsizetype codeLength, qsizetype position);

// The digits printed with the bars: " 123456 7890123" for 13 characters,
// "   1234 5678" for 8, nothing for any other length.
QString janHumanReadable(const QString &code);

} // namespace engine
