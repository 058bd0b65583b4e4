#include "screens/registration/leadingtags.h"

namespace screens {
namespace {

QString tagOf(MarkupOption option)
{
    switch (option) {
    case MarkupOption::Date:
        return QStringLiteral("<d>");
    case MarkupOption::Bold:
        return QStringLiteral("<b>");
    case MarkupOption::Wide:
        return QStringLiteral("<w>");
    case MarkupOption::None:
        break;
    }
    return {};
}

bool hasLeadingTag(const QString &text)
{
    if (text.size() < 3 || text.at(0) != u'<' || text.at(2) != u'>')
        return false;
    return text.at(1) != u'm' && text.at(1) != u'M';
}

} // namespace

MarkupOption openingOption(const QString &text, bool checksLeadingTag)
{
    if (!checksLeadingTag)
        return MarkupOption::None;
    for (const MarkupOption option : {MarkupOption::Date, MarkupOption::Bold, MarkupOption::Wide}) {
        if (text.startsWith(tagOf(option)))
            return option;
    }
    return MarkupOption::None;
}

QString withOption(const QString &text, MarkupOption option)
{
    if (option == MarkupOption::None)
        return hasLeadingTag(text) ? text.mid(3) : text;
    const QString tag = tagOf(option);
    if (text.size() < 3)
        return tag + text;
    return hasLeadingTag(text) ? tag + text.mid(3) : tag + text;
}

std::optional<MarkupOption> optionWhileTyping(const QString &text, const QString &typed, OfferedOptions offered)
{
    if (text.size() < 2)
        return std::nullopt;
    const QString withKey = text.left(2) + typed;
    const QString start = text.left(3);
    const auto begins = [&](const char16_t *lower, const char16_t *upper) {
        for (const QString &candidate : {withKey, start}) {
            if (candidate.startsWith(QStringView(lower)) || candidate.startsWith(QStringView(upper)))
                return true;
        }
        return false;
    };
    if (begins(u"<d>", u"<D>") && offered.date)
        return MarkupOption::Date;
    if (begins(u"<b>", u"<B>") && offered.bold)
        return MarkupOption::Bold;
    if (begins(u"<w>", u"<W>") && offered.wide)
        return MarkupOption::Wide;
    return MarkupOption::None;
}

Insertion insertPhrase(const QString &text, int selectionStart, int selectionLength, const QString &phrase)
{
    if (selectionStart >= 1)
        return {text.left(selectionStart) + phrase + text.mid(selectionStart + selectionLength),
                selectionStart + static_cast<int>(phrase.size())};
    return {phrase + text, static_cast<int>(phrase.size())};
}

QString phraseCaption(const QString &phrase)
{
    if (phrase.isEmpty())
        return QStringLiteral("未設定");
    QString compact = phrase;
    compact.remove(u' ');
    compact.remove(u'　');
    return QStringLiteral("｢") + compact.left(10) + QStringLiteral("｣を左枠へ表示");
}

} // namespace screens
