#include "store/valuecleaning.h"

namespace store {

QString cleanValue(QStringView value)
{
    QString clean;
    clean.reserve(value.size());
    for (const QChar c : value) {
        if (c.unicode() < 0x20)
            continue;
        if (c == u',' || c == u'，')
            clean.append(kCommaEscape);
        else
            clean.append(c);
    }
    return clean;
}

QString unescapeValue(QStringView stored)
{
    QString text = stored.toString();
    text.replace(kCommaEscape.toString(), QStringLiteral(","));
    return text;
}

} // namespace store
