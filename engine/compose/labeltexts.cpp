// Texts a composer derives from the label's fields before drawing them.
#include "engine/compose/labeltexts.h"

#include "engine/render/fieldtags.h"

namespace engine {

QString labelProductName(const QString &productName)
{
    const qsizetype length = productName.size();
    if (length <= 2)
        return productName;
    for (qsizetype i = 0; i + 3 < length; ++i) {
        if (productName.at(i) == u'<' && (productName.at(i + 1) == u'm' || productName.at(i + 1) == u'M')
            && productName.at(i + 2) == u'>')
            return productName.left(i);
    }
    return productName;
}

IngredientsParts splitIngredients(const QString &ingredients)
{
    for (qsizetype i = 0; i < ingredients.size(); ++i) {
        const QChar c = ingredients.at(i);
        if (c == u'?' || c == u'？')
            return {true, ingredients.left(i), ingredients.mid(i + 1)};
    }
    return {false, ingredients, QString()};
}

QStringList secondLabelLines(const QString &text, int lineWidth)
{
    QStringList lines;
    QString line;
    int width = 0;
    for (qsizetype pos = 0; pos < text.size();) {
        const FieldChar c = fieldCharAt(text, pos);
        width += c.width;
        if (width > lineWidth) {
            lines.append(line);
            line.clear();
            width -= lineWidth;
        }
        line += QStringView(text).mid(pos, c.length);
        pos += c.length;
    }
    if (!line.isEmpty())
        lines.append(line);
    return lines;
}

} // namespace engine
