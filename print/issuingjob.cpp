#include "print/issuingjob.h"

#include "engine/compose/composelabel.h"
#include "engine/render/expirydate.h"
#include "engine/render/labelrenderer.h"
#include "engine/render/printerpagetarget.h"
#include "platform/messagesink.h"
#include "platform/printersystem.h"
#include "platform/programexit.h"
#include "print/copycount.h"
#include "print/labeljobfill.h"
#include "store/datalocation.h"
#include "store/settingssource.h"

#include <limits>

namespace print {
namespace {

using engine::LabelJob;

const QString kNoProductToPrint = QStringLiteral("登録番号に対する商品情報が見当りませんでした為、印刷を行いませんでした");
const QString kNoProductToPreview = QStringLiteral("商品情報が選択されていません\r商品情報を選択して下さい");
const QString kEmptyIssueList = QStringLiteral("印刷する商品が登録されていません。\rまずは登録を行って下さい");
const QString kDumpFinished = QStringLiteral("ダンプ印刷を完了しました");
const QString kPreviewPrinterMissing = QStringLiteral("指定のプリンターが見つかりません");

QString printerMissingMessage()
{
    return QString(11, QChar(0x3000)) + QStringLiteral("■■■指定されたプリンターのドライバーが見つかりません■■■") +
           QStringLiteral("\r\r") +
           QStringLiteral("プリンタードライバーがインストールされていないか、印刷設定で使用プリンターを指定していない可能性があります。") +
           QStringLiteral("\r") +
           QStringLiteral("詳しくは、「さくらべ」の操作説明書をご確認下さいませ。このソフトウェアは、この時点で終了します。");
}

// The printer with exactly this device name, when it is installed.
std::unique_ptr<platform::Printer> openInstalled(platform::PrinterSystem &printers, const QString &name)
{
    if (!printers.printerNames().contains(name))
        return nullptr;
    return printers.open(name);
}

// "0" and "0000" name no paper form; a number the printer object cannot
// hold (16 bits) names none either.
bool namesPaperForm(const store::UserSettings &settings)
{
    const int form = settings.paperFormValue();
    return settings.paperForm != u"0" && settings.paperForm != store::kNoPaperForm &&
           form <= std::numeric_limits<qint16>::max() && form >= std::numeric_limits<qint16>::min();
}

} // namespace

// The current printer of one operation and the settings it was chosen by.
struct IssuingJob::Prepared
{
    std::unique_ptr<platform::Printer> printer;
    store::UserSettings settings;
};

store::ProductFile productFileFor(const QString &workDir, const store::UserSettings &settings, const QString &usbRoot)
{
    return store::ProductFile(store::productFilePaths(store::dataFolder(workDir, settings.dataLocation, usbRoot)));
}

IssuingJob::IssuingJob(IssuingServices services, store::ProductFile products)
    : m_services(std::move(services)), m_products(std::move(products))
{
}

IssuingJob::~IssuingJob() = default;

store::UserSettings IssuingJob::readSettings() const
{
    return m_services.settings ? m_services.settings->readOrDefaults() : store::UserSettings::defaults();
}

std::optional<store::ProductRecord> IssuingJob::lookupProduct(const QString &number, QString *error) const
{
    // A missing product file is a shop without products yet: no record, no failure.
    const store::RecordLookup found = m_products.findRecord(number);
    if (!found.ok) {
        if (error)
            *error = found.message;
        return std::nullopt;
    }
    if (!found.recordText)
        return std::nullopt;
    return store::ProductRecord::fromRecordText(*found.recordText);
}

std::optional<IssuingJob::Prepared> IssuingJob::preparePrinter()
{
    Prepared prepared{nullptr, readSettings()};
    prepared.printer = openInstalled(*m_services.printers, prepared.settings.printer);
    if (!prepared.printer) {
        m_services.messages->information(printerMissingMessage());
        m_ended = true;
        m_services.exit->exit(1);
        return std::nullopt;
    }
    if (namesPaperForm(prepared.settings) && prepared.settings.paperFormValue() != prepared.printer->paperSize())
        prepared.printer->setPaperSize(prepared.settings.paperFormValue());
    return prepared;
}

bool IssuingJob::makeLabels(platform::Printer &printer, const store::UserSettings &settings, const LabelJob &job)
{
    const std::optional<int> copies = copyCountOf(job[LabelJob::CopyCount]);
    if (engine::hasComposer(job) && copies) {
        engine::PrinterPageTarget printerPage(printer);
        engine::DrawTarget *page = m_services.page ? m_services.page : &printerPage;
        engine::LabelRenderer renderer({&printer, page, m_services.previews, m_services.messages, m_services.exit,
                                        m_services.workDir, settings});
        const int runs = settings.collated() ? *copies : 1;
        for (int k = 1; k <= runs; ++k) {
            engine::composeLabel(renderer, job);
            // The printer failed: the program is ending, nothing more goes out.
            if (renderer.aborted()) {
                m_ended = true;
                return false;
            }
            if (k < runs)
                printer.newPage();
        }
    }
    if (!printer.endDocument()) {
        m_services.messages->information(printer.error());
        return false;
    }
    return true;
}

IssuingOutcome IssuingJob::printShownProduct(const IssuingInput &input)
{
    std::optional<Prepared> prepared = preparePrinter();
    if (!prepared)
        return {};
    if (!copyCountOf(input.copies)) {
        m_services.messages->information(QString::fromUtf16(kBadCopiesMessage));
        return {false, IssuingFocus::Copies};
    }
    if (!input.product) {
        m_services.messages->information(kNoProductToPrint);
        return {false, IssuingFocus::Number};
    }
    const LabelJob job = issuingLabelJob(input, JobKind::IssuingPrint);
    // The screen has reported the date already, when it was left.
    if (!job.baseDate.isValid())
        return {false, IssuingFocus::Keyword};
    return {makeLabels(*prepared->printer, prepared->settings, job), IssuingFocus::Keyword};
}

IssuingOutcome IssuingJob::previewShownProduct(const IssuingInput &input)
{
    if (!input.product) {
        m_services.messages->information(kNoProductToPreview);
        return {};
    }
    return {previewLabel(issuingLabelJob(input, JobKind::IssuingPreview)), IssuingFocus::None};
}

bool IssuingJob::previewLabel(const LabelJob &job)
{
    if (!job.baseDate.isValid() || !engine::hasComposer(job))
        return false;
    // The preview measures on the settings' printer when it is installed; no
    // paper change here, and nothing ends.
    const store::UserSettings settings = readSettings();
    const std::unique_ptr<platform::Printer> printer = openInstalled(*m_services.printers, settings.printer);
    if (!printer)
        m_services.messages->information(kPreviewPrinterMissing);
    engine::LabelRenderer renderer({printer.get(), nullptr, m_services.previews, m_services.messages,
                                    m_services.exit, m_services.workDir, settings});
    return engine::composeLabel(renderer, job);
}

IssuingOutcome IssuingJob::registerIssueEntry(const IssuingInput &input)
{
    const LabelJob job = issuingLabelJob(input, JobKind::IssuingPrint);
    // An entry without a date would stop the whole list when it is issued.
    if (!job.baseDate.isValid()) {
        engine::reportInvalidBaseDate(*m_services.messages);
        return {false, IssuingFocus::Number};
    }
    m_list.append({job, input.number + u' ' + input.productName + u' ' + input.copies + QStringLiteral("枚")});
    return {true, IssuingFocus::Number};
}

void IssuingJob::deleteIssueEntry(int index)
{
    m_list.remove(index);
}

IssuingOutcome IssuingJob::printIssueList()
{
    std::optional<Prepared> prepared = preparePrinter();
    if (!prepared)
        return {};
    if (m_list.isEmpty()) {
        m_services.messages->information(kEmptyIssueList);
        return {};
    }
    bool ok = true;
    for (const IssueEntry &entry : m_list.entries()) {
        // A bad entry skips itself only; the rest of the list still prints.
        if (!entry.job.baseDate.isValid())
            continue;
        if (!makeLabels(*prepared->printer, prepared->settings, entry.job)) {
            ok = false;
            if (m_ended)
                break;
        }
    }
    return {ok, IssuingFocus::None};
}

void IssuingJob::dumpOutput(const IssuingInput &input, IssuingMode mode)
{
    for (int number = 1; number <= 300; ++number) {
        QString error;
        IssuingInput shown = input;
        shown.number = QStringLiteral("%1").arg(number, 4, 10, QLatin1Char('0'));
        shown = showProduct(shown, lookupProduct(shown.number, &error));
        if (!error.isEmpty()) {
            m_services.messages->information(error);
            return;
        }
        if (shown.productName.isEmpty() && shown.categoryName.isEmpty() && shown.netContent.isEmpty())
            continue;
        shown.copies = QStringLiteral("1");
        if (mode == IssuingMode::SeveralKinds) {
            registerIssueEntry(shown);
        } else {
            printShownProduct(shown);
            if (m_ended)
                return;
        }
    }
    m_services.messages->information(kDumpFinished);
}

} // namespace print
