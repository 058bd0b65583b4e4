#include "tools/commandgroup.h"

#include "platform/clock.h"
#include "platform/cupsprintersystem.h"
#include "platform/pdfprinter.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

namespace cli {
namespace {

double roundedMm(double mm)
{
    return std::round(mm * 100) / 100;
}

QJsonObject describe(platform::PrinterSystem &system, const QString &name)
{
    QJsonObject object{{QStringLiteral("name"), name}};
    const std::unique_ptr<platform::Printer> printer = system.open(name);
    // A printer that went away since it was listed shows its name only.
    if (!printer)
        return object;
    QJsonArray forms;
    for (const platform::PaperForm &form : printer->paperForms()) {
        forms.append(QJsonObject{{QStringLiteral("number"), form.number},
                                 {QStringLiteral("key"), form.key},
                                 {QStringLiteral("name"), form.name},
                                 {QStringLiteral("widthMm"), roundedMm(form.sizeMm.width())},
                                 {QStringLiteral("heightMm"), roundedMm(form.sizeMm.height())}});
    }
    object.insert(QStringLiteral("resolution"), printer->resolution());
    object.insert(QStringLiteral("paperSize"), printer->paperSize());
    object.insert(QStringLiteral("pageWidthTwips"), printer->pageWidthTwips());
    object.insert(QStringLiteral("pageHeightTwips"), printer->pageHeightTwips());
    object.insert(QStringLiteral("paperForms"), forms);
    return object;
}

int runPrinters(Context &context, const QStringList &args)
{
    const bool json = args == QStringList{QStringLiteral("--json")};
    if (!args.isEmpty() && !json)
        return context.fail(QStringLiteral("usage: sakurabe-cli printers [--json]"));

    platform::CupsPrinterSystem system(*context.clock, platform::PdfPrinter::outputFolder(context.workDir));
    const QStringList names = system.printerNames();
    if (!json) {
        for (const QString &name : names)
            context.out += name + u'\n';
        return 0;
    }
    QJsonArray printers;
    for (const QString &name : names)
        printers.append(describe(system, name));
    context.out = QString::fromUtf8(QJsonDocument(printers).toJson(QJsonDocument::Indented));
    return 0;
}

} // namespace

static const GroupRegistrar registrar{{"printers",
                                       "  sakurabe-cli printers                 the printers' device names, one a line\n"
                                       "  sakurabe-cli printers --json          each printer's resolution, paper in hand, page size\n"
                                       "                                        in twips and paper forms (numbers, sizes in mm)\n",
                                       &runPrinters}};

} // namespace cli
