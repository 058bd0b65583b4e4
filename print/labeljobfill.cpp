#include "print/labeljobfill.h"

#include "engine/render/expirydate.h"

namespace print {
namespace {

using engine::LabelJob;

// Where each product field goes in the job, in the product file's field order.
constexpr std::array<LabelJob::Slot, store::kProductFieldCount> kFieldSlots{
    LabelJob::Number,       LabelJob::ProductName,   LabelJob::CategoryName, LabelJob::Ingredients,
    LabelJob::NetContent,   LabelJob::NetContentUnit, LabelJob::ExpiryTitle, LabelJob::ExpiryFormat,
    LabelJob::ExpiryAddDays, LabelJob::ExpiryAltText, LabelJob::Storage,     LabelJob::Spare1,
    LabelJob::Spare2,       LabelJob::Responsible,   LabelJob::Spare3,       LabelJob::Remarks,
    LabelJob::Barcode,      LabelJob::RecycleMark,   LabelJob::RecycleSub1,  LabelJob::RecycleSub2,
    LabelJob::LabelSize,    LabelJob::RuledLines};

} // namespace

LabelJob fillLabelJob(const store::ProductRecord &product, JobKind kind, const QDateTime &baseDate,
                      const IssueChoices &choices)
{
    LabelJob job;
    for (size_t i = 0; i < kFieldSlots.size(); ++i)
        job[kFieldSlots[i]] = product.*store::kProductFields[i];
    job.baseDate = baseDate;
    if (kind == JobKind::RegistrationPreview) {
        job[LabelJob::ExpiryDisplayMethod] = QString::fromUtf16(engine::kDisplayByAddedDays);
        job.registrationPreview = true;
        return job;
    }
    job[LabelJob::NetContent] = product.netContent + product.netContentUnit;
    job[LabelJob::NetContentUnit].clear();
    job[LabelJob::ExpiryDisplayMethod] = choices.displayMethod;
    if (kind == JobKind::IssuingPrint) {
        job[LabelJob::CopyCount] = choices.copies;
        job.toPrinter = true;
    }
    return job;
}

LabelJob issuingLabelJob(const IssuingInput &input, JobKind kind)
{
    store::ProductRecord shown = input.product.value_or(store::ProductRecord{});
    shown.number = input.number;
    shown.productName = input.productName;
    shown.categoryName = input.categoryName;
    // The box holds the content with its unit.
    shown.netContent = input.netContent;
    shown.netContentUnit.clear();
    shown.expiryAddDays = input.addDays;
    return fillLabelJob(shown, kind, input.baseDate(), {input.displayMethod, input.copies});
}

} // namespace print
