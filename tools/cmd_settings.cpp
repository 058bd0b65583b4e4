#include "tools/commandgroup.h"

#include "store/usersettings.h"

#include <array>

namespace cli {
namespace {

// Store messages join their parts with CR, as the message boxes show them.
QString forTerminal(QString message)
{
    message.replace(u'\r', u'\n');
    return message;
}

QString jsonString(const QString &text)
{
    QString out = QStringLiteral("\"");
    for (const QChar c : text) {
        if (c == u'"' || c == u'\\') {
            out += u'\\';
            out += c;
        } else if (c.unicode() < 0x20) {
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QChar(u'0'));
        } else {
            out += c;
        }
    }
    return out + u'"';
}

// The lines in file order, which QJsonObject would sort away.
QString settingsJson(const store::UserSettings &settings)
{
    static constexpr std::array<const char *, store::kUserSettingsLineCount> kNames = {
        "printer",      "portraitStartX", "portraitStartY",  "collatedPrinting", "dataLocation",
        "paperForm",    "barcodeMethod",  "landscapeStartX", "landscapeStartY"};
    const QStringList lines = settings.lines();
    QString out = QStringLiteral("{\n");
    for (int i = 0; i < store::kUserSettingsLineCount; ++i) {
        out += QStringLiteral("  ") + jsonString(QString::fromLatin1(kNames[static_cast<size_t>(i)]))
               + QStringLiteral(": ") + jsonString(lines.at(i));
        out += i + 1 < store::kUserSettingsLineCount ? QStringLiteral(",\n") : QStringLiteral("\n");
    }
    return out + QStringLiteral("}\n");
}

int show(Context &context)
{
    QString error;
    const auto settings = store::readUserSettings(context.workDir, &error);
    if (!settings)
        return context.fail(forTerminal(error));
    context.out += settingsJson(*settings);
    return 0;
}

// What the main menu does when it comes up.
int ensure(Context &context)
{
    const store::EnsureResult result = store::ensureUserSettings(context.workDir);
    switch (result.outcome) {
    case store::EnsureOutcome::Failed:
        return context.fail(forTerminal(result.message));
    case store::EnsureOutcome::Created:
        context.out += QStringLiteral("user.dat を作成しました\n");
        break;
    case store::EnsureOutcome::Completed:
        context.out += forTerminal(result.message) + u'\n';
        break;
    case store::EnsureOutcome::Unchanged:
        break;
    }
    return 0;
}

int runSettings(Context &context, const QStringList &args)
{
    if (args == QStringList{QStringLiteral("show")})
        return show(context);
    if (args == QStringList{QStringLiteral("ensure")})
        return ensure(context);
    return context.fail(QStringLiteral("settings: use \"settings show\" or \"settings ensure\" (see --help)"));
}

const GroupRegistrar registrar{{"settings",
                                "  sakurabe-cli settings show               user.dat's nine lines as a JSON object\n"
                                "  sakurabe-cli settings ensure             create user.dat, or complete a short one, as the main menu does\n",
                                &runSettings}};

} // namespace
} // namespace cli
