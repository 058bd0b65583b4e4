#include "tools/issuingsupport.h"

#include "tools/commandgroup.h"
#include "tools/commandsupport.h"

#include "engine/render/expirydate.h"
#include "engine/render/recording.h"

#include <QRegularExpression>

namespace cli {

void TerminalMessages::information(const QString &text)
{
    if (m_recording)
        m_recording->information(text);
    m_context.err += forTerminal(text) + u'\n';
}

bool TerminalMessages::question(const QString &text)
{
    m_context.err += forTerminal(text) + u'\n';
    return m_recording ? m_recording->question(text) : false;
}

std::optional<QDateTime> baseDateOf(const QString &text)
{
    static const QRegularExpression form(
        QStringLiteral("^\\s*(\\d{1,4})-(\\d{1,2})-(\\d{1,2})(?:[ T](\\d{1,2}):(\\d{1,2}))?\\s*$"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const auto or0 = [](const QString &field) { return field.isEmpty() ? QStringLiteral("0") : field; };
    return engine::baseDateFromFields(match.captured(1), match.captured(2), match.captured(3), or0(match.captured(4)),
                                      or0(match.captured(5)));
}

} // namespace cli
