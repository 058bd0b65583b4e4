#include "platform/fakeprinter.h"

#include <cmath>

namespace platform {
namespace {

// Images claim 1440 dots per inch, so that fonts given in points keep their
// size under the twips transform.
constexpr int kTwipsPerMetre = static_cast<int>(1440 / 0.0254 + 0.5);

int toPixels(double mm, int dpi)
{
    return std::max(1, static_cast<int>(std::lround(mm / 25.4 * dpi)));
}

} // namespace

FakePrinter::FakePrinter(FakePrinterScript script, std::shared_ptr<FakePrinterRecord> record)
    : m_script(std::move(script))
    , m_record(std::move(record))
{
    if (offers(m_record->defaultPaperForm))
        m_paperNumber = m_record->defaultPaperForm;
    else if (offers(m_script.paperNumber))
        m_paperNumber = m_script.paperNumber;
    else if (!m_script.forms.isEmpty())
        m_paperNumber = m_script.forms.first().number;
}

FakePrinter::~FakePrinter()
{
    closePage();
}

bool FakePrinter::offers(int number) const
{
    return number != 0 && paperForm(number).number == number;
}

bool FakePrinter::setPaperSize(int number)
{
    if (!offers(number)) {
        m_record->calls.append(QStringLiteral("setPaperSize %1 refused").arg(number));
        return false;
    }
    m_record->calls.append(QStringLiteral("setPaperSize %1").arg(number));
    m_paperNumber = number;
    return true;
}

bool FakePrinter::selectPaperForm(int number)
{
    if (!offers(number)) {
        m_record->calls.append(QStringLiteral("selectPaperForm %1 refused").arg(number));
        return false;
    }
    m_paperNumber = number;
    if (m_script.cannotKeepDefault) {
        m_record->calls.append(QStringLiteral("selectPaperForm %1 failed").arg(number));
        m_error = QStringLiteral("用紙の設定を保存できませんでした");
        return false;
    }
    m_record->calls.append(QStringLiteral("selectPaperForm %1").arg(number));
    m_record->defaultPaperForm = number;
    return true;
}

void FakePrinter::setCopies(int copies)
{
    m_copies = copies < 1 ? 1 : copies;
    m_record->calls.append(QStringLiteral("setCopies %1").arg(copies));
}

void FakePrinter::setOrientation(Orientation orientation)
{
    m_orientation = orientation;
    m_record->calls.append(QStringLiteral("setOrientation %1").arg(static_cast<int>(orientation)));
}

QPainter *FakePrinter::painter()
{
    if (m_pageOpen)
        return &m_painter;
    if (!m_documentOpen) {
        m_documentOpen = true;
        m_failed = m_script.cannotDraw;
        m_error = m_failed ? QStringLiteral("プリンター「%1」に出力できません").arg(m_script.name) : QString();
    }
    QSizeF size = paperForm(m_paperNumber).sizeMm;
    if (size.width() <= 0 || size.height() <= 0)
        size = QSizeF(210, 297);
    if (m_orientation == Orientation::Landscape)
        size.transpose();
    const int dpi = resolution();
    m_page = FakePage{QImage(toPixels(size.width(), dpi), toPixels(size.height(), dpi), QImage::Format_RGB32),
                      m_paperNumber, m_orientation};
    m_page.image.fill(Qt::white);
    m_page.image.setDotsPerMeterX(kTwipsPerMetre);
    m_page.image.setDotsPerMeterY(kTwipsPerMetre);
    m_painter.begin(&m_page.image);
    m_painter.scale(dpi / 1440.0, dpi / 1440.0);
    m_pageOpen = true;
    return &m_painter;
}

void FakePrinter::closePage()
{
    if (!m_pageOpen)
        return;
    m_painter.end();
    m_pageOpen = false;
    m_page.image.setDotsPerMeterX(static_cast<int>(std::lround(resolution() / 0.0254)));
    m_page.image.setDotsPerMeterY(static_cast<int>(std::lround(resolution() / 0.0254)));
    m_record->openPages.append(m_page);
    m_page = {};
}

bool FakePrinter::newPage()
{
    m_record->calls.append(QStringLiteral("newPage"));
    painter();
    closePage();
    return !m_failed;
}

bool FakePrinter::endDocument()
{
    closePage();
    if (!m_documentOpen) {
        m_record->calls.append(QStringLiteral("endDocument"));
        return true;
    }
    m_documentOpen = false;
    FakeDocument document{std::move(m_record->openPages), m_copies};
    m_record->openPages.clear();
    if (m_failed || m_script.refusesJobs) {
        m_record->calls.append(QStringLiteral("endDocument failed"));
        m_failed = true;
        if (m_error.isEmpty())
            m_error = QStringLiteral("印刷データの送信に失敗しました");
        return false;
    }
    m_record->calls.append(QStringLiteral("endDocument"));
    m_record->documents.append(std::move(document));
    return true;
}

} // namespace platform
