// Whole labels against recordings checked by hand: each folder under
// tests/data holds a product (record.json), how it is issued (job.json) and
// what the label must draw (expected.txt). SAKURABE_UPDATE_GOLDEN=1 rewrites
// the expected recordings; read every one you rewrite before committing it.
//
// The job is filled and composed as the program does it: by the fill of the
// issuing job and the composer for the label's size.
//
// job.json: "printer" (device name, default "SATO_T408v"), "dpi" (203),
// "paper" (the paper number the printer starts on), "toPrinter" (the issuing
// screen's print; without it its preview), "registrationPreview" (the
// registration screen's preview instead), "baseDate" (ISO), "method" (the
// expiry display method), "copies", "userDat" (user.dat lines by number over the defaults,
// e.g. {"3": "110"}), "pictures" (files put into the working folder) and
// "installedFonts" (the font families the system has, when the case sets
// them: the printers' barcode fonts exist on few systems).
#include "engine/compose/composelabel.h"
#include "engine/render/labelrenderer.h"
#include "engine/render/recording.h"
#include "engine/render/recordingprinter.h"
#include "platform/fakeprintersystem.h"
#include "platform/programexit.h"
#include "print/labeljobfill.h"
#include "store/productrecord.h"
#include "store/usersettings.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

using engine::LabelJob;

namespace {

const QString kDataDir = QStringLiteral(SAKURABE_SOURCE_DIR "/tests/data");

QJsonObject readJson(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(file.readAll()).object();
}

// A small stand-in picture: the recording names it and its box, not its pixels.
void writePicture(const QString &path)
{
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::black);
    QVERIFY(picture.save(path, "BMP"));
}

struct GoldenCase
{
    QString recording;
    QString error;
};

GoldenCase runCase(const QString &folder)
{
    const QJsonObject record = readJson(folder + QStringLiteral("/record.json"));
    const QJsonObject settings = readJson(folder + QStringLiteral("/job.json"));
    if (record.isEmpty() || settings.isEmpty())
        return {{}, QStringLiteral("record.json or job.json is missing or not JSON")};

    QTemporaryDir work;
    const QString printerName = settings.value(u"printer").toString(QStringLiteral("SATO_T408v"));
    store::UserSettings user = store::UserSettings::defaults();
    user.printer = printerName;
    QStringList lines = user.lines();
    const QJsonObject userLines = settings.value(u"userDat").toObject();
    for (auto it = userLines.begin(); it != userLines.end(); ++it)
        lines[it.key().toInt() - 1] = it.value().toString();
    const store::UserSettings userSettings = store::UserSettings::fromLines(lines);
    if (!store::writeUserSettings(work.path(), userSettings).ok)
        return {{}, QStringLiteral("user.dat cannot be written")};
    for (const QJsonValue picture : settings.value(u"pictures").toArray())
        writePicture(QDir(work.path()).filePath(picture.toString()));

    platform::FakePrinterSystem system;
    system.addPrinter({printerName, settings.value(u"dpi").toInt(203), platform::FakePrinterSystem::labelPrinterForms(),
                       settings.value(u"paper").toInt(0)});
    std::unique_ptr<platform::Printer> inner = system.open(printerName);
    engine::Recording recording;
    engine::RecordingPrinter printer(*inner, recording);
    platform::RecordingProgramExit exit;
    engine::RendererServices services{
        &printer, &recording.target(engine::TargetKind::Page), &recording, &recording, &exit, work.path(), userSettings};
    if (settings.contains(u"installedFonts")) {
        QStringList fonts;
        for (const QJsonValue font : settings.value(u"installedFonts").toArray())
            fonts.append(font.toString());
        services.fontInstalled = [fonts](const QString &family) { return fonts.contains(family); };
    }
    engine::LabelRenderer renderer(services);

    store::ProductRecord product;
    for (size_t i = 0; i < store::kProductFieldNames.size(); ++i)
        product.*store::kProductFields[i] = record.value(QLatin1String(store::kProductFieldNames[i])).toString();
    const print::JobKind kind = settings.value(u"registrationPreview").toBool() ? print::JobKind::RegistrationPreview
                                : settings.value(u"toPrinter").toBool()     ? print::JobKind::IssuingPrint
                                                                            : print::JobKind::IssuingPreview;
    const LabelJob job = print::fillLabelJob(
        product, kind, QDateTime::fromString(settings.value(u"baseDate").toString(), Qt::ISODate),
        {settings.value(u"method").toString(QStringLiteral("加算日計算での日付表示")),
         settings.value(u"copies").toString(QStringLiteral("1"))});
    if (!engine::composeLabel(renderer, job))
        return {{}, QStringLiteral("no composer for the label size")};
    return {recording.text(), {}};
}

} // namespace

class TestGoldenLabels : public QObject
{
    Q_OBJECT

private slots:
    void labels_data()
    {
        QTest::addColumn<QString>("folder");
        const QStringList cases = QDir(kDataDir).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
        int count = 0;
        for (const QString &name : cases) {
            if (!QFile::exists(kDataDir + u'/' + name + QStringLiteral("/job.json")))
                continue;
            QTest::newRow(qPrintable(name)) << kDataDir + u'/' + name;
            ++count;
        }
        QVERIFY2(count >= 12, "the golden label cases are missing");
    }

    void labels()
    {
        QFETCH(QString, folder);
        const GoldenCase result = runCase(folder);
        QVERIFY2(result.error.isEmpty(), qPrintable(result.error));

        const QString expectedPath = folder + QStringLiteral("/expected.txt");
        if (qEnvironmentVariableIntValue("SAKURABE_UPDATE_GOLDEN") == 1) {
            QFile out(expectedPath);
            QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
            out.write(result.recording.toUtf8());
            return;
        }
        QFile file(expectedPath);
        QVERIFY2(file.open(QIODevice::ReadOnly), "expected.txt is missing");
        const QStringList expected = QString::fromUtf8(file.readAll()).split(u'\n');
        const QStringList actual = result.recording.split(u'\n');
        for (qsizetype i = 0; i < std::max(expected.size(), actual.size()); ++i) {
            const QString want = i < expected.size() ? expected.at(i) : QStringLiteral("(end)");
            const QString got = i < actual.size() ? actual.at(i) : QStringLiteral("(end)");
            if (want != got)
                QFAIL(qPrintable(QStringLiteral("line %1\n  expected: %2\n  actual:   %3").arg(i + 1).arg(want, got)));
        }
    }
};

QTEST_MAIN(TestGoldenLabels)
#include "tst_goldenlabels.moc"
