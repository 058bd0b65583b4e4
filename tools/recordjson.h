#pragma once

#include "store/productrecord.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace cli {

// A registration number as scripts may write it ("7", "0007"): 1 to 9999,
// in the file's four-digit form.
std::optional<QString> registrationNumberOf(const QString &text);

// One product as a JSON object, its fields in file order.
QString recordJson(const store::ProductRecord &record);

// The product `products save` reads: one JSON object with every field as a
// string and nothing else, a number of 1 to 9999 and one of the label sizes.
// Characters code page 932 lacks become "〓", as in the file.
std::optional<store::ProductRecord> saveRecordFromJson(const QByteArray &json, QString *error);

// The product `render --record FILE` reads from `path`: any of the fields,
// the others empty.
std::optional<store::ProductRecord> renderRecordFromJson(const QByteArray &json, const QString &path, QString *error);

} // namespace cli
