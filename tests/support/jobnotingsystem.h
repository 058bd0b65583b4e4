#pragma once

#include "platform/clock.h"
#include "platform/cupsprinter.h"
#include "platform/cupsprintersystem.h"

#include <QList>

#include <memory>

namespace testsupport {

// A spooler queue's printer that notes the job number of every document it
// hands over, so that a test finds exactly its own jobs' PDFs.
class JobNotingPrinter final : public platform::Printer
{
public:
    JobNotingPrinter(std::unique_ptr<platform::Printer> inner, QList<int> &jobs) : m_inner(std::move(inner)), m_jobs(jobs) {}
    QString deviceName() const override { return m_inner->deviceName(); }
    int resolution() const override { return m_inner->resolution(); }
    QList<platform::PaperForm> paperForms() const override { return m_inner->paperForms(); }
    int paperSize() const override { return m_inner->paperSize(); }
    bool setPaperSize(int number) override { return m_inner->setPaperSize(number); }
    bool selectPaperForm(int number) override { return m_inner->selectPaperForm(number); }
    int copies() const override { return m_inner->copies(); }
    void setCopies(int copies) override { m_inner->setCopies(copies); }
    platform::Orientation orientation() const override { return m_inner->orientation(); }
    void setOrientation(platform::Orientation orientation) override { m_inner->setOrientation(orientation); }
    QPainter *painter() override { return m_inner->painter(); }
    bool newPage() override { return m_inner->newPage(); }
    bool endDocument() override
    {
        auto *queue = dynamic_cast<platform::CupsPrinter *>(m_inner.get());
        const int before = queue ? queue->lastJobId() : 0;
        const bool ok = m_inner->endDocument();
        if (queue && ok && queue->lastJobId() != before)
            m_jobs.append(queue->lastJobId());
        return ok;
    }
    bool failed() const override { return m_inner->failed(); }
    QString error() const override { return m_inner->error(); }

private:
    std::unique_ptr<platform::Printer> m_inner;
    QList<int> &m_jobs;
};

// The spooler's printers, each noting its jobs in `jobs`.
class JobNotingSystem final : public platform::PrinterSystem
{
public:
    JobNotingSystem(const platform::Clock &clock, const QString &pdfFolder) : m_system(clock, pdfFolder) {}
    QStringList printerNames() const override { return m_system.printerNames(); }
    std::unique_ptr<platform::Printer> open(const QString &deviceName) override
    {
        auto printer = m_system.open(deviceName);
        if (!printer)
            return printer;
        return std::make_unique<JobNotingPrinter>(std::move(printer), jobs);
    }
    QList<int> jobs;

private:
    platform::CupsPrinterSystem m_system;
};

} // namespace testsupport
