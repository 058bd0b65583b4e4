#include "tools/commandgroup.h"
#include "tools/commandsupport.h"

#include "store/cp932.h"
#include "store/datalocation.h"
#include "store/productfile.h"
#include "store/productrecord.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include <algorithm>
#include <optional>

namespace cli {
namespace {

// A registration number as scripts may write it ("7", "0007"): 1 to 9999,
// in the file's four-digit form.
std::optional<QString> registrationNumber(const QString &text)
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

// Fields in file order.
QString recordJson(const store::ProductRecord &record)
{
    QStringList values;
    for (QString store::ProductRecord::*field : store::kProductFields)
        values.append(record.*field);
    return jsonObjectInOrder(store::kProductFieldNames, values);
}

std::optional<store::ProductRecord> recordFromJson(const QByteArray &json, QString *error)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject()) {
        *error = QStringLiteral("products save: stdin must hold one JSON object (%1)").arg(parseError.errorString());
        return std::nullopt;
    }
    const QJsonObject object = document.object();
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
        if (std::find_if(store::kProductFieldNames.begin(), store::kProductFieldNames.end(), [&](const char *name) {
                return it.key() == QLatin1String(name);
            }) == store::kProductFieldNames.end()) {
            *error = QStringLiteral("products save: unknown field \"%1\"").arg(it.key());
            return std::nullopt;
        }
    }
    const std::optional<QString> number = registrationNumber(record.number);
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

// Writers open the file as the registration screen does: a missing file is
// created and an old-version file converted before anything else.
bool prepareForWriting(Context &context, const store::ProductFile &file)
{
    const store::ProductFileEnsureResult ensured = file.ensureProductFile([&](const QString &notice) {
        context.err += notice + u'\n';
    });
    if (!ensured.ok)
        context.fail(forTerminal(ensured.message));
    return ensured.ok;
}

int runProducts(Context &context, const QStringList &args)
{
    const QString command = args.value(0);
    QString folder;
    if (!findDataFolder(context, &folder))
        return 1;
    const store::ProductFile file(store::productFilePaths(folder));

    if (command == u"list" && args.size() == 1) {
        const store::EntryList list = file.listEntries();
        if (!list.ok)
            return context.fail(forTerminal(list.message));
        for (const QString &entry : list.entries)
            context.out += entry + u'\n';
        return 0;
    }
    if (command == u"next" && args.size() == 1) {
        const store::EntryList list = file.listEntries();
        if (!list.ok)
            return context.fail(forTerminal(list.message));
        context.out += store::nextFreeNumber(list.entries) + u'\n';
        return 0;
    }
    if (command == u"ensure" && args.size() == 1) {
        const store::ProductFileEnsureResult ensured = file.ensureProductFile([&](const QString &notice) {
            context.out += notice + u'\n';
        });
        if (!ensured.ok)
            return context.fail(forTerminal(ensured.message));
        return 0;
    }
    if (command == u"save" && args.size() == 1) {
        QString error;
        const std::optional<store::ProductRecord> record = recordFromJson(context.readStdin(), &error);
        if (!record)
            return context.fail(error);
        if (!prepareForWriting(context, file))
            return 1;
        const store::SaveResult saved = file.saveRecord(*record);
        if (!saved.ok)
            return context.fail(forTerminal(saved.message));
        context.out += saved.isNew() ? QStringLiteral("new\n") : QStringLiteral("overwritten\n");
        return 0;
    }
    if ((command == u"show" || command == u"delete") && args.size() == 2) {
        const std::optional<QString> number = registrationNumber(args.at(1));
        if (!number)
            return context.fail(QStringLiteral("products %1: not a registration number: \"%2\"").arg(command, args.at(1)));
        if (command == u"show") {
            const store::RecordLookup found = file.findRecord(*number);
            if (!found.ok)
                return context.fail(forTerminal(found.message));
            const std::optional<store::ProductRecord> record
                = found.recordText ? store::ProductRecord::fromRecordText(*found.recordText) : std::nullopt;
            if (!record)
                return context.fail(QStringLiteral("products show: no product %1").arg(*number));
            context.out += recordJson(*record);
            return 0;
        }
        if (!prepareForWriting(context, file))
            return 1;
        const store::DeleteResult deleted = file.deleteRecord(*number);
        if (!deleted.ok)
            return context.fail(forTerminal(deleted.message));
        if (deleted.removed == 0)
            return context.fail(QStringLiteral("products delete: no product %1").arg(*number));
        return 0;
    }
    return context.fail(QStringLiteral("products: unknown or incomplete command (see --help)"));
}

} // namespace

static const GroupRegistrar registrar{{"products",
                                       "  sakurabe-cli products list            the product list, one entry a line\n"
                                       "  sakurabe-cli products show NNNN       one product as a JSON object\n"
                                       "  sakurabe-cli products save            save the JSON product read from stdin (new/overwritten)\n"
                                       "  sakurabe-cli products delete NNNN     delete a product\n"
                                       "  sakurabe-cli products next            the next free registration number\n"
                                       "  sakurabe-cli products ensure          create or convert the product file\n",
                                       &runProducts}};

} // namespace cli
