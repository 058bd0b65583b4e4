#pragma once

// Looks into the PDF files that printers made, with the poppler tools
// (pdfinfo, pdftotext, pdffonts), for the printing tests.

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QSizeF>
#include <QStringList>
#include <QThread>

#include <algorithm>

namespace testsupport {

// The PDF the test spooler's backend wrote for a job, once it has been
// renamed into place (so it is complete), or an empty string after 20 s.
inline QString waitForSpoolerJob(const QString &queue, int jobId)
{
    const QString path = QDir(qEnvironmentVariable("SAKURABE_TEST_SPOOL_OUT"))
                             .filePath(QStringLiteral("%1-%2.pdf").arg(queue).arg(jobId));
    QDeadlineTimer deadline(20000);
    while (!QFile::exists(path) && !deadline.hasExpired())
        QThread::msleep(20);
    return QFile::exists(path) ? path : QString();
}

// The tool's standard output, or an empty string when it did not run well.
inline QString runTool(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

inline int pdfPageCount(const QString &path)
{
    const auto match = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(runTool(QStringLiteral("pdfinfo"), {path}));
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

// The size of one page in points, as the PDF says it.
inline QSizeF pdfPageSize(const QString &path, int page = 1)
{
    const QString info = runTool(QStringLiteral("pdfinfo"),
                                 {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"), QString::number(page), path});
    const auto match = QRegularExpression(QStringLiteral("Page\\s+%1 size:\\s+([\\d.]+) x ([\\d.]+) pts").arg(page)).match(info);
    return match.hasMatch() ? QSizeF(match.captured(1).toDouble(), match.captured(2).toDouble()) : QSizeF();
}

// How many pictures the PDF shows, over all its pages.
inline int pdfImageCount(const QString &path)
{
    // pdfimages -list: two header lines, then one line a picture.
    const QStringList lines = runTool(QStringLiteral("pdfimages"), {QStringLiteral("-list"), path})
                                  .split(u'\n', Qt::SkipEmptyParts);
    return std::max(0, int(lines.size()) - 2);
}

inline QString pdfText(const QString &path)
{
    return runTool(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, QStringLiteral("-")});
}

// The names of the fonts embedded in the PDF, subset prefixes removed.
inline QStringList pdfFonts(const QString &path)
{
    QStringList fonts;
    const QStringList lines = runTool(QStringLiteral("pdffonts"), {path}).split(u'\n');
    for (qsizetype i = 2; i < lines.size(); ++i) {
        QString name = lines.at(i).section(u' ', 0, 0);
        name.remove(QRegularExpression(QStringLiteral("^[A-Z]{6}\\+")));
        if (!name.isEmpty())
            fonts.append(name);
    }
    return fonts;
}

// Where a word stands on the first page, in points from the top left corner;
// an empty rectangle when it is not there.
inline QRectF pdfWordBox(const QString &path, const QString &word)
{
    const QString html = runTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-enc"),
                                                               QStringLiteral("UTF-8"), path, QStringLiteral("-")});
    const QRegularExpression pattern(QStringLiteral(
        "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    for (auto it = pattern.globalMatch(html); it.hasNext();) {
        const auto match = it.next();
        if (match.captured(5) == word)
            return QRectF(QPointF(match.captured(1).toDouble(), match.captured(2).toDouble()),
                          QPointF(match.captured(3).toDouble(), match.captured(4).toDouble()));
    }
    return {};
}

// Every page of the PDF as pdftotext -bbox sees it: its size, then each word
// with its box, one a line. Two PDFs with the same pages give the same list.
inline QStringList pdfPageWords(const QString &path)
{
    const QString html = runTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-enc"),
                                                               QStringLiteral("UTF-8"), path, QStringLiteral("-")});
    QStringList pages;
    for (const QString &line : html.split(u'\n')) {
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(u"<page "))
            pages.append(trimmed + u'\n');
        else if (trimmed.startsWith(u"<word ") && !pages.isEmpty())
            pages.last() += trimmed + u'\n';
    }
    return pages;
}

} // namespace testsupport
