#include "tools/commandgroup.h"
#include "tools/commandsupport.h"

#include "tools/issuingsupport.h"

#include "engine/render/expirydate.h"
#include "engine/render/markpictures.h"
#include "platform/clock.h"
#include "platform/cupsprintersystem.h"
#include "platform/pdfprinter.h"
#include "platform/removabledrive.h"
#include "print/copycount.h"
#include "print/issuingjob.h"
#include "store/settingssource.h"
#include "store/textfile.h"

#include <QRegularExpression>

namespace cli {
namespace {

const QString kUsage = QStringLiteral("usage: sakurabe-cli print NNNN --copies N [--date \"YYYY-MM-DD hh:mm\"] [--method TEXT]\n"
                                      "       sakurabe-cli print --list FILE");

// "1" and "0001" name the same product.
QString registrationNumber(const QString &text)
{
    static const QRegularExpression digits(QStringLiteral("^\\d{1,4}$"));
    return digits.match(text).hasMatch() ? QStringLiteral("%1").arg(text.toInt(), 4, 10, QLatin1Char('0')) : text;
}

struct PrintOptions
{
    QString number;
    QString copies;
    QString date;
    bool hasDate = false;
    QString method = QString::fromUtf16(engine::kDisplayByAddedDays);
    QString list;
};

bool parse(const QStringList &args, PrintOptions *options, QString *error)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        const bool hasValue = i + 1 < args.size();
        if (arg == u"--copies" && hasValue) {
            options->copies = args.at(++i);
        } else if (arg == u"--date" && hasValue) {
            options->date = args.at(++i);
            options->hasDate = true;
        } else if (arg == u"--method" && hasValue) {
            options->method = args.at(++i);
        } else if (arg == u"--list" && hasValue) {
            options->list = args.at(++i);
        } else if (!arg.startsWith(u"--") && options->number.isEmpty()) {
            options->number = arg;
        } else {
            *error = kUsage;
            return false;
        }
    }
    const bool single = !options->number.isEmpty() && !options->copies.isEmpty();
    const bool list = !options->list.isEmpty() && options->number.isEmpty() && options->copies.isEmpty() && !options->hasDate;
    if (single == list) {
        *error = kUsage;
        return false;
    }
    return true;
}

// One entry of a list file: "NNNN COPIES [YYYY-MM-DD hh:mm]", blanks or
// commas between; empty lines and lines starting with "#" are skipped.
struct ListLine
{
    QString number, copies, date;
};

std::optional<QList<ListLine>> readList(const QString &path, QString *error)
{
    const store::FileContent file = store::readWholeFile(path);
    if (file.status != store::ReadStatus::Ok) {
        *error = file.status == store::ReadStatus::Missing ? QStringLiteral("no such list file: %1").arg(path)
                                                           : QStringLiteral("cannot read %1: %2").arg(path, file.error);
        return std::nullopt;
    }
    QList<ListLine> lines;
    int lineNumber = 0;
    for (const QString &line : QString::fromUtf8(file.bytes).split(QRegularExpression(QStringLiteral("\r\n|\n|\r")))) {
        ++lineNumber;
        const QString text = line.trimmed();
        if (text.isEmpty() || text.startsWith(u'#'))
            continue;
        QStringList cells = text.split(QRegularExpression(QStringLiteral("\\s*,\\s*|\\s+")), Qt::SkipEmptyParts);
        if (cells.size() < 2 || cells.size() > 4) {
            *error = QStringLiteral("%1:%2: expected NNNN COPIES [YYYY-MM-DD hh:mm]").arg(path).arg(lineNumber);
            return std::nullopt;
        }
        lines.append({cells.at(0), cells.at(1), cells.mid(2).join(u' ')});
    }
    return lines;
}

int runPrint(Context &context, const QStringList &args)
{
    PrintOptions options;
    QString error;
    if (!parse(args, &options, &error))
        return context.fail(error);
    // The labels are dated by --date, or by now; a list line may name its own date.
    std::optional<platform::FixedClock> givenDate;
    if (options.hasDate) {
        const std::optional<QDateTime> date = baseDateOf(options.date);
        if (!date)
            return context.fail(QStringLiteral("the date \"%1\" is not YYYY-MM-DD hh:mm").arg(options.date));
        if (!date->isValid())
            return context.fail(QString::fromUtf16(engine::kInvalidDateMessage) + QStringLiteral(": ") + options.date);
        givenDate.emplace(*date);
    }
    const platform::Clock &clock = givenDate ? static_cast<const platform::Clock &>(*givenDate) : *context.clock;

    QList<ListLine> entries;
    if (options.list.isEmpty()) {
        entries.append({options.number, options.copies, {}});
    } else {
        const auto read = readList(options.list, &error);
        if (!read)
            return context.fail(error);
        entries = *read;
    }

    // As the program does at start: its own mark pictures where the user has none.
    engine::ensureMarkPictures(context.workDir);
    platform::CupsPrinterSystem printers(*context.clock, platform::PdfPrinter::outputFolder(context.workDir));
    const store::FileSettingsSource settings(context.workDir);
    TerminalMessages messages(context);
    CommandExit exit;
    const print::IssuingServices services{.printers = &printers, .settings = &settings, .messages = &messages,
                                          .exit = &exit, .workDir = context.workDir};
    print::IssuingJob job(services, print::productFileFor(context.workDir, settings.readOrDefaults(),
                                                          context.drive->usbRoot()));

    const QDateTime now = clock.now();
    QList<print::IssuingInput> inputs;
    for (const ListLine &entry : std::as_const(entries)) {
        print::IssuingInput input;
        input.number = registrationNumber(entry.number);
        input.displayMethod = options.method;
        input.copies = entry.copies;
        // The issuing screen takes any copies text into its list and prints
        // nothing for it; a script is told before anything is printed.
        if (!options.list.isEmpty() && !print::copyCountOf(entry.copies))
            return context.fail(QString::fromUtf16(print::kBadCopiesMessage) + QStringLiteral(": ") + entry.copies);
        const std::optional<QDateTime> date = entry.date.isEmpty() ? std::optional<QDateTime>(now) : baseDateOf(entry.date);
        if (!date)
            return context.fail(QStringLiteral("the date \"%1\" is not YYYY-MM-DD hh:mm").arg(entry.date));
        // The issuing screen reports a date that names no day when it is typed.
        if (!date->isValid())
            return context.fail(QString::fromUtf16(engine::kInvalidDateMessage) + QStringLiteral(": ") + entry.date);
        input.setBaseDate(*date);
        QString lookupError;
        const auto product = job.lookupProduct(input.number, &lookupError);
        if (!lookupError.isEmpty())
            return context.fail(forTerminal(lookupError));
        inputs.append(print::showProduct(input, product));
    }

    bool ok = true;
    if (options.list.isEmpty()) {
        ok = job.printShownProduct(inputs.constFirst()).ok;
    } else {
        for (const print::IssuingInput &input : std::as_const(inputs)) {
            if (!input.product) {
                messages.information(QStringLiteral("登録番号に対する商品情報が見当りませんでした為、印刷を行いませんでした: ") +
                                     input.number);
                ok = false;
                continue;
            }
            job.registerIssueEntry(input);
        }
        ok = job.printIssueList().ok && ok;
    }
    if (exit.code != 0)
        return exit.code;
    return ok ? 0 : 1;
}

} // namespace

static const GroupRegistrar registrar{
    {"print",
     "  sakurabe-cli print NNNN --copies N [--date \"YYYY-MM-DD hh:mm\"] [--method TEXT]\n"
     "                                        prints the product as the issuing screen's print button does\n"
     "  sakurabe-cli print --list FILE        prints an issue list: one entry a line, NNNN COPIES [YYYY-MM-DD hh:mm]\n",
     &runPrint}};

} // namespace cli
