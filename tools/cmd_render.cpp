#include "tools/commandgroup.h"
#include "tools/commandsupport.h"
#include "tools/issuingsupport.h"
#include "tools/recordjson.h"

#include "engine/render/expirydate.h"
#include "engine/render/imagepreviewhost.h"
#include "engine/render/markpictures.h"
#include "engine/render/recording.h"
#include "engine/render/recordingprinter.h"
#include "platform/clock.h"
#include "platform/cupsprintersystem.h"
#include "platform/fakeprintersystem.h"
#include "platform/paperform.h"
#include "platform/pdffileprinter.h"
#include "platform/pdfprinter.h"
#include "print/issuingjob.h"
#include "print/labeljobfill.h"
#include "store/datalocation.h"
#include "store/productfile.h"
#include "store/productrecord.h"
#include "store/settingssource.h"
#include "store/textfile.h"
#include "store/usersettings.h"
#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QRegularExpression>

#include <algorithm>
#include <optional>

namespace cli {
namespace {

enum class OutputKind { Pdf, Png, Text };

struct RenderOptions
{
    QString number;
    QString out;
    OutputKind kind = OutputKind::Text;
    QString date;
    QString method = QString::fromUtf16(engine::kDisplayByAddedDays);
    QString copies = QStringLiteral("1");
    QString printer;
    QString device;
    int dpi = 203;
    QSizeF pageMm{0, 0};
    bool preview = false;
    bool registrationPreview = false;
    QString record;
};

QString usage()
{
    return QStringLiteral("usage: sakurabe-cli render NNNN|--record FILE.json --out FILE.pdf|.png|.txt "
                                      "[--date \"YYYY-MM-DD hh:mm\"] [--method TEXT] [--copies N] [--printer NAME | "
                                      "--device NAME --dpi N --page WxH] [--preview | --registration-preview]");
}

std::optional<RenderOptions> parseOptions(const QStringList &args, QString *error)
{
    RenderOptions options;
    bool pageGiven = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        if (arg == u"--preview") {
            options.preview = true;
            continue;
        }
        if (arg == u"--registration-preview") {
            options.registrationPreview = true;
            continue;
        }
        if (!arg.startsWith(u"--")) {
            if (!options.number.isEmpty()) {
                *error = usage();
                return std::nullopt;
            }
            options.number = arg;
            continue;
        }
        if (i + 1 >= args.size()) {
            *error = QStringLiteral("render: %1 needs a value").arg(arg);
            return std::nullopt;
        }
        const QString value = args.at(++i);
        if (arg == u"--out") {
            options.out = value;
        } else if (arg == u"--date") {
            options.date = value;
        } else if (arg == u"--method") {
            options.method = value;
        } else if (arg == u"--copies") {
            options.copies = value;
        } else if (arg == u"--printer") {
            options.printer = value;
        } else if (arg == u"--device") {
            options.device = value;
        } else if (arg == u"--record") {
            options.record = value;
        } else if (arg == u"--dpi") {
            bool ok = false;
            options.dpi = value.toInt(&ok);
            if (!ok || options.dpi < 72 || options.dpi > 1200) {
                *error = QStringLiteral("render: --dpi must be 72 to 1200, not \"%1\"").arg(value);
                return std::nullopt;
            }
        } else if (arg == u"--page") {
            const QRegularExpressionMatch match
                = QRegularExpression(QStringLiteral("^(\\d+(?:\\.\\d+)?)[xX×](\\d+(?:\\.\\d+)?)$")).match(value);
            options.pageMm = match.hasMatch() ? QSizeF(match.captured(1).toDouble(), match.captured(2).toDouble())
                                              : QSizeF(0, 0);
            if (options.pageMm.width() < 5 || options.pageMm.height() < 5 || options.pageMm.width() > 1000
                || options.pageMm.height() > 1000) {
                *error = QStringLiteral("render: --page must be WxH in millimetres, e.g. 47x65, not \"%1\"").arg(value);
                return std::nullopt;
            }
            pageGiven = true;
        } else {
            *error = QStringLiteral("render: unknown option %1").arg(arg);
            return std::nullopt;
        }
    }
    if (options.out.isEmpty() || options.number.isEmpty() == options.record.isEmpty()) {
        *error = usage();
        return std::nullopt;
    }
    const QString suffix = QFileInfo(options.out).suffix().toLower();
    if (suffix == u"pdf")
        options.kind = OutputKind::Pdf;
    else if (suffix == u"png")
        options.kind = OutputKind::Png;
    else if (suffix == u"txt")
        options.kind = OutputKind::Text;
    else {
        *error = QStringLiteral("render: --out must end in .pdf, .png or .txt");
        return std::nullopt;
    }
    if (options.preview && options.registrationPreview) {
        *error = QStringLiteral("render: --preview and --registration-preview exclude each other");
        return std::nullopt;
    }
    if ((options.preview || options.registrationPreview) && options.kind == OutputKind::Pdf) {
        *error = QStringLiteral("render: a preview renders to .png or .txt");
        return std::nullopt;
    }
    if (!options.device.isEmpty() != pageGiven || (!options.device.isEmpty() && !options.printer.isEmpty())) {
        *error = QStringLiteral("render: --device needs --page (and --dpi), and excludes --printer");
        return std::nullopt;
    }
    return options;
}

std::optional<store::ProductRecord> recordFromFile(const QString &path, QString *error)
{
    const store::FileContent read = store::readWholeFile(path);
    if (read.status != store::ReadStatus::Ok) {
        *error = QStringLiteral("render: %1 must hold one JSON object").arg(path);
        return std::nullopt;
    }
    return renderRecordFromJson(read.bytes, path, error);
}

std::optional<store::ProductRecord> storedRecord(Context &context, const QString &numberText)
{
    bool ok = false;
    const int value = numberText.toInt(&ok);
    if (!ok || value < 1 || value > 9999 || numberText.size() > 8) {
        context.fail(QStringLiteral("render: not a registration number: \"%1\"").arg(numberText));
        return std::nullopt;
    }
    const QString number = QString::number(value).rightJustified(4, u'0');
    QString folder;
    if (!findDataFolder(context, &folder))
        return std::nullopt;
    const store::ProductFilePaths paths = store::productFilePaths(folder);
    // No product file: the issuing job sees no products.
    if (!QFileInfo::exists(paths.product)) {
        context.fail(QStringLiteral("render: no product %1").arg(number));
        return std::nullopt;
    }
    const store::RecordLookup found = store::ProductFile(paths).findRecord(number);
    if (!found.ok) {
        context.fail(forTerminal(found.message));
        return std::nullopt;
    }
    std::optional<store::ProductRecord> record
        = found.recordText ? store::ProductRecord::fromRecordText(*found.recordText) : std::nullopt;
    if (!record)
        context.fail(QStringLiteral("render: no product %1").arg(number));
    return record;
}

// The output file, replaced only once the new content is complete.
store::FileResult writeOut(const QString &path, const QByteArray &content)
{
    const store::WriteOutcome replaced = store::replaceFileContent(path, path + QStringLiteral(".tmp"), content);
    if (replaced.ok)
        return {true, {}};
    return {false, QStringLiteral("%1 を書き込めませんでした").arg(path) + u'\r' + replaced.error};
}

// The printer a label is laid out for: its name, resolution and paper.
struct PrinterDescription
{
    QString name;
    int resolution = 203;
    QList<platform::PaperForm> forms;
    int paperNumber = 0;
};

// The described printer, or nothing when the printer named is not installed
// (the issuing job then says so, as the program does).
std::optional<PrinterDescription> describePrinter(Context &context, const RenderOptions &options,
                                                  const std::optional<store::UserSettings> &settings, bool *failed)
{
    *failed = false;
    if (!options.device.isEmpty()) {
        const QString size = QStringLiteral("%1x%2").arg(options.pageMm.width()).arg(options.pageMm.height());
        const QList<platform::PaperForm> forms = platform::numberPaperForms({{0, size, size, options.pageMm}});
        return PrinterDescription{options.device, options.dpi, forms, forms.first().number};
    }
    QString name = options.printer;
    if (name.isEmpty() && settings)
        name = settings->printer;
    if (name.isEmpty()) {
        context.fail(QStringLiteral("render: user.dat names no printer; give --printer or --device"));
        *failed = true;
        return std::nullopt;
    }
    platform::CupsPrinterSystem system(*context.clock, platform::PdfPrinter::outputFolder(context.workDir));
    const std::unique_ptr<platform::Printer> printer = system.open(name);
    if (!printer)
        return std::nullopt;
    return PrinterDescription{printer->deviceName(), printer->resolution(), printer->paperForms(),
                              printer->paperSize()};
}

// The one printer the label goes to: a stand-in with the described printer's
// name, resolution and paper, whose pages are kept as images (for .png and
// .txt) or as one PDF file. Everything the engine asks of it is written into
// the recording.
class RenderPrinterSystem final : public platform::PrinterSystem
{
public:
    RenderPrinterSystem(const std::optional<PrinterDescription> &printer, const QString &pdfPath,
                        engine::Recording &recording)
        : m_recording(recording)
    {
        if (!printer)
            return;
        m_name = printer->name;
        if (!pdfPath.isEmpty()) {
            m_inner = std::make_unique<platform::PdfFilePrinter>(printer->name, printer->resolution, printer->forms,
                                                                 printer->paperNumber, pdfPath);
        } else {
            m_pages.addPrinter({printer->name, printer->resolution, printer->forms, printer->paperNumber});
            m_inner = m_pages.open(printer->name);
        }
    }

    QStringList printerNames() const override { return m_inner ? QStringList{m_name} : QStringList{}; }
    std::unique_ptr<platform::Printer> open(const QString &deviceName) override
    {
        if (!m_inner || deviceName != m_name)
            return nullptr;
        return std::make_unique<engine::RecordingPrinter>(*m_inner, m_recording);
    }

    // The pages of the first document, as the printer's head would make them.
    QList<platform::FakePage> pages() const
    {
        const QList<platform::FakeDocument> &documents = m_pages.record(m_name).documents;
        return documents.isEmpty() ? QList<platform::FakePage>{} : documents.first().pages;
    }

private:
    engine::Recording &m_recording;
    QString m_name;
    platform::FakePrinterSystem m_pages;
    std::unique_ptr<platform::Printer> m_inner;
};

QByteArray pngBytes(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// Every page one below the other, as they come off the printer.
QImage stackPages(const QList<platform::FakePage> &pages)
{
    if (pages.isEmpty())
        return {};
    if (pages.size() == 1)
        return pages.first().image;
    int width = 0;
    int height = 0;
    for (const platform::FakePage &page : pages) {
        width = std::max(width, page.image.width());
        height += page.image.height() + (height > 0 ? 8 : 0);
    }
    QImage all(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
    all.fill(Qt::gray);
    QPainter painter(&all);
    int y = 0;
    for (const platform::FakePage &page : pages) {
        painter.drawImage(0, y, page.image);
        y += page.image.height() + 8;
    }
    return all;
}

int runRender(Context &context, const QStringList &args)
{
    QString error;
    const std::optional<RenderOptions> parsed = parseOptions(args, &error);
    if (!parsed)
        return context.fail(error);
    const RenderOptions &options = *parsed;
    const bool preview = options.preview || options.registrationPreview;

    const std::optional<store::ProductRecord> record
        = options.record.isEmpty() ? storedRecord(context, options.number) : recordFromFile(options.record, &error);
    if (!record)
        return error.isEmpty() ? 1 : context.fail(error);
    if (!store::isLabelSize(record->labelSize))
        return context.fail(QStringLiteral("render: no label size \"%1\"").arg(record->labelSize));

    // The label is dated by --date, or by now.
    std::optional<platform::FixedClock> givenDate;
    if (!options.date.isEmpty()) {
        const QDateTime date = QDateTime::fromString(options.date, QStringLiteral("yyyy-MM-dd HH:mm"));
        if (!date.isValid())
            return context.fail(QStringLiteral("render: --date must be \"YYYY-MM-DD hh:mm\", not \"%1\"").arg(options.date));
        givenDate.emplace(date);
    }
    const platform::Clock &clock = givenDate ? static_cast<const platform::Clock &>(*givenDate) : *context.clock;

    // The settings of the working folder, for the printer the label is drawn for.
    const std::optional<store::UserSettings> stored = store::readUserSettings(context.workDir);
    bool failed = false;
    const std::optional<PrinterDescription> printer = describePrinter(context, options, stored, &failed);
    if (failed)
        return 1;
    store::UserSettings settings = stored.value_or(store::UserSettings::defaults());
    if (printer)
        settings.printer = printer->name;
    const store::FixedSettingsSource settingsSource(settings);

    engine::Recording recording;
    const bool text = options.kind == OutputKind::Text;
    RenderPrinterSystem printers(printer, options.kind == OutputKind::Pdf ? options.out : QString(), recording);
    engine::ImagePreviewHost images;
    TerminalMessages messages(context, &recording);
    CommandExit exit;
    // As the program does at start: its own mark pictures where the user has none.
    engine::ensureMarkPictures(context.workDir);

    // A recording takes the page and the previews; otherwise the pages are the
    // printer's and the previews are pictures.
    engine::PreviewHost *previews = text ? static_cast<engine::PreviewHost *>(&recording) : &images;
    engine::DrawTarget *page = text ? &recording.target(engine::TargetKind::Page) : nullptr;
    const print::IssuingServices services{.printers = &printers, .settings = &settingsSource, .messages = &messages,
                                          .exit = &exit, .previews = previews, .workDir = context.workDir, .page = page};
    // The product is given, never looked up.
    print::IssuingJob job(services, store::ProductFile(store::productFilePaths(context.workDir)));

    print::IssuingInput input;
    input.number = record->number;
    input.displayMethod = options.method;
    input.copies = options.copies;
    input.setBaseDate(clock.now());
    input = print::showProduct(input, record);

    bool ok = false;
    if (options.registrationPreview)
        ok = job.previewLabel(print::fillLabelJob(*record, print::JobKind::RegistrationPreview, input.baseDate()));
    else if (preview)
        ok = job.previewShownProduct(input).ok;
    else
        ok = job.printShownProduct(input).ok;
    // Without the printer the job has said so and would end the program; with
    // it, the printer failed while the label was drawn.
    if (exit.code != 0)
        return printer ? context.fail(QStringLiteral("render: the label could not be drawn")) : exit.code;
    if (!ok)
        return 1;

    store::FileResult written{true, {}};
    if (options.kind == OutputKind::Text) {
        written = writeOut(options.out, recording.text().toUtf8());
    } else if (options.kind == OutputKind::Png) {
        const QImage image = preview ? images.image() : stackPages(printers.pages());
        if (image.isNull())
            return context.fail(QStringLiteral("render: nothing was drawn"));
        written = writeOut(options.out, pngBytes(image));
    }
    if (!written.ok)
        return context.fail(forTerminal(written.message));
    return 0;
}

} // namespace

static const GroupRegistrar registrar{
    {"render",
     "  sakurabe-cli render NNNN --out FILE   a product's label as the issuing screen prints it:\n"
     "                                        FILE.pdf, FILE.png (at the printer's dots) or FILE.txt\n"
     "                                        (what the engine drew); options: --date \"YYYY-MM-DD hh:mm\",\n"
     "                                        --method TEXT, --copies N, --printer NAME (default user.dat),\n"
     "                                        --device NAME --dpi N --page WxH (mm), --preview,\n"
     "                                        --registration-preview, --record FILE.json instead of NNNN\n",
     &runRender}};

} // namespace cli
