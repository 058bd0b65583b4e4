#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QPageLayout>
#include <QPainter>
#include <QString>

#include <memory>

class QPdfWriter;

namespace platform {

// The pages of one print job, drawn into a PDF held in memory: what a CUPS
// queue is sent, and what the built-in PDF printer keeps. The painter works in
// twips (the PDF is written at 1440 units per inch), so fonts given in points
// keep their size and label positions need no conversion.
//
// Qt writes every page in whole points; the spooler fits such a page onto
// the driver's exact medium.
class PrinterDocument
{
public:
    explicit PrinterDocument(QString title);
    ~PrinterDocument();
    PrinterDocument(const PrinterDocument &) = delete;
    PrinterDocument &operator=(const PrinterDocument &) = delete;

    // Opens the first page, or the next one, with `layout`. The painter's
    // state is reset for every page.
    QPainter *openPage(const QPageLayout &layout);
    QPainter *painter() { return &m_painter; }
    int pageCount() const { return m_pageCount; }

    // Ends the last page and the document: the PDF, or an empty array when
    // the document could not be written.
    QByteArray finish();

private:
    QString m_title;
    QBuffer m_buffer;
    std::unique_ptr<QPdfWriter> m_writer;
    QPainter m_painter;
    QPainter::RenderHints m_freshHints = {};
    int m_pageCount = 0;
};

} // namespace platform
