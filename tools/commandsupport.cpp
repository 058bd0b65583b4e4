#include "tools/commandsupport.h"

#include "tools/commandgroup.h"

#include "platform/removabledrive.h"
#include "store/datalocation.h"
#include "store/usersettings.h"

#include <QFileInfo>

namespace cli {

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

QString jsonObjectInOrder(std::span<const char *const> keys, const QStringList &values)
{
    QString out = QStringLiteral("{\n");
    for (size_t i = 0; i < keys.size(); ++i) {
        out += QStringLiteral("  ") + jsonString(QString::fromLatin1(keys[i])) + QStringLiteral(": ")
            + jsonString(values.value(static_cast<qsizetype>(i)));
        out += i + 1 < keys.size() ? QStringLiteral(",\n") : QStringLiteral("\n");
    }
    return out + QStringLiteral("}\n");
}

bool findDataFolder(Context &context, QString *folder)
{
    QString location = store::UserSettings::defaults().dataLocation;
    if (QFileInfo::exists(context.workDir + u'/' + store::kUserSettingsFileName.toString())) {
        QString error;
        const auto settings = store::readUserSettings(context.workDir, &error);
        if (!settings) {
            context.fail(forTerminal(error));
            return false;
        }
        location = settings->dataLocation;
    }
    *folder = store::dataFolder(context.workDir, location, context.drive->usbRoot());
    return true;
}

} // namespace cli
