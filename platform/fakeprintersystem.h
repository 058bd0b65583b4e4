#pragma once

#include "platform/printersystem.h"

#include <QImage>
#include <QList>
#include <QStringList>

#include <memory>

namespace platform {

// A printer for tests, described by what it accepts and where it fails.
struct FakePrinterScript
{
    QString name;
    int resolution = 203;
    QList<PaperForm> forms;      // numbered; the only paper numbers it takes
    int paperNumber = 0;         // the paper it starts on; 0: the first form
    bool cannotDraw = false;     // failed() as soon as a document begins
    bool refusesJobs = false;    // endDocument() fails
    bool cannotKeepDefault = false; // selectPaperForm() cannot keep the default
};

// One page as the printer got it, painted at the printer's resolution.
struct FakePage
{
    QImage image;
    int paperNumber = 0;
    Orientation orientation = Orientation::Portrait;
};

struct FakeDocument
{
    QList<FakePage> pages;
    int copies = 1;
};

// Everything done to one fake printer, over every time it was made current.
struct FakePrinterRecord
{
    // In order, e.g. "setPaperSize 513", "setPaperSize 600 refused",
    // "selectPaperForm 514", "setCopies 3", "setOrientation 2", "newPage",
    // "endDocument", "endDocument failed".
    QStringList calls;
    int defaultPaperForm = 0;       // kept by selectPaperForm(); the next open starts on it
    QList<FakePage> openPages;      // pages of a document not ended yet
    QList<FakeDocument> documents;  // documents ended and handed over
    int timesOpened = 0;
};

// A printer system for tests: the printers it is given, in that order.
class FakePrinterSystem final : public PrinterSystem
{
public:
    FakePrinterSystem();
    ~FakePrinterSystem() override;

    void addPrinter(const FakePrinterScript &script);
    // The record of a printer added before; an empty one for any other name.
    const FakePrinterRecord &record(const QString &name) const;

    // The forms of the label printers: the SATO label media and A4, numbered
    // as a driver's would be (513, 514, 515, 516, 517, 9).
    static QList<PaperForm> labelPrinterForms();

    QStringList printerNames() const override;
    std::unique_ptr<Printer> open(const QString &deviceName) override;

private:
    struct Entry
    {
        FakePrinterScript script;
        std::shared_ptr<FakePrinterRecord> record;
    };
    QList<Entry> m_printers;
    FakePrinterRecord m_empty;
};

} // namespace platform
