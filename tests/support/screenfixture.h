#pragma once

#include "app/appcontext.h"
#include "app/confirmation.h"
#include "app/picturefilechooser.h"
#include "platform/clock.h"
#include "platform/fakeprintersystem.h"
#include "platform/messagesink.h"
#include "platform/programexit.h"
#include "platform/removabledrive.h"
#include "store/cp932.h"
#include "store/settingssource.h"
#include "store/usersettings.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace testsupport {

// What a screen is handed in a test: a working folder of its own, a fake
// printer system, recording messages and exit, a clock that stands still,
// a drive that is there or not, and a scripted confirmation window.
struct ScreenFixture
{
    ScreenFixture() { printers = std::make_unique<platform::FakePrinterSystem>(); }

    app::AppContext context()
    {
        app::AppContext c{work.path(), &messages, &exit, &clock, &drive};
        c.printers = printerSystem ? printerSystem : printers.get();
        c.confirmation = &confirmation;
        c.pictureChooser = &pictureChooser;
        c.settings = &settings;
        return c;
    }

    QString path(const QString &name) const { return work.filePath(name); }

    // user.dat with these nine lines, as the program writes it.
    void writeUserDat(const QStringList &lines) const
    {
        QVERIFY(store::writeUserSettings(work.path(), store::UserSettings::fromLines(lines)).ok);
    }
    QByteArray userDat() const
    {
        QFile file(path(QStringLiteral("user.dat")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // The bytes user.dat holds for these lines.
    static QByteArray userDatBytes(const QStringList &lines)
    {
        QByteArray bytes;
        for (const QString &line : lines)
            bytes += store::toCp932(line) + "\r\n";
        return bytes;
    }

    QTemporaryDir work;
    std::unique_ptr<platform::FakePrinterSystem> printers;
    platform::PrinterSystem *printerSystem = nullptr; // another system in place of the fake one
    platform::RecordingMessageSink messages;
    platform::RecordingProgramExit exit;
    platform::FixedClock clock{QDateTime(QDate(2024, 3, 5), QTime(9, 7, 5))};
    platform::FixedDriveFinder drive;
    app::ScriptedConfirmation confirmation;
    app::ScriptedPictureChooser pictureChooser;
    store::FileSettingsSource settings{work.path()};
};

} // namespace testsupport
