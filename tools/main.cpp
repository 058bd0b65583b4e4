#include "tools/commandgroup.h"

#include "platform/clock.h"
#include "platform/heaptuning.h"
#include "platform/removabledrive.h"
#include "platform/sysfsdrivefinder.h"
#include "platform/workingfolder.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace cli {
namespace {

std::vector<CommandGroup> &groups()
{
    static std::vector<CommandGroup> all;
    return all;
}

QString helpText()
{
    QString text = QStringLiteral(
        "sakurabe-cli: Sakurabe's stored data and printers, for scripts\n"
        "\n"
        "Usage: sakurabe-cli [--workdir DIR] COMMAND ...\n"
        "\n"
        "  --workdir DIR   work on DIR instead of the per-user working folder\n"
        "  --help          show this text\n"
        "\n"
        "Commands:\n");
    auto sorted = groups();
    std::sort(sorted.begin(), sorted.end(), [](const CommandGroup &a, const CommandGroup &b) {
        return qstrcmp(a.name, b.name) < 0;
    });
    for (const CommandGroup &group : sorted)
        text += QString::fromUtf8(group.usage);
    text += QStringLiteral("\nOutput is UTF-8. On an error the tool writes a message to stderr and exits non-zero.\n");
    return text;
}

void write(FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
    std::fflush(stream);
}

QtMessageHandler qtHandler = nullptr;

// Qt's notice that the session has no runtime folder says nothing about the
// tool's work, and a script run from cron or over ssh would get it on every call.
void quietMessages(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(u"QStandardPaths: XDG_RUNTIME_DIR not set"))
        return;
    if (qtHandler)
        qtHandler(type, context, message);
}

} // namespace

void registerGroup(const CommandGroup &group)
{
    groups().push_back(group);
}

QByteArray Context::readStdin() const
{
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly))
        return {};
    return in.readAll();
}

} // namespace cli

int main(int argc, char *argv[])
{
    platform::keepHeapForPrintRuns();
    // Printing needs QtGui (fonts, the PDF writer) but never a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    cli::qtHandler = qInstallMessageHandler(cli::quietMessages);
    QGuiApplication app(argc, argv);
    platform::setProgramIdentity();

    QStringList args = app.arguments().mid(1);
    QString workDirOverride;
    if (args.size() >= 2 && args.first() == QLatin1String("--workdir")) {
        workDirOverride = args.at(1);
        args.remove(0, 2);
    }
    if (args.isEmpty() || args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h")
        || args.first() == QLatin1String("help")) {
        cli::write(stdout, cli::helpText());
        return args.isEmpty() ? 2 : 0;
    }

    const QString name = args.takeFirst();
    const auto &all = cli::groups();
    const auto group = std::find_if(all.begin(), all.end(), [&](const cli::CommandGroup &g) {
        return name == QLatin1String(g.name);
    });
    if (group == all.end()) {
        cli::write(stderr, QStringLiteral("sakurabe-cli: unknown command \"%1\" (see --help)\n").arg(name));
        return 2;
    }

    QString error;
    const QString workDir =
        platform::prepareWorkingFolder(workDirOverride, &error, platform::CurrentFolder::Unchanged);
    if (workDir.isEmpty()) {
        cli::write(stderr, QStringLiteral("sakurabe-cli: %1\n").arg(error));
        return 1;
    }

    platform::SysfsDriveFinder drive;
    const platform::SystemClock clock;
    cli::Context context;
    context.workDir = workDir;
    context.drive = &drive;
    context.clock = &clock;
    const int rc = group->run(context, args);
    if (rc == 0)
        cli::write(stdout, context.out);
    if (!context.err.isEmpty())
        cli::write(stderr, context.err);
    return rc;
}
