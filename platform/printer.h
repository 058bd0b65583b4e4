#pragma once

#include <QList>
#include <QSizeF>
#include <QString>

class QPainter;

namespace platform {

// One paper form a printer driver offers. Standard sizes carry their Windows
// paper numbers (A4 = 9); the driver's 40 x 28 mm medium is 513 and its
// 47 x 65 mm medium 514, the two label papers the label engine switches
// between; every other medium is numbered from 515 upward.
struct PaperForm
{
    int number = 0;
    QString key;    // what the driver calls it (PPD PageSize key, media name)
    QString name;   // what the user reads
    QSizeF sizeMm{0, 0}; // width x height as the medium is loaded
};

// The numbers are the printer object's own: 2 is landscape.
enum class Orientation { Portrait = 1, Landscape = 2 };

// The current printer and the document being printed on it.
//
// Paper, orientation and copies are the printer's settings: they last from
// one document to the next, as long as the object lives. A change of paper
// or orientation shapes the pages opened after it; the page in hand keeps the
// shape it was opened with. The copy count in force at endDocument() is the
// one the job gets: the printer repeats every page that many times (the PDF
// printer, which cannot, writes the count into the file name).
//
// Drawing: painter() paints on the page in hand, in twips from the page's top
// left corner (1440 per inch). Fonts set in points come out at their size on
// paper. A pen that should be n device pixels wide is n * twipsPerPixelX()
// twips wide. Every page starts with a fresh painter state.
class Printer
{
public:
    virtual ~Printer() = default;

    virtual QString deviceName() const = 0;

    // Dots per inch of the printer; never 0 (an unknown resolution is 203).
    // Its dots count as square: both directions have the same twips.
    virtual int resolution() const = 0;
    double twipsPerPixelX() const { return 1440.0 / resolution(); }
    double twipsPerPixelY() const { return 1440.0 / resolution(); }

    // The driver's paper forms, in the driver's order.
    virtual QList<PaperForm> paperForms() const = 0;

    // The number of the paper in hand.
    virtual int paperSize() const = 0;
    // False, and nothing changes, when the driver does not offer `number`.
    virtual bool setPaperSize(int number) = 0;
    // Makes `number` the printer's default paper form, kept for later
    // sessions, and the paper in hand. False, and nothing changes, when the
    // driver does not offer it. When the default cannot be kept, the paper
    // in hand still changes, and the answer is false with error() set.
    virtual bool selectPaperForm(int number) = 0;

    // The page size for the paper and orientation now set, in twips rounded
    // to whole numbers: landscape swaps width and height. 0 without paper.
    int pageWidthTwips() const;
    int pageHeightTwips() const;

    virtual int copies() const = 0;
    virtual void setCopies(int copies) = 0; // below 1 counts as 1

    virtual Orientation orientation() const = 0;
    virtual void setOrientation(Orientation orientation) = 0;

    // The page in hand, opened on first use; never null. The first page of a
    // document opens the document.
    virtual QPainter *painter() = 0;
    // Ends the page in hand (a page with nothing drawn on it still counts);
    // the next drawing goes on a new page.
    virtual bool newPage() = 0;
    // Ends the document and hands all its pages to the printer. A document
    // with no page sends nothing and succeeds. False with error() when the
    // pages could not be handed over; they are lost then.
    virtual bool endDocument() = 0;

    // A printer that cannot print the document in hand: unknown to the
    // system any more, refusing jobs, or its last document could not be
    // handed over. Checked when a document's first page opens; drawing on
    // it does no harm, and endDocument() then sends nothing.
    virtual bool failed() const = 0;
    // The user-facing reason of the last failure, in Japanese; empty when
    // nothing failed.
    virtual QString error() const = 0;

    // The paper form with `number` among paperForms(), or an empty form
    // (number 0) when the driver does not offer it.
    PaperForm paperForm(int number) const;
};

} // namespace platform
