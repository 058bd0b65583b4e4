#include "engine/render/recordingprinter.h"

#include "engine/render/recording.h"

namespace engine {

RecordingPrinter::RecordingPrinter(platform::Printer &inner, Recording &recording)
    : m_inner(inner), m_recording(recording)
{
}

QString RecordingPrinter::deviceName() const { return m_inner.deviceName(); }
int RecordingPrinter::resolution() const { return m_inner.resolution(); }
QList<platform::PaperForm> RecordingPrinter::paperForms() const { return m_inner.paperForms(); }
int RecordingPrinter::paperSize() const { return m_inner.paperSize(); }
bool RecordingPrinter::setPaperSize(int number) { return m_inner.setPaperSize(number); }

bool RecordingPrinter::selectPaperForm(int number)
{
    m_recording.note(QStringLiteral("paper"), {QString::number(number)});
    return m_inner.selectPaperForm(number);
}

int RecordingPrinter::copies() const { return m_inner.copies(); }

void RecordingPrinter::setCopies(int copies)
{
    m_recording.note(QStringLiteral("copies"), {QString::number(copies)});
    m_inner.setCopies(copies);
}

platform::Orientation RecordingPrinter::orientation() const { return m_inner.orientation(); }

void RecordingPrinter::setOrientation(platform::Orientation orientation)
{
    const bool landscape = orientation == platform::Orientation::Landscape;
    m_recording.note(QStringLiteral("orientation"), {landscape ? QStringLiteral("landscape") : QStringLiteral("portrait")});
    m_inner.setOrientation(orientation);
}

QPainter *RecordingPrinter::painter() { return m_inner.painter(); }

bool RecordingPrinter::newPage()
{
    m_recording.note(QStringLiteral("page"));
    return m_inner.newPage();
}

bool RecordingPrinter::endDocument()
{
    m_recording.note(QStringLiteral("end"));
    return m_inner.endDocument();
}

bool RecordingPrinter::failed() const { return m_inner.failed(); }
QString RecordingPrinter::error() const { return m_inner.error(); }

} // namespace engine
