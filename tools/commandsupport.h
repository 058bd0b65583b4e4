#pragma once

#include <QString>
#include <QStringList>

#include <span>

namespace cli {

struct Context;

// Store messages join their parts with CR, as the message boxes show them;
// on a terminal each part gets its own line.
QString forTerminal(QString message);

// `text` as a JSON string, quotes included.
QString jsonString(const QString &text);

// A JSON object of string values, one key a line, in the order given: the
// order of the file, which QJsonObject would sort away.
QString jsonObjectInOrder(std::span<const char *const> keys, const QStringList &values);

// The data folder as the screens find it: line 5 of user.dat. A working folder
// without user.dat is one the main menu has not prepared yet, and it would
// write the default, the USB memory. False, with the context failed, when
// user.dat cannot be read.
bool findDataFolder(Context &context, QString *folder);

} // namespace cli
