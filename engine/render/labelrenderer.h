#pragma once

#include "engine/render/drawtarget.h"
#include "engine/render/labeljob.h"
#include "engine/render/picturecache.h"
#include "store/usersettings.h"

#include <QDateTime>
#include <QString>

#include <functional>

namespace platform {
class MessageSink;
class Printer;
class ProgramExit;
} // namespace platform

namespace engine {

class PreviewHost;
class PreviewSurface;

// What a renderer draws with and on. The printer is the current printer,
// whose name, page and paper the geometry reads even for a preview.
struct RendererServices
{
    platform::Printer *printer = nullptr;
    DrawTarget *page = nullptr;          // the printer page
    PreviewHost *previews = nullptr;     // preview windows, for toPrinter = false
    platform::MessageSink *messages = nullptr;
    platform::ProgramExit *exit = nullptr;
    QString workDir;                     // the label pictures; user.dat for the paper-form switch
    // user.dat as the job read it: start positions, copies and barcode method.
    store::UserSettings settings = store::UserSettings::defaults();
    // Whether a font family is installed; unset, the system's fonts decide.
    std::function<bool(const QString &family)> fontInstalled;
};

// How a field's leading tag makes it look.
enum class FieldStyle { Plain, Bold, Wide, DateFormat };

// The engine's state for one label, and the drawing steps the composers are
// made of. One renderer belongs to one screen and is reused label after label;
// beginLabel() resets what a label needs reset.
class LabelRenderer
{
public:
    explicit LabelRenderer(RendererServices services);

    // Geometry state, twips unless said otherwise.
    qint32 originX = 0;
    qint32 originY = 0;
    qint32 landscapeOriginX = 0;
    qint32 landscapeOriginY = 0;
    qint32 charPitch = 74;       // one width unit advances charPitch / 8 x size twips
    qint32 linePitch = 200;      // 164 when no field of the label is ruled
    qint32 smallLinePitch = 135;
    qint32 boxCursorY = -14;     // offset from the origin's y of the next ruled box
    qint16 boxRowHeight = 200;
    qint32 lineIndex = 0;        // text lines already used on the label
    qint32 printerIs2130 = 0;
    bool toPrinter = false;
    bool ingredientsSplit = false;
    QDateTime baseDate;
    QString preparedText;        // the display text prepareField leaves for drawFieldLines

    // The start positions of user.dat as they were before beginLabel moved the
    // origins for this label; the composers put them back when they finish.
    struct SavedOrigins
    {
        qint32 originX = 0, originY = 0, landscapeOriginX = 0, landscapeOriginY = 0;
    };
    SavedOrigins savedOrigins;

    // Runs once per label, before any field.
    void beginLabel(const LabelJob &job);
    void drawBackground(const QString &file);
    // A picture of the working folder ("pura.bmp"), read once for all the
    // labels this renderer draws; a null image when there is none (see
    // PictureCache).
    const QImage &picture(const QString &file);

    // The text primitive: characters on the fixed pitch, "<u>"/"</u>"
    // underlining, the printer check. A 14-point blank moves this and every
    // later character, and the caller's x, 50 twips to the left.
    void drawText(float &x, float y, const QString &text, const QString &font, bool bold, bool italic, int size);
    // Fixed-pitch text of the second label: no tags, no check.
    void drawGridText(float x, float y, const QString &text, const QString &font, bool bold, bool italic, int size);
    void drawLine(qint32 x1, qint32 y1, qint32 x2, qint32 y2, int penWidth);
    void drawRotatedText(qint32 x, float y, const QString &text);

    // Field markup and line fitting.
    void prepareField(const QString &text, bool ruled);
    void prepareFieldLandscape(const QString &text, bool ruled);
    void drawFieldLines(const QString &text, int markupLevel);
    void drawFieldLinesLandscape(const QString &text, int markupLevel);
    void drawExpiryBlock();

    // JAN barcodes: the upright symbol advances the caller's x past its last
    // module, the turned one moves the caller's y up past it.
    void drawBarcode(double &x, qint32 y, const QString &code, qint32 moduleWidth, qint32 barHeight,
                     qint32 guardExtension);
    void drawBarcodeRotated(double x, qint32 &y, const QString &code, qint32 moduleThickness, qint32 barLength,
                            qint32 guardExtension);

    // Recycling marks and their subscripts, below the text (portrait: from
    // the composer's textBottom and p) or in the side column (landscape).
    void drawRecycleMarks(qint32 textBottom, qint32 p);
    void drawRecycleMarksLandscape();

    // The label in hand, as beginLabel got it.
    const LabelJob &job() const { return m_job; }
    QString labelSize() const { return m_job[LabelJob::LabelSize]; }

    // The target drawing goes to now: the printer page, or the preview
    // window's picture for this label format; null when nothing is drawn.
    DrawTarget *target(TargetKind previewPicture = TargetKind::First);
    PreviewSurface *previewSurface() const { return m_preview; }

    // The printer failed: the program is ending and nothing more is drawn.
    bool aborted() const { return m_aborted; }

    const RendererServices &services() const { return m_services; }

private:
    // Places the characters of one line (or several, at CRs) on the pitch.
    void placeCharacters(float &x, float y, const QString &text, TextStyle style, int size, bool grid,
                         const QList<int> &toggles, DrawTarget &target);
    bool checkPrinter();
    void switchPaperForm(int width, int height);
    void setOrigins();

    RendererServices m_services;
    PictureCache m_pictures;
    LabelJob m_job;
    PreviewSurface *m_preview = nullptr;
    bool m_aborted = false;
};

} // namespace engine
