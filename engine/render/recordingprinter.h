#pragma once

#include "platform/printer.h"

namespace engine {

class Recording;

// A printer that writes down what the engine asks of it (paper form, copies,
// orientation, pages, the end of the document) into a recording, and passes
// everything on to the printer it stands for.
class RecordingPrinter final : public platform::Printer
{
public:
    RecordingPrinter(platform::Printer &inner, Recording &recording);

    QString deviceName() const override;
    int resolution() const override;
    QList<platform::PaperForm> paperForms() const override;
    int paperSize() const override;
    bool setPaperSize(int number) override;
    bool selectPaperForm(int number) override;
    int copies() const override;
    void setCopies(int copies) override;
    platform::Orientation orientation() const override;
    void setOrientation(platform::Orientation orientation) override;
    QPainter *painter() override;
    bool newPage() override;
    bool endDocument() override;
    bool failed() const override;
    QString error() const override;

private:
    platform::Printer &m_inner;
    Recording &m_recording;
};

} // namespace engine
