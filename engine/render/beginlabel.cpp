// The preamble of every label: geometry reset, printer family, paper form,
// page set-up, preview window, background pictures and origins.
#include "engine/render/labelrenderer.h"

#include "engine/render/previewsurface.h"
#include "platform/printer.h"
#include "store/numericvalue.h"
#include "store/usersettings.h"

#include <QDir>
#include <QImage>

#include <algorithm>
#include <cmath>

namespace engine {
namespace {

constexpr int kSmallLabelForm = 513;
constexpr int kLargeLabelForm = 514;
constexpr double kTwipsPerMm = 56.7;

int wholeMillimetres(int twips)
{
    return static_cast<int>(std::nearbyint(twips / kTwipsPerMm));
}

// No field is ruled when each of the first eleven mask characters is "x";
// a shorter mask keeps the ruled pitch.
bool noFieldRuled(const QString &mask)
{
    if (mask.size() < 11)
        return false;
    for (int i = 0; i < 11; ++i) {
        if (mask.at(i) != u'x')
            return false;
    }
    return true;
}

} // namespace

void LabelRenderer::beginLabel(const LabelJob &job)
{
    m_job = job;
    m_preview = nullptr;
    m_aborted = false;
    toPrinter = job.toPrinter;
    baseDate = job.baseDate;
    const QString size = labelSize();
    const bool landscape = size == kLandscapeLabel;
    const bool small = size == kSmallLabel;
    const store::UserSettings &settings = m_services.settings;
    originX = settings.portraitStartXValue();
    originY = settings.portraitStartYValue();
    landscapeOriginX = settings.landscapeStartXValue();
    landscapeOriginY = settings.landscapeStartYValue();

    // 1. Geometry.
    charPitch = 74;
    linePitch = 200;
    boxCursorY = -14;
    boxRowHeight = 200;
    smallLinePitch = 135;
    if (noFieldRuled(job[LabelJob::RuledLines]))
        linePitch = 164;
    printerIs2130 = 0;

    platform::Printer *printer = m_services.printer;
    // 2. Printer family.
    if (printer && printer->deviceName().contains(u"2130"))
        printerIs2130 = 1;

    // 3. and 4. The paper form that suits the label, on the preview as well.
    if (printer && printerIs2130) {
        const int w = wholeMillimetres(printer->pageWidthTwips());
        const int h = wholeMillimetres(printer->pageHeightTwips());
        int form = 0;
        if (small && ((w == 47 && h == 65) || (w == 65 && h == 47)))
            form = kSmallLabelForm;
        else if (!small && w == 40 && h == 28)
            form = kLargeLabelForm;
        if (form != 0) {
            printer->selectPaperForm(form);
            // A driver without the form keeps its paper, and the settings must
            // not say otherwise. If user.dat cannot be rewritten, the switch
            // holds for this job only.
            if (printer->setPaperSize(form)) {
                const QString line = QStringLiteral("%1").arg(form, 4, 10, QLatin1Char('0'));
                store::writePaperFormLine(m_services.workDir, line);
                m_services.settings.paperForm = line;
            }
        }
    }

    // 5. Page set-up. The copy count and orientation are set on every job, so
    // a printer object that printed another job before keeps nothing of it.
    if (toPrinter && printer) {
        const double copies = std::nearbyint(store::numericValue(job[LabelJob::CopyCount]));
        const bool collatedByPrinter = settings.collatedPrinting == store::kCollatedOff;
        printer->setCopies(collatedByPrinter ? static_cast<int>(std::clamp(copies, 1.0, 32767.0)) : 1);
        printer->setOrientation(landscape ? platform::Orientation::Landscape : platform::Orientation::Portrait);
    }

    // 6. Preview window.
    if (!toPrinter) {
        if (!landscape)
            originX = 40;
        if (m_services.previews && (landscape || small || size == kPortraitLabel))
            m_preview = &m_services.previews->openPreview(landscape ? PreviewShape::Landscape : PreviewShape::Portrait,
                                                         printer);
    }

    savedOrigins = {settings.portraitStartXValue(), settings.portraitStartYValue(), settings.landscapeStartXValue(),
                    settings.landscapeStartYValue()};

    // 7. Background pictures: the format's, then the product's own.
    drawBackground(size + QStringLiteral(".bmp"));
    drawBackground(job[LabelJob::Number] + QStringLiteral(".bmp"));
    if (!toPrinter && small) {
        const qint32 bottom = printerIs2130 ? 1480 : 1630;
        drawLine(0, 0, 2150, 0, 1);
        drawLine(0, 0, 0, bottom, 1);
        drawLine(2150, 0, 2150, bottom, 1);
        drawLine(0, bottom, 2150, bottom, 1);
    }

    // 8. Origins.
    setOrigins();

    // 9. Top clamp.
    lineIndex = 0;
    if (!landscape) {
        if (originY + boxCursorY < 0)
            originY = -boxCursorY;
    } else if (job.registrationPreview && landscapeOriginY + boxCursorY < 0) {
        landscapeOriginY = 30 - boxCursorY;
    }
}

void LabelRenderer::setOrigins()
{
    const QString size = labelSize();
    if (size == kPortraitLabel) {
        if (!toPrinter) {
            originX = 40;
            originY = 50;
        }
    } else if (size == kSmallLabel) {
        if (!toPrinter) {
            originX = 40;
            originY = printerIs2130 ? 110 : 50;
        } else {
            if (originY > 30 && !printerIs2130)
                originY -= 30;
            if (originX > 100 && printerIs2130)
                originX -= 50;
            if (!printerIs2130)
                originX += 130;
        }
    } else if (size == kLandscapeLabel) {
        if (!toPrinter) {
            landscapeOriginX = 40;
            landscapeOriginY = 10;
        } else {
            // The two landscape settings change places on the turned page.
            const qint32 across = savedOrigins.landscapeOriginY;
            const qint32 down = savedOrigins.landscapeOriginX;
            landscapeOriginX = printerIs2130 ? across : across + 2870;
            landscapeOriginY = down;
        }
    }
}

const QImage &LabelRenderer::picture(const QString &file)
{
    return m_pictures.picture(m_services.workDir, file);
}

void LabelRenderer::drawBackground(const QString &file)
{
    const QImage &picture = this->picture(file);
    if (picture.isNull())
        return;
    const QString size = labelSize();
    DrawTarget *out = target(TargetKind::First);
    if (!out)
        return;
    if (toPrinter) {
        if (size == kSmallLabel)
            out->drawPicture(file, picture, originX, originY, 2200, 1500);
        else
            out->drawPicture(file, picture, originX, originY, 2300, 3580);
        return;
    }
    if (size == kPortraitLabel)
        out->drawPicture(file, picture, originX, originY, 2300, 3650);
    else if (size == kSmallLabel)
        out->drawPicture(file, picture, originX, 30, 2050, 1520);
    else if (size == kLandscapeLabel)
        // The landscape preview shows the pictures turned with the label, from
        // where its label starts.
        out->drawPicture(file, picture, 40, 10, 3580, 2300);
}

} // namespace engine
