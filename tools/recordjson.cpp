#include "tools/recordjson.h"

#include "tools/commandsupport.h"

#include "store/cp932.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include <algorithm>

namespace cli {
namespace {

// The field a JSON key names, or none.
std::optional<size_t> fieldIndex(const QString &key)
{
    const auto name = std::find_if(store::kProductFieldNames.begin(), store::kProductFieldNames.end(),
                                   [&](const char *field) { return key == QLatin1String(field); });
    if (name == store::kProductFieldNames.end())
        return std::nullopt;
    return static_cast<size_t>(name - store::kProductFieldNames.begin());
}

// The one JSON object `json` holds, or none with the parser's reason.
std::optional<QJsonObject> oneObject(const QByteArray &json, QString *reason)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    *reason = parseError.errorString();
    if (parseError.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    return document.object();
}

} // namespace

std::optional<QString> registrationNumberOf(const QString &text)
{
    if (text.isEmpty() || text.size() > 8)
        return std::nullopt;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
    }
    const int value = text.toInt();
    if (value < 1 || value > 9999)
        return std::nullopt;
    return QString::number(value).rightJustified(4, u'0');
}

QString recordJson(const store::ProductRecord &record)
{
    QStringList values;
    for (QString store::ProductRecord::*field : store::kProductFields)
        values.append(record.*field);
    return jsonObjectInOrder(store::kProductFieldNames, values);
}

std::optional<store::ProductRecord> saveRecordFromJson(const QByteArray &json, QString *error)
{
    QString reason;
    const std::optional<QJsonObject> parsed = oneObject(json, &reason);
    if (!parsed) {
        *error = QStringLiteral("products save: stdin must hold one JSON object (%1)").arg(reason);
        return std::nullopt;
    }
    const QJsonObject &object = *parsed;
    store::ProductRecord record;
    for (int i = 0; i < store::kProductFieldCount; ++i) {
        const auto index = static_cast<size_t>(i);
        const QString name = QString::fromLatin1(store::kProductFieldNames[index]);
        const QJsonValue value = object.value(name);
        if (!value.isString()) {
            *error = QStringLiteral("products save: field \"%1\" is missing or not a string").arg(name);
            return std::nullopt;
        }
        // What the file can hold: characters code page 932 lacks become "〓".
        record.*store::kProductFields[index] = store::cp932Normalized(value.toString());
    }
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (!fieldIndex(it.key())) {
            *error = QStringLiteral("products save: unknown field \"%1\"").arg(it.key());
            return std::nullopt;
        }
    }
    const std::optional<QString> number = registrationNumberOf(record.number);
    if (!number) {
        *error = QStringLiteral("products save: number must be 1 to 9999, not \"%1\"").arg(record.number);
        return std::nullopt;
    }
    record.number = *number;
    if (!store::isLabelSize(record.labelSize)) {
        *error = QStringLiteral("products save: labelSize must be \"65×45(タテ)\", \"65×45(ヨコ)\" or \"28×38\", not \"%1\"")
                     .arg(record.labelSize);
        return std::nullopt;
    }
    return record;
}

std::optional<store::ProductRecord> renderRecordFromJson(const QByteArray &json, const QString &path, QString *error)
{
    QString reason;
    const std::optional<QJsonObject> parsed = oneObject(json, &reason);
    if (!parsed) {
        *error = QStringLiteral("render: %1 must hold one JSON object").arg(path);
        return std::nullopt;
    }
    const QJsonObject &object = *parsed;
    store::ProductRecord record;
    for (auto it = object.begin(); it != object.end(); ++it) {
        const std::optional<size_t> index = fieldIndex(it.key());
        if (!index || !it.value().isString()) {
            *error = QStringLiteral("render: field \"%1\" is unknown or not a string").arg(it.key());
            return std::nullopt;
        }
        // What the product file could hold: characters code page 932 lacks become "〓".
        record.*store::kProductFields[*index] = store::cp932Normalized(it.value().toString());
    }
    return record;
}

} // namespace cli
