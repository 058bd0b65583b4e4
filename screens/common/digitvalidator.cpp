#include "screens/common/digitvalidator.h"

namespace screens {

DigitValidator::DigitValidator(Allow allow, QObject *parent) : QValidator(parent), m_allow(allow) {}

QString DigitValidator::filtered(const QString &text) const
{
    QString kept;
    for (QChar c : text) {
        if (c >= u'０' && c <= u'９')
            c = QChar(u'0' + (c.unicode() - u'０'));
        const bool digit = c >= u'0' && c <= u'9';
        const bool minus = m_allow.leadingMinus && kept.isEmpty() && (c == u'-' || c == u'－');
        const bool point = m_allow.point && (c == u'.' || c == u'．');
        if (digit)
            kept += c;
        else if (minus)
            kept += u'-';
        else if (point)
            kept += u'.';
    }
    if (m_allow.maxLength > 0)
        kept.truncate(m_allow.maxLength);
    return kept;
}

QValidator::State DigitValidator::validate(QString &input, int &pos) const
{
    // The cursor stays behind the characters it was behind.
    const QString before = filtered(input.left(pos));
    input = filtered(input);
    pos = static_cast<int>(std::min(before.size(), input.size()));
    return Acceptable;
}

} // namespace screens
