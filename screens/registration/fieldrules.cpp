#include "screens/registration/fieldrules.h"

#include "store/numericvalue.h"

#include <cmath>

namespace screens {
namespace {

bool isSeparator(QChar c)
{
    return c == u':' || c == u'：';
}

} // namespace

QString normalisedNumber(const QString &text)
{
    double value = std::trunc(store::numericValue(text));
    if (value > 9999)
        value = 9999;
    if (value < 1)
        value = 1;
    return QStringLiteral("%1").arg(static_cast<int>(value), 4, 10, QLatin1Char('0'));
}

QString plainAddDays(const QString &text)
{
    return QString::number(store::numericValue(text), 'g', 15);
}

QString tidyIngredients(const QString &text)
{
    QString tidy;
    tidy.reserve(text.size());
    for (const QChar c : text) {
        if (c.unicode() < 0x20)
            continue;
        if (c == u'、')
            tidy += u'､';
        else if (c == u'，')
            tidy += u',';
        else if (c == u'（')
            tidy += u'(';
        else if (c == u'）')
            tidy += u')';
        else
            tidy += c;
    }
    return tidy;
}

bool erasesSeparator(const QString &text, int cursor, int selectionStart, int selectionLength, EraseKey key)
{
    if (selectionLength > 0) {
        for (int i = selectionStart; i < selectionStart + selectionLength && i < text.size(); ++i) {
            if (isSeparator(text.at(i)))
                return true;
        }
        return false;
    }
    const int at = key == EraseKey::Backspace ? cursor - 1 : cursor;
    return at >= 0 && at < text.size() && isSeparator(text.at(at));
}

bool endsWithCaption(const QString &text)
{
    return !text.isEmpty() && isSeparator(text.back());
}

} // namespace screens
