#include "tools/commandgroup.h"
#include "tools/commandsupport.h"

#include "platform/clock.h"
#include "store/backupname.h"
#include "store/backupstore.h"

namespace cli {
namespace {

// The backup the user means: by the name the list shows, or, when two files
// differ only in the case of "bak", by the file's own name.
bool findEntry(Context &context, const store::BackupStore &backups, const QString &name, store::BackupEntry *found)
{
    QList<store::BackupEntry> byName;
    const store::BackupEntry *byFileName = nullptr;
    const auto entries = backups.list();
    for (const store::BackupEntry &entry : entries) {
        if (entry.name == name)
            byName.append(entry);
        if (entry.fileName == name)
            byFileName = &entry;
    }
    if (byName.size() == 1) {
        *found = byName.first();
        return true;
    }
    if (byName.size() > 1) {
        QStringList fileNames;
        for (const store::BackupEntry &entry : std::as_const(byName))
            fileNames.append(entry.fileName);
        context.fail(QStringLiteral("「%1」のバックアップデータが複数あります: %2\nファイル名で指定して下さい")
                         .arg(name, fileNames.join(QStringLiteral(", "))));
        return false;
    }
    if (byFileName) {
        *found = *byFileName;
        return true;
    }
    context.fail(QStringLiteral("「%1」のバックアップデータが見当たりません").arg(name));
    return false;
}

int report(Context &context, const store::FileResult &result, const QString &extraLine = {})
{
    if (!result)
        return context.fail(forTerminal(result.message));
    context.out += forTerminal(result.message) + u'\n';
    if (!extraLine.isEmpty())
        context.out += extraLine + u'\n';
    return 0;
}

int runBackup(Context &context, const QStringList &args)
{
    const QString action = args.value(0);
    const bool takesName = action == QLatin1String("delete") || action == QLatin1String("restore");
    const bool known = action == QLatin1String("list") || action == QLatin1String("create") || takesName;
    const qsizetype maxArgs = action == QLatin1String("list") ? 1 : 2;
    if (!known || args.size() > maxArgs || (takesName && args.size() != 2))
        return context.fail(QStringLiteral("usage: sakurabe-cli backup list|create [NAME]|delete NAME|restore NAME"));

    QString folder;
    if (!findDataFolder(context, &folder))
        return 1;
    const store::BackupStore backups(folder);

    if (action == QLatin1String("list")) {
        const auto entries = backups.list();
        for (const store::BackupEntry &entry : entries)
            context.out += entry.name + u'\n';
        return 0;
    }
    if (action == QLatin1String("create")) {
        const QString name = args.size() == 2 ? store::cleanBackupName(args.at(1))
                                              : store::defaultBackupName(context.clock->now());
        return report(context, backups.create(name), name);
    }

    store::BackupEntry entry;
    if (!findEntry(context, backups, args.at(1), &entry))
        return 1;
    return report(context, action == QLatin1String("delete") ? backups.remove(entry) : backups.restore(entry));
}

const GroupRegistrar registrar{{"backup",
                                "  sakurabe-cli backup list                 the backups in the data folder, one name a line\n"
                                "  sakurabe-cli backup create [NAME]        back up the product file (default name: now);\n"
                                "                                           prints the message and the name as stored\n"
                                "  sakurabe-cli backup delete NAME          delete a backup, NAME as listed (or its file name\n"
                                "                                           when two backups share a name)\n"
                                "  sakurabe-cli backup restore NAME         replace the product file by a backup, asking nothing\n",
                                &runBackup}};

} // namespace
} // namespace cli
