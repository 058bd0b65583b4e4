#pragma once

#include "engine/render/labelrenderer.h"
#include "engine/render/recording.h"
#include "engine/render/recordingprinter.h"
#include "platform/fakeprintersystem.h"
#include "platform/programexit.h"

#include <QTemporaryDir>

#include <memory>

// A renderer that draws into a recording, on a fake printer, in a working
// folder of its own.
struct LabelFixture
{
    explicit LabelFixture(const QString &printerName = QStringLiteral("SATO_T408v"), int dpi = 203,
                          const QList<platform::PaperForm> &forms = platform::FakePrinterSystem::labelPrinterForms())
    {
        system.addPrinter({printerName, dpi, forms});
        inner = system.open(printerName);
        printer = std::make_unique<engine::RecordingPrinter>(*inner, recording);
        renderer = std::make_unique<engine::LabelRenderer>(engine::RendererServices{
            printer.get(), &recording.target(engine::TargetKind::Page), &recording, &recording, &exit, folder.path()});
    }

    // The recorded lines that start with `operation`.
    QStringList lines(const QString &operation) const
    {
        QStringList found;
        for (const QString &line : recording.lines()) {
            if (line.section(u'\t', 0, 0) == operation)
                found.append(line);
        }
        return found;
    }

    QTemporaryDir folder;
    platform::FakePrinterSystem system;
    std::unique_ptr<platform::Printer> inner;
    engine::Recording recording;
    std::unique_ptr<engine::RecordingPrinter> printer;
    platform::RecordingProgramExit exit;
    std::unique_ptr<engine::LabelRenderer> renderer;
};
