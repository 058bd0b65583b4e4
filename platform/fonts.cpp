#include "platform/fonts.h"

#include <QFont>
#include <QStringList>

namespace platform {

void installFontSubstitutions()
{
    const QStringList ipaGothic{QStringLiteral("IPAGothic")};
    QFont::insertSubstitutions(QStringLiteral("ＭＳ ゴシック"), ipaGothic);
    QFont::insertSubstitutions(QStringLiteral("MS Gothic"), ipaGothic);
}

} // namespace platform
