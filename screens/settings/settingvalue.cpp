#include "screens/settings/settingvalue.h"

namespace screens {

QString cleanSettingValue(const QString &text)
{
    QString clean;
    clean.reserve(text.size());
    for (const QChar c : text) {
        if (c.unicode() >= 0x20 && c != u',')
            clean += c;
    }
    return clean;
}

} // namespace screens
