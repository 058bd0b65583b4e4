#include "engine/render/fieldtags.h"

#include "store/cp932.h"

namespace engine {
namespace {

bool startsWithTag(QStringView text, char16_t letter)
{
    return text.size() >= 3 && text.at(0) == u'<' && text.at(2) == u'>'
           && (text.at(1) == QChar(letter) || text.at(1) == QChar(letter).toUpper());
}

} // namespace

LeadingTags stripLeadingTags(const QString &text, int markupLevel)
{
    LeadingTags tags;
    QStringView rest(text);
    if (markupLevel >= 1 && startsWithTag(rest, u'b')) {
        rest = rest.mid(3);
        tags.style = FieldStyle::Bold;
    }
    if (markupLevel >= 2 && startsWithTag(rest, u'w')) {
        rest = rest.mid(3);
        tags.style = FieldStyle::Wide;
    }
    if (markupLevel >= 3 && startsWithTag(rest, u'd')) {
        rest = rest.mid(3);
        tags.style = FieldStyle::DateFormat;
    }
    tags.body = rest.toString();
    return tags;
}

FieldChar fieldCharAt(QStringView text, qsizetype pos)
{
    const QChar c = text.at(pos);
    if (c.isHighSurrogate() && pos + 1 < text.size() && text.at(pos + 1).isLowSurrogate())
        return {2, store::cp932CharWidth(QChar::surrogateToUcs4(c, text.at(pos + 1)))};
    return {1, store::cp932CharWidth(c.unicode())};
}

} // namespace engine
