// Whole labels from a product of 22 arbitrary fields, as every caller
// composes them: the issuing screen's print and preview and the
// registration screen's preview, in each of the three label sizes, on an
// ordinary label printer, on a 2130 printer with either label paper and
// with no printer at all, drawn into a recording.
//
// Input: one byte of choices, then the fields separated by 0x1F (unit
// separator) in the product file's order; a 23rd field is the expiry
// display method, a 24th the copies, a 25th the base date in ISO form.
#include "fuzz/fuzzsupport.h"

#include "engine/compose/composelabel.h"
#include "engine/render/expirydate.h"
#include "engine/render/labelrenderer.h"
#include "engine/render/markpictures.h"
#include "engine/render/recording.h"
#include "engine/render/recordingprinter.h"
#include "platform/fakeprintersystem.h"
#include "platform/programexit.h"
#include "print/labeljobfill.h"
#include "store/productrecord.h"
#include "store/usersettings.h"

#include <QGuiApplication>
#include <QImage>

#include <memory>

namespace {

struct PrinterChoice
{
    const char16_t *name;
    int dpi;
    int paper;
};

constexpr PrinterChoice kPrinters[] = {
    {u"SATO_T408v", 203, 0},
    {u"SATO_CT4-LX_2130", 305, 513},
    {u"SATO_CT4-LX_2130", 305, 514},
    {nullptr, 0, 0},
};

void compose(const store::ProductRecord &product, print::JobKind kind, const PrinterChoice &choice,
             const QDateTime &baseDate, const print::IssueChoices &choices)
{
    using namespace fuzzsupport;
    platform::FakePrinterSystem system;
    std::unique_ptr<platform::Printer> inner;
    engine::Recording recording;
    std::unique_ptr<engine::RecordingPrinter> printer;
    if (choice.name) {
        const QString name = QString::fromUtf16(choice.name);
        system.addPrinter({name, choice.dpi, platform::FakePrinterSystem::labelPrinterForms(), choice.paper});
        inner = system.open(name);
        printer = std::make_unique<engine::RecordingPrinter>(*inner, recording);
    }
    store::UserSettings settings = store::UserSettings::defaults();
    if (choice.name)
        settings.printer = QString::fromUtf16(choice.name);
    platform::RecordingProgramExit exit;
    engine::LabelRenderer renderer(engine::RendererServices{printer.get(), &recording.target(engine::TargetKind::Page),
                                                            &recording, &recording, &exit, folder(), settings});
    const engine::LabelJob job = print::fillLabelJob(product, kind, baseDate, choices);
    if (!engine::composeLabel(renderer, job))
        fail("a label of a known size is composed");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // Label texts are measured and drawn with the system's fonts.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    const QString folder = fuzzsupport::folder();
    engine::ensureMarkPictures(folder);
    QImage background(64, 40, QImage::Format_Mono);
    background.fill(0);
    background.save(folder + QStringLiteral("/0001.bmp"), "BMP");
    if (!store::writeUserSettings(folder, store::UserSettings::defaults()).ok)
        std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const uint8_t choice = data[0];
    const QList<QByteArray> parts = fuzzsupport::bytesOf(data + 1, size - 1).toByteArray().split('\x1f');
    const auto part = [&](qsizetype i) { return i < parts.size() ? QString::fromUtf8(parts.at(i)) : QString(); };

    store::ProductRecord product;
    for (int i = 0; i < store::kProductFieldCount; ++i)
        product.*store::kProductFields[static_cast<size_t>(i)] = part(i);
    const QString method = part(22).isEmpty()
                               ? QString::fromUtf16((choice & 4) ? engine::kDisplayAltText : engine::kDisplayByAddedDays)
                               : part(22);
    const print::IssueChoices choices{method, part(23).isEmpty() ? QStringLiteral("1") : part(23)};
    QDateTime baseDate = QDateTime::fromString(part(24), Qt::ISODate);
    if (part(24).isEmpty())
        baseDate = QDateTime(QDate(2026, 3, 5), QTime(9, 7));
    const PrinterChoice &printer = kPrinters[choice & 3];

    for (const char16_t *labelSize : {engine::kPortraitLabel, engine::kLandscapeLabel, engine::kSmallLabel}) {
        product.labelSize = QString::fromUtf16(labelSize);
        for (const print::JobKind kind :
             {print::JobKind::IssuingPrint, print::JobKind::IssuingPreview, print::JobKind::RegistrationPreview})
            compose(product, kind, printer, baseDate, choices);
    }
    return 0;
}
