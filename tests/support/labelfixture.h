#pragma once

#include "engine/render/labelrenderer.h"
#include "engine/render/recording.h"
#include "engine/render/recordingprinter.h"
#include "platform/fakeprintersystem.h"
#include "platform/programexit.h"
#include "store/usersettings.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>

// A renderer that draws into a recording, on a fake printer, in a working
// folder of its own, with the default settings until a test gives others.
struct LabelFixture
{
    explicit LabelFixture(const QString &printerName = QStringLiteral("SATO_T408v"), int dpi = 203,
                          const QList<platform::PaperForm> &forms = platform::FakePrinterSystem::labelPrinterForms())
    {
        system.addPrinter({printerName, dpi, forms});
        inner = system.open(printerName);
        printer = std::make_unique<engine::RecordingPrinter>(*inner, recording);
        useSettings(store::UserSettings::defaults(), false);
    }

    // The renderer works with `settings` from now on; user.dat holds them
    // too, unless `stored` is false, for the paper-form switch that rewrites it.
    void useSettings(const store::UserSettings &settings, bool stored = true)
    {
        if (stored)
            QVERIFY(store::writeUserSettings(folder.path(), settings).ok);
        renderer = std::make_unique<engine::LabelRenderer>(
            engine::RendererServices{printer.get(), &recording.target(engine::TargetKind::Page), &recording,
                                     &recording, &exit, folder.path(), settings});
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
