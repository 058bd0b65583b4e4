#pragma once

#include "engine/render/labeljob.h"
#include "print/issuelist.h"
#include "print/issuinginput.h"
#include "store/productfile.h"
#include "store/productrecord.h"
#include "store/usersettings.h"

#include <QString>

#include <memory>
#include <optional>

namespace engine {
class DrawTarget;
class PreviewHost;
} // namespace engine

namespace platform {
class MessageSink;
class Printer;
class PrinterSystem;
class ProgramExit;
} // namespace platform

namespace store {
class SettingsSource;
}

namespace print {

// The box that should have the focus after an operation.
enum class IssuingFocus { None, Number, Copies, Keyword };

struct IssuingOutcome
{
    bool ok = false; // labels handed to the printer, an entry added, or the preview shown
    IssuingFocus focus = IssuingFocus::None;
};

enum class IssuingMode { OneKind, SeveralKinds };

// What the job works with; nothing is owned, and everything outlives it.
struct IssuingServices
{
    platform::PrinterSystem *printers = nullptr;
    const store::SettingsSource *settings = nullptr; // user.dat, read once per operation
    platform::MessageSink *messages = nullptr;
    platform::ProgramExit *exit = nullptr;
    engine::PreviewHost *previews = nullptr;         // null: a preview draws nothing
    QString workDir;                                 // the label pictures and user.dat
    // Where printed labels are drawn; null: on the printer's own page. A
    // recording of what the engine draws sets its own page here.
    engine::DrawTarget *page = nullptr;
};

// The operations that make labels: printing or previewing the shown product,
// the issue list, and the dump output. The issuing screen, the registration
// screen's preview and the command line all go through it, so every label
// leaves the program the same way.
class IssuingJob
{
public:
    IssuingJob(IssuingServices services, store::ProductFile products);
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

    // One job's preview, whoever filled it: drawn in a preview sized for the
    // printer of user.dat line 1. When that printer is not installed the user
    // is told and the preview is drawn all the same. False when nothing was
    // drawn (a date that names no day, a label size without composer).
    bool previewLabel(const engine::LabelJob &job);

    const IssueList &issueList() const { return m_list; }
    // The product file the job looks products up in.
    const store::ProductFile &products() const { return m_products; }
    void clearIssueList() { m_list.clear(); }
    // The program was asked to end (no printer, or the printer failed).
    bool ended() const { return m_ended; }

    // The screen's lookup: the product with this number, or empty when there
    // is none, the file is missing, or it cannot be read (then `error` says why).
    std::optional<store::ProductRecord> lookupProduct(const QString &number, QString *error = nullptr) const;

private:
    struct Prepared;
    std::optional<Prepared> preparePrinter();
    bool makeLabels(platform::Printer &printer, const store::UserSettings &settings, const engine::LabelJob &job);
    store::UserSettings readSettings() const;

    IssuingServices m_services;
    store::ProductFile m_products;
    IssueList m_list;
    bool m_ended = false; // the program was asked to end: nothing more is printed
};

// The product file as the screens find it: line 5 of `settings` and the USB
// memory drive at `usbRoot` (empty when none is present).
store::ProductFile productFileFor(const QString &workDir, const store::UserSettings &settings, const QString &usbRoot);

} // namespace print
