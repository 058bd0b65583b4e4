#include "screens/issuing/fieldcleaning.h"

#include "store/cp932.h"

namespace screens {

QString cleanedBoxText(QStringView text)
{
    QString kept;
    kept.reserve(text.size());
    for (const QChar c : text) {
        if (c.unicode() >= 0x20)
            kept.append(c);
    }
    return store::cp932Normalized(kept);
}

QString cleanedNumberBoxText(QStringView text)
{
    QString kept = cleanedBoxText(text);
    for (QChar &c : kept) {
        if (c >= u'０' && c <= u'９')
            c = QChar(u'0' + (c.unicode() - u'０'));
    }
    return kept;
}

} // namespace screens
