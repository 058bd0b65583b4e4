#pragma once

#include "platform/fakeprintersystem.h"

#include <QImage>
#include <QPainter>

#include <memory>

namespace platform {

// A printer of the FakePrinterSystem: it keeps its settings like a real one,
// refuses paper numbers outside its script, paints pages onto images and
// writes what happened into its record, which outlives it.
class FakePrinter final : public Printer
{
public:
    FakePrinter(FakePrinterScript script, std::shared_ptr<FakePrinterRecord> record);
    ~FakePrinter() override;

    QString deviceName() const override { return m_script.name; }
    int resolution() const override { return m_script.resolution > 0 ? m_script.resolution : 203; }
    QList<PaperForm> paperForms() const override { return m_script.forms; }
    int paperSize() const override { return m_paperNumber; }
    bool setPaperSize(int number) override;
    bool selectPaperForm(int number) override;
    int copies() const override { return m_copies; }
    void setCopies(int copies) override;
    Orientation orientation() const override { return m_orientation; }
    void setOrientation(Orientation orientation) override;

    QPainter *painter() override;
    bool newPage() override;
    bool endDocument() override;
    bool failed() const override { return m_failed; }
    QString error() const override { return m_error; }

private:
    void closePage();
    bool offers(int number) const;

    FakePrinterScript m_script;
    std::shared_ptr<FakePrinterRecord> m_record;
    int m_paperNumber = 0;
    int m_copies = 1;
    Orientation m_orientation = Orientation::Portrait;
    bool m_documentOpen = false;
    bool m_pageOpen = false;
    FakePage m_page;
    QPainter m_painter;
    bool m_failed = false;
    QString m_error;
};

} // namespace platform
