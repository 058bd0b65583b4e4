#include "store/datalocation.h"

namespace store {
namespace {

QString withSlash(QString folder)
{
    if (folder.isEmpty())
        return QStringLiteral("./"); // never the file system's root
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return folder;
}

} // namespace

QString dataFolder(const QString &workDir, const QString &dataLocationLine, const QString &usbRoot)
{
    if (dataLocationLine == u"ハードディスク")
        return withSlash(workDir);
    return withSlash(usbRoot.isEmpty() ? workDir : usbRoot);
}

ProductFilePaths productFilePaths(const QString &dataFolder)
{
    const QString folder = withSlash(dataFolder);
    return {folder + QStringLiteral("商品情報.tsv"), folder + QStringLiteral("商品情報.tmp"),
            folder + QStringLiteral("商品情報.lock")};
}

} // namespace store
