#pragma once

#include "platform/removabledrive.h"

#include <QString>

namespace store {

// The folder that holds the product file and its backups: the working folder for
// line 5 == "ハードディスク", otherwise the USB memory drive's root, or the working
// folder when no drive is present. Always ends in "/".
QString dataFolder(const QString &workDir, const QString &dataLocationLine, const platform::RemovableDriveFinder &drive);

struct ProductFilePaths
{
    QString product; // ".../商品情報.tsv"
    QString work;    // ".../商品情報.tmp"
};

ProductFilePaths productFilePaths(const QString &dataFolder);

} // namespace store
