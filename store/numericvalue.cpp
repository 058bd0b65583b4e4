#include "store/numericvalue.h"

#include <QString>

namespace store {

double numericValue(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    const qsizetype start = i;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    bool point = false;
    bool digits = false;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c >= u'0' && c <= u'9') {
            digits = true;
        } else if (c == u'.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (!digits)
        return 0.0;
    bool ok = false;
    const double value = text.sliced(start, i - start).toString().toDouble(&ok);
    return ok ? value : 0.0;
}

} // namespace store
