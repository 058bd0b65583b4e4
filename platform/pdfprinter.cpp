#include "platform/pdfprinter.h"

#include "platform/clock.h"
#include "platform/paperform.h"
#include "store/settingsdefaults.h"
#include "store/textfile.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace platform {
namespace {

constexpr int kResolution = 203;
constexpr double kTwipsPerMm = 1440.0 / 25.4;

// The large label, 45 mm wide and 65 mm high standing, in twips.
constexpr double kLabelShortTwips = 45 * kTwipsPerMm;
constexpr double kLabelLongTwips = 65 * kTwipsPerMm;
// On printers outside the 2130 family a landscape label starts 2870 twips
// right of the landscape vertical start, and the two landscape start settings
// trade places.
constexpr int kLandscapeShift = 2870;
// Room around the label, so that a start moved by a few twips still fits.
constexpr double kMarginMm = 2.0;

// The medium this printer starts on: wide enough for a standing label from
// the portrait start, and long enough (it is turned for landscape pages) for
// a lying label from the landscape start; whole millimetres.
PaperForm startMedium()
{
    const double portraitRight = store::kDefaultPortraitStartX + kLabelShortTwips;
    const double portraitBottom = store::kDefaultPortraitStartY + kLabelLongTwips;
    const double landscapeRight = store::kDefaultLandscapeStartY + kLandscapeShift + kLabelLongTwips;
    const double landscapeBottom = store::kDefaultLandscapeStartX + kLabelShortTwips;
    // A landscape page is the medium turned: its width is the medium's height.
    const double width = std::max(portraitRight, landscapeBottom);
    const double height = std::max(portraitBottom, landscapeRight);
    const int widthMm = static_cast<int>(std::ceil(width / kTwipsPerMm + kMarginMm));
    const int heightMm = static_cast<int>(std::ceil(height / kTwipsPerMm + kMarginMm));
    PaperForm form;
    form.key = QStringLiteral("%1x%2mm").arg(widthMm).arg(heightMm);
    form.name = QStringLiteral("%1 x %2 mm (ラベル全体)").arg(widthMm).arg(heightMm);
    form.sizeMm = QSizeF(widthMm, heightMm);
    return form;
}

} // namespace

QString pdfPrinterName()
{
    return QStringLiteral("さくらべ PDF出力");
}

QList<PaperForm> PdfPrinter::media()
{
    QList<PaperForm> media = labelPrinterMedia();
    media.append(startMedium());
    return numberPaperForms(media);
}

int PdfPrinter::defaultPaperNumber()
{
    return media().constLast().number;
}

QString PdfPrinter::outputFolder(const QString &workDir)
{
    return QDir(workDir).filePath(QStringLiteral("PDF"));
}

PdfPrinter::PdfPrinter(const Clock &clock, QString folder, std::shared_ptr<int> defaultPaper)
    : PrinterBase(pdfPrinterName(), kResolution, media(), defaultPaper ? *defaultPaper : defaultPaperNumber())
    , m_clock(&clock)
    , m_folder(std::move(folder))
    , m_defaultPaper(defaultPaper ? std::move(defaultPaper) : std::make_shared<int>(defaultPaperNumber()))
{
}

QString PdfPrinter::checkReady()
{
    if (!QDir().mkpath(m_folder))
        return printerMessage(QStringLiteral("PDFファイルの保存先を作成できませんでした"), QDir::toNativeSeparators(m_folder));
    return {};
}

bool PdfPrinter::deliver(const QByteArray &pdf, const PaperForm &, int copies, QString *error)
{
    QString base = m_clock->now().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    if (copies > 1)
        base += QStringLiteral("_%1部").arg(copies);
    const QDir folder(m_folder);
    // A name is taken by making the file, which only one print run can do:
    // another run in the same second (a script, a second program) takes the
    // next name, and the work file beside it is this run's alone.
    QString target;
    for (int n = 1;; ++n) {
        target = folder.filePath(n == 1 ? base + QStringLiteral(".pdf") : QStringLiteral("%1-%2.pdf").arg(base).arg(n));
        const int fd = ::open(QFile::encodeName(target).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd >= 0) {
            ::close(fd);
            break;
        }
        if (errno != EEXIST) {
            *error = printerMessage(QStringLiteral("PDFファイルの保存に失敗しました"),
                                    QString::fromLocal8Bit(std::strerror(errno)));
            return false;
        }
    }
    const store::WriteOutcome outcome = store::replaceFileContent(target, target + QStringLiteral(".tmp"), pdf);
    if (!outcome.ok) {
        QFile::remove(target);
        *error = printerMessage(QStringLiteral("PDFファイルの保存に失敗しました"), outcome.error);
        return false;
    }
    m_lastFile = target;
    return true;
}

bool PdfPrinter::storeDefaultPaperForm(const PaperForm &form, QString *)
{
    *m_defaultPaper = form.number;
    return true;
}

} // namespace platform
