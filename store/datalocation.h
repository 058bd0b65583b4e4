#pragma once

#include <QString>

namespace store {

// The folder that holds the product file and its backups: the working folder for
// line 5 == "ハードディスク", otherwise the USB memory drive's root (`usbRoot`,
// empty when no drive is present), or the working folder when there is no
// drive. Always ends in "/".
QString dataFolder(const QString &workDir, const QString &dataLocationLine, const QString &usbRoot);

struct ProductFilePaths
{
    QString product; // ".../商品情報.tsv"
    QString work;    // ".../商品情報.tmp"
    QString lock;    // ".../商品情報.lock", held by every change
};

ProductFilePaths productFilePaths(const QString &dataFolder);

} // namespace store
