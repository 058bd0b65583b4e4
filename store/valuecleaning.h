#pragma once

#include <QString>
#include <QStringView>

namespace store {

// Stored values never hold a comma (readers split items at commas): it is
// kept as this escape.
inline constexpr QStringView kCommaEscape = u"<kanma>";

// What a value becomes before it is stored in the product or phrase file:
// characters below U+0020 removed, "," and "，" replaced by "<kanma>".
QString cleanValue(QStringView value);

// The value as read back: every "<kanma>" becomes a half-width comma.
QString unescapeValue(QStringView stored);

} // namespace store
