#include "tools/commandgroup.h"
#include "tools/commandsupport.h"

#include "store/usersettings.h"

#include <array>

namespace cli {
namespace {

// The JSON keys of user.dat's lines, in file order.
constexpr std::array<const char *, store::kUserSettingsLineCount> kSettingsKeys = {
    "printer",   "portraitStartX", "portraitStartY",  "collatedPrinting", "dataLocation",
    "paperForm", "barcodeMethod",  "landscapeStartX", "landscapeStartY"};

int show(Context &context)
{
    QString error;
    const auto settings = store::readUserSettings(context.workDir, &error);
    if (!settings)
        return context.fail(forTerminal(error));
    context.out += jsonObjectInOrder(kSettingsKeys, settings->lines());
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
