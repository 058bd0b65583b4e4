#pragma once

#include <QString>

#include <optional>

namespace print {

// The copy count a copies text asks for: its value rounded half to even, or
// nothing when that is below 1 or above 32767, the most a printer takes.
std::optional<int> copyCountOf(const QString &copiesText);

// What the user is told when copyCountOf gives nothing.
inline constexpr char16_t kBadCopiesMessage[] = u"枚数の指定が異常です";

} // namespace print
