#include "platform/workingfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace platform {

void setProgramIdentity()
{
    QCoreApplication::setOrganizationName(QString());
    QCoreApplication::setApplicationName(QStringLiteral("sakurabe"));
}

QString prepareWorkingFolder(const QString &override, QString *error, CurrentFolder current)
{
    QString path = override;
    if (path.isEmpty())
        path = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (path.isEmpty()) {
        if (error)
            *error = QStringLiteral("作業フォルダーの場所が分かりません");
        return {};
    }
    QDir dir(path);
    if (!dir.mkpath(QStringLiteral("."))) {
        if (error)
            *error = QStringLiteral("作業フォルダーを作成できません: ") + dir.absolutePath();
        return {};
    }
    const QString absolute = dir.absolutePath();
    if (current == CurrentFolder::WorkingFolder && !QDir::setCurrent(absolute)) {
        if (error)
            *error = QStringLiteral("作業フォルダーに移動できません: ") + absolute;
        return {};
    }
    return absolute;
}

} // namespace platform
