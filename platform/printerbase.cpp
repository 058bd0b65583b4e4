#include "platform/printerbase.h"

#include <QPageSize>

namespace platform {

QString printerMessage(const QString &what, const QString &reason)
{
    return reason.isEmpty() ? what : what + u'\r' + reason;
}

PrinterBase::PrinterBase(QString deviceName, int resolution, QList<PaperForm> forms, int paperNumber)
    : m_deviceName(std::move(deviceName))
    , m_resolution(resolution > 0 ? resolution : 203)
    , m_forms(std::move(forms))
{
    if (!setPaperSize(paperNumber) && !m_forms.isEmpty())
        m_paperNumber = m_forms.first().number;
}

PrinterBase::~PrinterBase() = default;

bool PrinterBase::setPaperSize(int number)
{
    if (paperForm(number).number == 0 || number == 0)
        return false;
    m_paperNumber = number;
    return true;
}

bool PrinterBase::selectPaperForm(int number)
{
    const PaperForm form = paperForm(number);
    if (number == 0 || form.number == 0)
        return false;
    m_paperNumber = number;
    QString reason;
    if (!storeDefaultPaperForm(form, &reason)) {
        m_error = printerMessage(QStringLiteral("用紙の設定を保存できませんでした"), reason);
        return false;
    }
    return true;
}

void PrinterBase::setCopies(int copies)
{
    m_copies = copies < 1 ? 1 : copies;
}

QPageLayout PrinterBase::pageLayout() const
{
    QSizeF size = paperForm(m_paperNumber).sizeMm;
    // A printer that offers no paper at all still draws somewhere.
    if (size.width() <= 0 || size.height() <= 0)
        size = QSizeF(210, 297);
    // Exact sizes: Qt would otherwise snap a label to a nearby standard size
    // (45 x 65 mm to JIS B9's 45 x 64 mm).
    const QPageSize pageSize(size, QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
    const auto orientation = m_orientation == Orientation::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
    return QPageLayout(pageSize, orientation, QMarginsF());
}

QPainter *PrinterBase::painter()
{
    if (m_pageOpen)
        return m_document->painter();
    if (!m_document) {
        m_failed = false;
        m_error.clear();
        const QString reason = checkReady();
        if (!reason.isEmpty())
            fail(reason);
        m_document = std::make_unique<PrinterDocument>(QStringLiteral("さくらべ"));
    }
    m_pageOpen = true;
    return m_document->openPage(pageLayout());
}

bool PrinterBase::newPage()
{
    painter();
    m_pageOpen = false;
    return !m_failed;
}

bool PrinterBase::endDocument()
{
    if (!m_document)
        return true;
    std::unique_ptr<PrinterDocument> document = std::move(m_document);
    m_pageOpen = false;
    if (m_failed)
        return false;
    const QByteArray pdf = document->finish();
    document.reset();
    if (pdf.isEmpty()) {
        fail(QStringLiteral("印刷データを作成できませんでした"));
        return false;
    }
    QString reason;
    if (!deliver(pdf, paperForm(m_paperNumber), m_copies, &reason)) {
        fail(reason);
        return false;
    }
    return true;
}

void PrinterBase::fail(const QString &message)
{
    m_failed = true;
    m_error = message;
}

} // namespace platform
