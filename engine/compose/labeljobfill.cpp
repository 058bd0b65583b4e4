#include "engine/compose/labeljobfill.h"

#include "engine/render/expirydate.h"
#include "store/productrecord.h"

namespace engine {
namespace {

// The slots both screens fill straight from the product.
void fillStoredFields(LabelJob &job, const store::ProductRecord &record)
{
    job[LabelJob::Number] = record.number;
    job[LabelJob::ProductName] = record.productName;
    job[LabelJob::CategoryName] = record.categoryName;
    job[LabelJob::Ingredients] = record.ingredients;
    job[LabelJob::ExpiryTitle] = record.expiryTitle;
    job[LabelJob::ExpiryFormat] = record.expiryFormat;
    job[LabelJob::ExpiryAddDays] = record.expiryAddDays;
    job[LabelJob::ExpiryAltText] = record.expiryAltText;
    job[LabelJob::Storage] = record.storage;
    job[LabelJob::Spare1] = record.spare1;
    job[LabelJob::Responsible] = record.responsible;
    job[LabelJob::Spare3] = record.spare3;
    job[LabelJob::Remarks] = record.remarks;
    job[LabelJob::Barcode] = record.barcode;
    job[LabelJob::RecycleMark] = record.recycleMark;
    job[LabelJob::RecycleSub1] = record.recycleSub1;
    job[LabelJob::RecycleSub2] = record.recycleSub2;
    job[LabelJob::LabelSize] = record.labelSize;
    job[LabelJob::Spare2] = record.spare2;
    job[LabelJob::RuledLines] = record.ruledLines;
}

} // namespace

LabelJob issuingLabelJob(const store::ProductRecord &record, const QString &method, const QString &copies,
                         const QDateTime &baseDate)
{
    LabelJob job;
    fillStoredFields(job, record);
    job[LabelJob::NetContent] = record.netContent + record.netContentUnit;
    job[LabelJob::ExpiryDisplayMethod] = method;
    job[LabelJob::CopyCount] = copies;
    job.baseDate = baseDate;
    job.toPrinter = true;
    job.registrationPreview = false;
    return job;
}

LabelJob registrationLabelJob(const store::ProductRecord &record, const QDateTime &baseDate)
{
    LabelJob job;
    fillStoredFields(job, record);
    job[LabelJob::NetContent] = record.netContent;
    job[LabelJob::NetContentUnit] = record.netContentUnit;
    job[LabelJob::ExpiryDisplayMethod] = QString::fromUtf16(kDisplayByAddedDays);
    job.baseDate = baseDate;
    job.toPrinter = false;
    job.registrationPreview = true;
    return job;
}

} // namespace engine
