#include "engine/compose/issuingjob.h"

#include "engine/compose/landscapecomposer.h"
#include "engine/compose/portraitcomposer.h"
#include "engine/render/expirydate.h"
#include "engine/render/labelrenderer.h"
#include "engine/render/printerpagetarget.h"
#include "platform/messagesink.h"
#include "platform/printersystem.h"
#include "platform/programexit.h"
#include "store/datalocation.h"
#include "store/numericvalue.h"
#include "store/usersettings.h"

#include <cmath>
#include <limits>

namespace engine {
namespace {

const QString kNoProductToPrint = QStringLiteral("登録番号に対する商品情報が見当りませんでした為、印刷を行いませんでした");
const QString kNoProductToPreview = QStringLiteral("商品情報が選択されていません\r商品情報を選択して下さい");
const QString kEmptyIssueList = QStringLiteral("印刷する商品が登録されていません。\rまずは登録を行って下さい");
const QString kDumpFinished = QStringLiteral("ダンプ印刷を完了しました");

QString printerMissingMessage()
{
    return QString(11, QChar(0x3000)) + QStringLiteral("■■■指定されたプリンターのドライバーが見つかりません■■■") +
           QStringLiteral("\r\r") +
           QStringLiteral("プリンタードライバーがインストールされていないか、印刷設定で使用プリンターを指定していない可能性があります。") +
           QStringLiteral("\r") +
           QStringLiteral("詳しくは、「さくらべ」の操作説明書をご確認下さいませ。このソフトウェアは、この時点で終了します。");
}

store::UserSettings settingsOrDefaults(const QString &workDir)
{
    return store::readUserSettings(workDir).value_or(store::UserSettings::defaults());
}

// The composer for the label's format; null for any other format.
using Composer = void (*)(LabelRenderer &, const LabelJob &);
Composer composerFor(const QString &labelSize)
{
    if (labelSize == kPortraitLabel || labelSize == kSmallLabel)
        return &composePortraitLabel;
    if (labelSize == kLandscapeLabel)
        return &composeLandscapeLabel;
    return nullptr;
}

QDateTime baseDateOf(const IssuingInput &input)
{
    return baseDateFromFields(input.year, input.month, input.day, input.hour, input.minute);
}

} // namespace

std::optional<int> copyCountOf(const QString &copiesText)
{
    // Rounded before the check, so that "0.4" is refused rather than printing nothing.
    const double copies = std::nearbyint(store::numericValue(copiesText));
    if (!(copies >= 1 && copies <= 32767))
        return std::nullopt;
    return static_cast<int>(copies);
}

store::ProductFile issuingProductFile(const QString &workDir, const platform::RemovableDriveFinder &drive)
{
    const store::UserSettings settings = settingsOrDefaults(workDir);
    return store::ProductFile(store::productFilePaths(store::dataFolder(workDir, settings.dataLocation, drive)));
}

IssuingJob::IssuingJob(platform::PrinterSystem &printers, QString workDir, platform::MessageSink &messages,
                       platform::ProgramExit &exit, PreviewHost *previews, store::ProductFile products)
    : m_printers(printers), m_workDir(std::move(workDir)), m_messages(messages), m_exit(exit), m_previews(previews),
      m_products(std::move(products))
{
}

IssuingJob::~IssuingJob() = default;

LabelJob IssuingJob::fillJob(const IssuingInput &input, bool toPrinter)
{
    LabelJob job;
    job.toPrinter = toPrinter;
    job.baseDate = baseDateOf(input);
    job[LabelJob::Number] = input.number;
    job[LabelJob::ProductName] = input.productName;
    job[LabelJob::CategoryName] = input.categoryName;
    job[LabelJob::NetContent] = input.netContent;
    job[LabelJob::ExpiryAddDays] = input.addDays;
    job[LabelJob::ExpiryDisplayMethod] = input.displayMethod;
    job[LabelJob::CopyCount] = input.copies;
    if (const auto &p = input.product) {
        job[LabelJob::Ingredients] = p->ingredients;
        job[LabelJob::ExpiryTitle] = p->expiryTitle;
        job[LabelJob::ExpiryFormat] = p->expiryFormat;
        job[LabelJob::ExpiryAltText] = p->expiryAltText;
        job[LabelJob::Storage] = p->storage;
        job[LabelJob::Spare1] = p->spare1;
        job[LabelJob::Responsible] = p->responsible;
        job[LabelJob::Spare3] = p->spare3;
        job[LabelJob::Remarks] = p->remarks;
        job[LabelJob::Barcode] = p->barcode;
        job[LabelJob::RecycleMark] = p->recycleMark;
        job[LabelJob::RecycleSub1] = p->recycleSub1;
        job[LabelJob::RecycleSub2] = p->recycleSub2;
        job[LabelJob::LabelSize] = p->labelSize;
        job[LabelJob::Spare2] = p->spare2;
        job[LabelJob::RuledLines] = p->ruledLines;
    }
    return job;
}

IssuingInput IssuingJob::showProduct(IssuingInput input, const std::optional<store::ProductRecord> &product)
{
    input.product = product;
    input.productName = product ? product->productName : QString();
    input.categoryName = product ? product->categoryName : QString();
    input.netContent = product ? product->netContent + product->netContentUnit : QString();
    input.addDays = product ? product->expiryAddDays : QString();
    return input;
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

std::unique_ptr<platform::Printer> IssuingJob::preparePrinter()
{
    const store::UserSettings settings = settingsOrDefaults(m_workDir);
    std::unique_ptr<platform::Printer> printer;
    if (m_printers.printerNames().contains(settings.printer))
        printer = m_printers.open(settings.printer);
    if (!printer) {
        m_messages.information(printerMissingMessage());
        m_ended = true;
        m_exit.exit(1);
        return nullptr;
    }
    const int form = settings.paperFormValue();
    if (settings.paperForm != u"0" && settings.paperForm != store::kNoPaperForm &&
        form <= std::numeric_limits<qint16>::max() && form >= std::numeric_limits<qint16>::min() &&
        form != printer->paperSize())
        printer->setPaperSize(form);
    return printer;
}

bool IssuingJob::makeLabels(platform::Printer &printer, const LabelJob &job)
{
    const Composer compose = composerFor(job[LabelJob::LabelSize]);
    const std::optional<int> copies = copyCountOf(job[LabelJob::CopyCount]);
    if (compose && copies) {
        PrinterPageTarget page(printer);
        LabelRenderer renderer({&printer, &page, m_previews, &m_messages, &m_exit, m_workDir});
        const bool collated = settingsOrDefaults(m_workDir).collated();
        const int runs = collated ? *copies : 1;
        for (int k = 1; k <= runs; ++k) {
            compose(renderer, job);
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
        m_messages.information(printer.error());
        return false;
    }
    return true;
}

IssuingOutcome IssuingJob::printShownProduct(const IssuingInput &input)
{
    const std::unique_ptr<platform::Printer> printer = preparePrinter();
    if (!printer)
        return {};
    if (!copyCountOf(input.copies)) {
        m_messages.information(QString::fromUtf16(kBadCopiesMessage));
        return {false, IssuingFocus::Copies};
    }
    if (!input.product) {
        m_messages.information(kNoProductToPrint);
        return {false, IssuingFocus::Number};
    }
    const LabelJob job = fillJob(input, true);
    // The screen has reported the date already, when it was left.
    if (!job.baseDate.isValid())
        return {false, IssuingFocus::Keyword};
    return {makeLabels(*printer, job), IssuingFocus::Keyword};
}

IssuingOutcome IssuingJob::previewShownProduct(const IssuingInput &input)
{
    if (!input.product) {
        m_messages.information(kNoProductToPreview);
        return {};
    }
    LabelJob job = fillJob(input, false);
    job[LabelJob::CopyCount].clear();
    if (!job.baseDate.isValid())
        return {};
    const Composer compose = composerFor(job[LabelJob::LabelSize]);
    if (!compose)
        return {};
    // The preview measures on the current printer when there is one; no
    // message and no paper change here.
    const store::UserSettings settings = settingsOrDefaults(m_workDir);
    std::unique_ptr<platform::Printer> printer;
    if (m_printers.printerNames().contains(settings.printer))
        printer = m_printers.open(settings.printer);
    LabelRenderer renderer({printer.get(), nullptr, m_previews, &m_messages, &m_exit, m_workDir});
    compose(renderer, job);
    return {true, IssuingFocus::None};
}

IssuingOutcome IssuingJob::registerIssueEntry(const IssuingInput &input)
{
    const LabelJob job = fillJob(input, true);
    // An entry without a date would stop the whole list when it is issued.
    if (!job.baseDate.isValid()) {
        reportInvalidBaseDate(m_messages);
        return {false, IssuingFocus::Number};
    }
    m_list.append({job, input.number + u' ' + input.productName + u' ' + input.copies + QStringLiteral("枚")});
    return {true, IssuingFocus::Number};
}

void IssuingJob::deleteIssueEntry(int index)
{
    if (index >= 0 && index < m_list.size())
        m_list.removeAt(index);
}

IssuingOutcome IssuingJob::printIssueList()
{
    const std::unique_ptr<platform::Printer> printer = preparePrinter();
    if (!printer)
        return {};
    if (m_list.isEmpty()) {
        m_messages.information(kEmptyIssueList);
        return {};
    }
    bool ok = true;
    for (const IssueEntry &entry : std::as_const(m_list)) {
        // A bad entry skips itself only; the rest of the list still prints.
        if (!entry.job.baseDate.isValid())
            continue;
        if (!makeLabels(*printer, entry.job)) {
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
            m_messages.information(error);
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
    m_messages.information(kDumpFinished);
}

} // namespace engine
