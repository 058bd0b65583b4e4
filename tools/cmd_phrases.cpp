#include "tools/commandgroup.h"
#include "tools/commandsupport.h"

#include "store/cp932.h"
#include "store/phrasebook.h"

namespace cli {
namespace {

int ensure(Context &context)
{
    const store::EnsureResult result = store::createDefaultPhraseBook(context.workDir);
    if (result.failed())
        return context.fail(forTerminal(result.message));
    if (result.outcome == store::EnsureOutcome::Created)
        context.out += store::kPhraseFileName.toString() + QStringLiteral(" を作成しました\n");
    return 0;
}

int show(Context &context, const QString &title)
{
    QString error;
    const auto phrases = store::readPhrases(context.workDir, title, &error);
    if (!phrases)
        return context.fail(forTerminal(error));
    for (const QString &phrase : *phrases)
        context.out += phrase + u'\n';
    return 0;
}

int set(Context &context, const QStringList &args)
{
    store::Phrases phrases;
    for (int i = 0; i < store::kPhraseCount; ++i)
        phrases[static_cast<size_t>(i)] = store::cp932Normalized(args.at(i + 1));
    const store::FileResult result = store::writePhrases(context.workDir, args.first(), phrases);
    if (!result)
        return context.fail(forTerminal(result.message));
    return 0;
}

int runPhrases(Context &context, const QStringList &args)
{
    const QString verb = args.value(0);
    const QStringList rest = args.mid(1);
    if (verb == QLatin1String("ensure") && rest.isEmpty())
        return ensure(context);
    if (verb == QLatin1String("show") && rest.size() == 1)
        return show(context, rest.first());
    if (verb == QLatin1String("set") && rest.size() == 1 + store::kPhraseCount)
        return set(context, rest);
    return context.fail(QStringLiteral(
        "phrases: use \"phrases ensure\", \"phrases show TITLE\" or \"phrases set TITLE P1 P2 P3 P4 P5\" (see --help)"));
}

const GroupRegistrar registrar{{"phrases",
                                "  sakurabe-cli phrases ensure              create 文字列情報.tsv with the default phrases when it is missing\n"
                                "  sakurabe-cli phrases show TITLE          the five stock phrases of a category (e.g. 保存方法の登録)\n"
                                "  sakurabe-cli phrases set TITLE P1 P2 P3 P4 P5\n"
                                "                                           store the five phrases of a category\n",
                                &runPhrases}};

} // namespace
} // namespace cli
