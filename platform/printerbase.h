#pragma once

#include "platform/printer.h"
#include "platform/printerdocument.h"

#include <memory>

namespace platform {

// What a printer that draws its documents as PDF has in common: the paper,
// orientation and copy settings, and the page sequence. A subclass says how
// a finished document leaves (sent to a queue, kept as a file) and where the
// default paper form is kept.
class PrinterBase : public Printer
{
public:
    PrinterBase(QString deviceName, int resolution, QList<PaperForm> forms, int paperNumber);
    ~PrinterBase() override;

    QString deviceName() const override { return m_deviceName; }
    int resolution() const override { return m_resolution; }
    QList<PaperForm> paperForms() const override { return m_forms; }
    int paperSize() const override { return m_paperNumber; }
    bool setPaperSize(int number) override;
    bool selectPaperForm(int number) override;
    int copies() const override { return m_copies; }
    void setCopies(int copies) override;
    Orientation orientation() const override { return m_orientation; }
    void setOrientation(Orientation orientation) override { m_orientation = orientation; }

    QPainter *painter() override;
    bool newPage() override;
    bool endDocument() override;
    bool failed() const override { return m_failed; }
    QString error() const override { return m_error; }

protected:
    // The reason, in the user's words, why no document can be printed now;
    // empty when the printer is ready. Asked when a document begins.
    virtual QString checkReady() { return {}; }
    // Hands a finished document over; false with `error` set to the whole
    // user-facing message on failure.
    virtual bool deliver(const QByteArray &pdf, const PaperForm &paper, int copies, QString *error) = 0;
    // Keeps `form` as the printer's default paper form for later sessions.
    virtual bool storeDefaultPaperForm(const PaperForm &form, QString *error) = 0;

    void fail(const QString &message);

private:
    QPageLayout pageLayout() const;

    QString m_deviceName;
    int m_resolution = 203;
    QList<PaperForm> m_forms;
    int m_paperNumber = 0;
    int m_copies = 1;
    Orientation m_orientation = Orientation::Portrait;

    std::unique_ptr<PrinterDocument> m_document;
    bool m_pageOpen = false;
    bool m_failed = false;
    QString m_error;
};

// The user-facing message for a failure: what failed, a CR, and the reason.
QString printerMessage(const QString &what, const QString &reason);

} // namespace platform
