#include "tools/commandgroup.h"
#include "tools/commandsupport.h"

#include "engine/compose/issuingjob.h"
#include "engine/compose/labeljobfill.h"
#include "engine/render/expirydate.h"
#include "engine/compose/landscapecomposer.h"
#include "engine/compose/portraitcomposer.h"
#include "engine/render/labelrenderer.h"
#include "engine/render/markpictures.h"
#include "engine/render/picturetarget.h"
#include "engine/render/previewgeometry.h"
#include "engine/render/printerpagetarget.h"
#include "engine/render/recording.h"
#include "engine/render/recordingprinter.h"
#include "platform/clock.h"
#include "platform/cupsprintersystem.h"
#include "platform/fakeprintersystem.h"
#include "platform/paperform.h"
#include "platform/pdfprinter.h"
#include "platform/printerbase.h"
#include "platform/programexit.h"
#include "store/cp932.h"
#include "store/productfile.h"
#include "store/datalocation.h"
#include "store/productrecord.h"
#include "store/textfile.h"
#include "store/usersettings.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
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
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(read.bytes, &parseError);
    if (read.status != store::ReadStatus::Ok || parseError.error != QJsonParseError::NoError || !document.isObject()) {
        *error = QStringLiteral("render: %1 must hold one JSON object").arg(path);
        return std::nullopt;
    }
    const QJsonObject object = document.object();
    store::ProductRecord record;
    for (auto it = object.begin(); it != object.end(); ++it) {
        const auto name = std::find_if(store::kProductFieldNames.begin(), store::kProductFieldNames.end(),
                                       [&](const char *field) { return it.key() == QLatin1String(field); });
        if (name == store::kProductFieldNames.end() || !it.value().isString()) {
            *error = QStringLiteral("render: field \"%1\" is unknown or not a string").arg(it.key());
            return std::nullopt;
        }
        // What the product file could hold: characters code page 932 lacks become "〓".
        record.*store::kProductFields[size_t(name - store::kProductFieldNames.begin())]
            = store::cp932Normalized(it.value().toString());
    }
    return record;
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

// Messages of the label go into the recording and to the terminal.
class TerminalMessages final : public platform::MessageSink
{
public:
    TerminalMessages(engine::Recording &recording, Context &context) : m_recording(recording), m_context(context) {}
    void information(const QString &text) override
    {
        m_recording.information(text);
        m_context.err += forTerminal(text) + u'\n';
    }
    bool question(const QString &text) override
    {
        m_context.err += forTerminal(text) + u'\n';
        return m_recording.question(text);
    }

private:
    engine::Recording &m_recording;
    Context &m_context;
};

// The preview pictures as images: the work pictures the composer draws on.
class ImagePreviewHost final : public engine::PreviewHost, public engine::PreviewWindow
{
public:
    explicit ImagePreviewHost(double printerTwipsPerPixelX) : m_twipsPerPixel(printerTwipsPerPixelX) {}

    engine::PreviewWindow &openPreview(engine::PreviewShape shape) override
    {
        const engine::PictureGeometry geometry = engine::previewGeometry(shape, m_twipsPerPixel).work;
        m_first = std::make_unique<engine::PictureTarget>(engine::TargetKind::First, geometry);
        m_second = std::make_unique<engine::PictureTarget>(engine::TargetKind::Second, geometry);
        return *this;
    }
    engine::DrawTarget &picture(engine::TargetKind kind) override
    {
        return kind == engine::TargetKind::Second ? *m_second : *m_first;
    }
    void setNoticeVisible(bool visible) override { m_secondShown = visible; }
    void setPageButtonEnabled(bool enabled) override { m_secondShown = m_secondShown || enabled; }
    void present() override {}

    // The first picture, and the second beside it when the label goes on.
    QImage image() const
    {
        if (!m_first)
            return {};
        if (!m_secondShown)
            return m_first->image();
        const QImage &first = m_first->image();
        QImage both(first.width() * 2 + 8, first.height(), QImage::Format_RGB32);
        both.fill(Qt::gray);
        QPainter painter(&both);
        painter.drawImage(0, 0, first);
        painter.drawImage(first.width() + 8, 0, m_second->image());
        return both;
    }

private:
    double m_twipsPerPixel = 1440.0 / 203;
    std::unique_ptr<engine::PictureTarget> m_first;
    std::unique_ptr<engine::PictureTarget> m_second;
    bool m_secondShown = false;
};

// The output file, replaced only once the new content is complete.
store::FileResult writeOut(const QString &path, const QByteArray &content)
{
    const store::WriteOutcome replaced = store::replaceFileContent(path, path + QStringLiteral(".tmp"), content);
    if (replaced.ok)
        return {true, {}};
    return {false, QStringLiteral("%1 を書き込めませんでした").arg(path) + u'\r' + replaced.error};
}

// A printer with another printer's name, resolution and paper that keeps its
// document as a PDF file instead of printing it.
class PdfFilePrinter final : public platform::PrinterBase
{
public:
    PdfFilePrinter(const platform::FakePrinterScript &like, QString path)
        : PrinterBase(like.name, like.resolution, like.forms, like.paperNumber), m_path(std::move(path))
    {
    }

protected:
    bool deliver(const QByteArray &pdf, const platform::PaperForm &, int, QString *error) override
    {
        const store::FileResult written = writeOut(m_path, pdf);
        if (!written.ok)
            *error = written.message;
        return written.ok;
    }
    bool storeDefaultPaperForm(const platform::PaperForm &, QString *) override { return true; }

private:
    QString m_path;
};

QString missingPrinterMessage()
{
    return QString(11, QChar(0x3000)) + QStringLiteral("■■■指定されたプリンターのドライバーが見つかりません■■■\r\r"
                                                       "プリンタードライバーがインストールされていないか、印刷設定で使用プリンターを"
                                                       "指定していない可能性があります。\r"
                                                       "詳しくは、「さくらべ」の操作説明書をご確認下さいませ。このソフトウェアは、"
                                                       "この時点で終了します。");
}

// The printer the label is laid out for: its name, resolution and paper.
std::optional<platform::FakePrinterScript> describePrinter(Context &context, const RenderOptions &options,
                                                           const std::optional<store::UserSettings> &settings)
{
    if (!options.device.isEmpty()) {
        const QString size = QStringLiteral("%1x%2").arg(options.pageMm.width()).arg(options.pageMm.height());
        const QList<platform::PaperForm> forms = platform::numberPaperForms({{0, size, size, options.pageMm}});
        return platform::FakePrinterScript{options.device, options.dpi, forms, forms.first().number};
    }
    QString name = options.printer;
    if (name.isEmpty() && settings)
        name = settings->printer;
    if (name.isEmpty()) {
        context.fail(QStringLiteral("render: user.dat names no printer; give --printer or --device"));
        return std::nullopt;
    }
    const platform::SystemClock clock;
    platform::CupsPrinterSystem system(clock, platform::PdfPrinter::outputFolder(context.workDir));
    const std::unique_ptr<platform::Printer> printer = system.open(name);
    if (!printer) {
        context.fail(forTerminal(missingPrinterMessage()));
        return std::nullopt;
    }
    return platform::FakePrinterScript{printer->deviceName(), printer->resolution(), printer->paperForms(),
                                       printer->paperSize()};
}

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
    int width = 0;
    int height = 0;
    for (const platform::FakePage &page : pages) {
        width = std::max(width, page.image.width());
        height += page.image.height() + (height > 0 ? 8 : 0);
    }
    if (pages.size() == 1)
        return pages.first().image;
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

    QDateTime baseDate = QDateTime::currentDateTime();
    baseDate.setTime(QTime(baseDate.time().hour(), baseDate.time().minute()));
    if (!options.date.isEmpty()) {
        baseDate = QDateTime::fromString(options.date, QStringLiteral("yyyy-MM-dd HH:mm"));
        if (!baseDate.isValid())
            return context.fail(QStringLiteral("render: --date must be \"YYYY-MM-DD hh:mm\", not \"%1\"").arg(options.date));
    }

    engine::LabelJob job = options.registrationPreview
                               ? engine::registrationLabelJob(*record, baseDate)
                               : engine::issuingLabelJob(*record, options.method, options.copies, baseDate);
    job.toPrinter = !preview;

    engine::Recording recording;
    // The count the issuing job would print; a preview makes no copies.
    const std::optional<int> copies = engine::copyCountOf(options.copies);
    if (!preview && !copies) {
        recording.information(QString::fromUtf16(engine::kBadCopiesMessage));
        return context.fail(QString::fromUtf16(engine::kBadCopiesMessage));
    }

    const std::optional<store::UserSettings> settings = store::readUserSettings(context.workDir);
    const std::optional<platform::FakePrinterScript> script = describePrinter(context, options, settings);
    if (!script)
        return 1;

    platform::FakePrinterSystem fakeSystem;
    std::unique_ptr<platform::Printer> inner;
    if (options.kind == OutputKind::Pdf) {
        inner = std::make_unique<PdfFilePrinter>(*script, options.out);
    } else {
        fakeSystem.addPrinter(*script);
        inner = fakeSystem.open(script->name);
    }
    engine::RecordingPrinter printer(*inner, recording);
    if (!preview && settings) {
        // The paper form the settings ask for, when it is not the one in hand.
        const int paper = settings->paperFormValue();
        if (paper != 0 && paper != printer.paperSize())
            printer.setPaperSize(paper);
    }

    engine::PrinterPageTarget pageTarget(printer);
    ImagePreviewHost images(printer.twipsPerPixelX());
    TerminalMessages messages(recording, context);
    platform::RecordingProgramExit exit;
    // As the program does at start: its own mark pictures where the user has none.
    engine::ensureMarkPictures(context.workDir);
    const bool text = options.kind == OutputKind::Text;
    engine::LabelRenderer renderer(engine::RendererServices{
        &printer, text ? &recording.target(engine::TargetKind::Page) : static_cast<engine::DrawTarget *>(&pageTarget),
        text ? static_cast<engine::PreviewHost *>(&recording) : &images, &messages, &exit, context.workDir});

    const QString &size = job[engine::LabelJob::LabelSize];
    const bool landscape = size == engine::kLandscapeLabel;
    if (!landscape && size != engine::kPortraitLabel && size != engine::kSmallLabel)
        return context.fail(QStringLiteral("render: no label size \"%1\"").arg(size));
    const auto compose = [&] {
        if (landscape)
            engine::composeLandscapeLabel(renderer, job);
        else
            engine::composePortraitLabel(renderer, job);
    };
    if (preview) {
        compose();
    } else {
        // Collated copies are pages of one document; otherwise the printer makes them.
        const int count = settings && settings->collated() ? *copies : 1;
        for (int k = 1; k <= count && !exit.requested(); ++k) {
            compose();
            if (k < count)
                printer.newPage();
        }
        if (!exit.requested() && !printer.endDocument())
            return context.fail(forTerminal(printer.error()));
    }
    if (exit.requested())
        return context.fail(QStringLiteral("render: the label could not be drawn"));

    store::FileResult written{true, {}};
    if (options.kind == OutputKind::Text) {
        written = writeOut(options.out, recording.text().toUtf8());
    } else if (options.kind == OutputKind::Png) {
        const QList<platform::FakeDocument> &documents = fakeSystem.record(script->name).documents;
        const QImage image = preview ? images.image()
                             : documents.isEmpty() ? QImage()
                                                   : stackPages(documents.first().pages);
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
