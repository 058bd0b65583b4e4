#include "tools/commandgroup.h"
#include "tools/commandsupport.h"
#include "tools/recordjson.h"

#include "store/datalocation.h"
#include "store/productfile.h"
#include "store/productrecord.h"

#include <optional>

namespace cli {
namespace {

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
        const std::optional<store::ProductRecord> record = saveRecordFromJson(context.readStdin(), &error);
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
        const std::optional<QString> number = registrationNumberOf(args.at(1));
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
