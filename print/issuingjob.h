#pragma once

#include "engine/render/labeljob.h"
#include "store/productfile.h"
#include "store/productrecord.h"

#include <QList>
#include <QString>

#include <memory>
#include <optional>

namespace platform {
class MessageSink;
class Printer;
class PrinterSystem;
class ProgramExit;
class RemovableDriveFinder;
} // namespace platform

namespace engine {

class PreviewHost;

// What the issuing screen holds when one of its buttons is pressed.
struct IssuingInput
{
    QString number;
    // The editable boxes; the net content box shows the content and its unit.
    QString productName;
    QString categoryName;
    QString netContent;
    QString addDays;
    QString displayMethod;
    QString copies;
    QString year, month, day, hour, minute;
    // The product the last lookup found; empty when it found none.
    std::optional<store::ProductRecord> product;
};

// The box that should have the focus after an operation.
enum class IssuingFocus { None, Number, Copies, Keyword };

struct IssuingOutcome
{
    bool ok = false; // labels handed to the printer, an entry added, or the preview shown
    IssuingFocus focus = IssuingFocus::None;
};

// One reserved label of the issue list: the job as it was filled when the
// entry was registered, base date included.
struct IssueEntry
{
    LabelJob job;
    QString text; // its line in the list box: "0001 品名 3枚"
};

enum class IssuingMode { OneKind, SeveralKinds };

// The copy count a copies text asks for: its value rounded half to even, or
// nothing when that is below 1 or above 32767.
std::optional<int> copyCountOf(const QString &copiesText);
// What the user is told when copyCountOf gives nothing.
inline constexpr char16_t kBadCopiesMessage[] = u"枚数の指定が異常です";

// The product file as the screens find it: user.dat line 5 picks the data folder.
store::ProductFile issuingProductFile(const QString &workDir, const platform::RemovableDriveFinder &drive);

// The issuing screen's operations that make labels: printing or previewing
// the shown product, the issue list, and the dump output.
class IssuingJob
{
public:
    IssuingJob(platform::PrinterSystem &printers, QString workDir, platform::MessageSink &messages,
               platform::ProgramExit &exit, PreviewHost *previews, store::ProductFile products);
    ~IssuingJob();

    IssuingOutcome printShownProduct(const IssuingInput &input);
    IssuingOutcome previewShownProduct(const IssuingInput &input);
    IssuingOutcome registerIssueEntry(const IssuingInput &input);
    // Nothing happens for an index outside the list (nothing selected).
    void deleteIssueEntry(int index);
    IssuingOutcome printIssueList();
    // Every product numbered 1 to 300, one copy each, by the main button's
    // operation for `mode`. `input` gives the date, method and mode's boxes.
    void dumpOutput(const IssuingInput &input, IssuingMode mode);

    const QList<IssueEntry> &issueList() const { return m_list; }
    // The program was asked to end (no printer, or the printer failed).
    bool ended() const { return m_ended; }
    void clearIssueList() { m_list.clear(); }

    // The screen's lookup: the product with this number, or empty when there
    // is none, the file is missing, or it cannot be read (then `error` says why).
    std::optional<store::ProductRecord> lookupProduct(const QString &number, QString *error = nullptr) const;
    // `input` with the product's values in its boxes, as the lookup shows them.
    static IssuingInput showProduct(IssuingInput input, const std::optional<store::ProductRecord> &product);

    // The job the boxes and the shown product describe.
    static LabelJob fillJob(const IssuingInput &input, bool toPrinter);

private:
    std::unique_ptr<platform::Printer> preparePrinter();
    bool makeLabels(platform::Printer &printer, const LabelJob &job);

    platform::PrinterSystem &m_printers;
    QString m_workDir;
    platform::MessageSink &m_messages;
    platform::ProgramExit &m_exit;
    PreviewHost *m_previews = nullptr;
    store::ProductFile m_products;
    QList<IssueEntry> m_list;
    bool m_ended = false; // the program was asked to end: nothing more is printed
};

} // namespace engine
