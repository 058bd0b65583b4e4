#pragma once

#include <QDateTime>
#include <QString>

namespace store {

// The name a new backup gets unless the user types another: the moment it is
// made, e.g. "2024年03月05日09時07分05秒に作成の商品情報". The caller hands in the
// time so that the name never depends on a clock read in here.
QString defaultBackupName(const QDateTime &now);

// The typed backup name made fit to be a file name: control characters go,
// and the characters a file name cannot or should not hold become their
// full-width forms. A half-width comma and a double quote are turned too, so
// that the name survives the comma-separated data files and shell scripts; a
// full-width comma is already a plain file-name character and stays.
// Cleaning a clean name changes nothing.
QString cleanBackupName(QStringView typed);

} // namespace store
