#include "platform/pdfprinter.h"
#include "store/datalocation.h"
#include "store/productfile.h"
#include "store/productrecord.h"
#include "tests/spooler/pdfprobe.h"
#include "tests/support/clirunner.h"
#include "tests/support/sampleproduct.h"

#include <QDir>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTest>

using testsupport::CliRun;

namespace {

const QString kDataDir = QStringLiteral(SAKURABE_SOURCE_DIR "/tests/data");

QJsonObject readJson(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(file.readAll()).object();
}

QString readText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

// `sakurabe-cli render`: a product's label drawn as the issuing screen
// would, into a recording, an image at the printer's dots or a PDF.
class TestCliRender : public QObject
{
    Q_OBJECT

    testsupport::CliRunner m_cli;

    // The settings of a golden case: user.dat lines over the defaults and the
    // stand-in mark pictures.
    void prepareLikeGolden(const QJsonObject &job)
    {
        QStringList lines = testsupport::hardDiskUserSettings();
        const QJsonObject userLines = job.value(u"userDat").toObject();
        for (auto it = userLines.begin(); it != userLines.end(); ++it)
            lines[it.key().toInt() - 1] = it.value().toString();
        m_cli.writeUserSettings(lines);
        for (const QJsonValue picture : job.value(u"pictures").toArray()) {
            QImage image(8, 8, QImage::Format_RGB32);
            image.fill(Qt::black);
            QVERIFY(image.save(m_cli.path(picture.toString()), "BMP"));
        }
    }

    QStringList portraitDevice() const
    {
        return {QStringLiteral("--device"), QStringLiteral("SATO_T408v"), QStringLiteral("--dpi"),
                QStringLiteral("203"), QStringLiteral("--page"), QStringLiteral("45x65")};
    }

    QString recordPath(const QString &golden) const
    {
        return kDataDir + u'/' + golden + QStringLiteral("/record.json");
    }

private slots:
    void init()
    {
        QVERIFY(m_cli.renewWorkDir());
        m_cli.writeUserSettings(testsupport::hardDiskUserSettings());
    }

    // The recording is the one the golden labels hold for the same product
    // and settings; a printed job ends its document.
    void textEqualsGolden_data()
    {
        QTest::addColumn<QString>("golden");
        QTest::addColumn<QString>("geometry");
        QTest::newRow("portrait print") << "portrait-print-ruled" << QString();
        QTest::newRow("portrait second label") << "portrait-print-second-label" << QString();
        QTest::newRow("landscape, printer copies") << "landscape-print-no-mark" << QString();
        QTest::newRow("portrait preview") << "portrait-preview-two-marks" << "--preview";
        QTest::newRow("registration preview") << "landscape-preview-registration" << "--registration-preview";
    }

    void textEqualsGolden()
    {
        QFETCH(QString, golden);
        QFETCH(QString, geometry);
        const QJsonObject job = readJson(kDataDir + u'/' + golden + QStringLiteral("/job.json"));
        QVERIFY(!job.isEmpty());
        prepareLikeGolden(job);
        QStringList args{QStringLiteral("render"), QStringLiteral("--record"), recordPath(golden),
                         QStringLiteral("--out"), m_cli.path(QStringLiteral("label.txt")),
                         QStringLiteral("--date"), QStringLiteral("2026-03-05 09:07"),
                         QStringLiteral("--copies"), job.value(u"copies").toString(),
                         QStringLiteral("--method"), job.value(u"method").toString()};
        args += portraitDevice();
        if (!geometry.isEmpty())
            args.append(geometry);
        const CliRun run = m_cli.run(args);
        QVERIFY2(run.code == 0, qPrintable(run.err));
        QCOMPARE(run.out, QString());

        QString expected = readText(kDataDir + u'/' + golden + QStringLiteral("/expected.txt"));
        QVERIFY(!expected.isEmpty());
        if (geometry.isEmpty())
            expected += QStringLiteral("end\n");
        QCOMPARE(readText(m_cli.path(QStringLiteral("label.txt"))), expected);
    }

    // A stored product renders like the same fields given as a record.
    void storedProductLikeRecord()
    {
        QJsonObject record = readJson(recordPath(QStringLiteral("portrait-print-ruled")));
        record[QStringLiteral("number")] = QStringLiteral("12");
        QCOMPARE(m_cli.run({QStringLiteral("products"), QStringLiteral("save")}, QJsonDocument(record).toJson()).code, 0);
        QFile recordFile(m_cli.path(QStringLiteral("record.json")));
        QVERIFY(recordFile.open(QIODevice::WriteOnly));
        record[QStringLiteral("number")] = QStringLiteral("0012");
        recordFile.write(QJsonDocument(record).toJson());
        recordFile.close();

        const QStringList common = QStringList{QStringLiteral("--date"), QStringLiteral("2026-03-05 09:07")} + portraitDevice();
        const CliRun stored = m_cli.run(QStringList{QStringLiteral("render"), QStringLiteral("0012"), QStringLiteral("--out"),
                                                    m_cli.path(QStringLiteral("stored.txt"))} + common);
        QVERIFY2(stored.code == 0, qPrintable(stored.err));
        const CliRun given = m_cli.run(QStringList{QStringLiteral("render"), QStringLiteral("--record"),
                                                   m_cli.path(QStringLiteral("record.json")), QStringLiteral("--out"),
                                                   m_cli.path(QStringLiteral("given.txt"))} + common);
        QVERIFY2(given.code == 0, qPrintable(given.err));
        const QString text = readText(m_cli.path(QStringLiteral("stored.txt")));
        QVERIFY(text.contains(QStringLiteral("\t幕\n")));
        // The program's own plastic mark where the folder had none.
        QVERIFY(text.contains(QStringLiteral("picture\tpage\tpura.bmp\t")));
        QCOMPARE(text, readText(m_cli.path(QStringLiteral("given.txt"))));
    }

    // Collated copies: one page each, on the printer's dots.
    void pngAndPdf()
    {
        QStringList lines = testsupport::hardDiskUserSettings();
        lines[3] = QStringLiteral("する");
        m_cli.writeUserSettings(lines);
        const QStringList common = QStringList{QStringLiteral("--record"), recordPath(QStringLiteral("portrait-print-ruled")),
                                               QStringLiteral("--copies"), QStringLiteral("3"), QStringLiteral("--date"),
                                               QStringLiteral("2026-03-05 09:07")}
                                   + portraitDevice();

        const CliRun png = m_cli.run(QStringList{QStringLiteral("render"), QStringLiteral("--out"),
                                                 m_cli.path(QStringLiteral("label.png"))} + common);
        QVERIFY2(png.code == 0, qPrintable(png.err));
        const QImage image(m_cli.path(QStringLiteral("label.png")));
        // 45 x 65 mm at 203 dpi, three pages one below the other.
        QCOMPARE(image.width(), qRound(45 / 25.4 * 203));
        QVERIFY(image.height() > 3 * qRound(65 / 25.4 * 203) - 3);
        QVERIFY(image.height() < 3 * qRound(65 / 25.4 * 203) + 30);

        const CliRun pdf = m_cli.run(QStringList{QStringLiteral("render"), QStringLiteral("--out"),
                                                 m_cli.path(QStringLiteral("label.pdf"))} + common);
        QVERIFY2(pdf.code == 0, qPrintable(pdf.err));
        QProcess info;
        info.start(QStringLiteral("pdfinfo"), {m_cli.path(QStringLiteral("label.pdf"))});
        QVERIFY(info.waitForFinished(10000));
        const QString text = QString::fromUtf8(info.readAllStandardOutput());
        QVERIFY2(text.contains(QRegularExpression(QStringLiteral("Pages:\\s+3\\n"))), qPrintable(text));
        // Whole points: 45 x 65 mm is 127.56 x 184.25 pt.
        const QRegularExpressionMatch size
            = QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+) pts")).match(text);
        QVERIFY2(size.hasMatch(), qPrintable(text));
        QVERIFY(qAbs(size.captured(1).toDouble() - 127.56) < 1.0);
        QVERIFY(qAbs(size.captured(2).toDouble() - 184.25) < 1.0);
    }

    // render and print go the same way: the same product, date and copies
    // give the same pages, word for word and place for place.
    void renderGivesThePagesPrintPrints()
    {
        QStringList lines = testsupport::hardDiskUserSettings();
        lines[0] = platform::pdfPrinterName();
        lines[3] = QStringLiteral("する");
        m_cli.writeUserSettings(lines);
        store::ProductRecord product = testsupport::sampleProduct();
        // A second label for the ingredients after the question mark.
        product.ingredients += QStringLiteral("?原材料の続き:ごま油、醤油、みりん");
        QVERIFY(store::ProductFile(store::productFilePaths(m_cli.workDir())).saveRecord(product).ok);
        const QStringList job{QStringLiteral("0001"), QStringLiteral("--copies"), QStringLiteral("2"),
                              QStringLiteral("--date"), QStringLiteral("2026-03-05 09:07")};

        const CliRun printed = m_cli.run(QStringList{QStringLiteral("print")} + job);
        QVERIFY2(printed.code == 0, qPrintable(printed.err));
        const QStringList pdfs = QDir(m_cli.path(QStringLiteral("PDF"))).entryList({QStringLiteral("*.pdf")}, QDir::Files);
        QCOMPARE(pdfs.size(), 1);
        const CliRun rendered = m_cli.run(QStringList{QStringLiteral("render")} + job
                                          + QStringList{QStringLiteral("--out"), m_cli.path(QStringLiteral("label.pdf"))});
        QVERIFY2(rendered.code == 0, qPrintable(rendered.err));

        const QStringList printedPages = testsupport::pdfPageWords(m_cli.path(QStringLiteral("PDF/") + pdfs.first()));
        const QStringList renderedPages = testsupport::pdfPageWords(m_cli.path(QStringLiteral("label.pdf")));
        // Two copies of a label and its second label.
        QCOMPARE(printedPages.size(), 4);
        QVERIFY(printedPages.at(0).contains(QStringLiteral(">2026/03/06<")));
        QVERIFY(printedPages.at(1).contains(QStringLiteral("ごま油")));
        QCOMPARE(renderedPages, printedPages);
    }

    // The preview is drawn on the preview's picture, not on the printer page.
    void previewPng()
    {
        const CliRun run = m_cli.run(QStringList{QStringLiteral("render"), QStringLiteral("--record"),
                                                 recordPath(QStringLiteral("portrait-preview-two-marks")), QStringLiteral("--preview"),
                                                 QStringLiteral("--out"), m_cli.path(QStringLiteral("preview.png"))}
                                     + portraitDevice());
        QVERIFY2(run.code == 0, qPrintable(run.err));
        const QImage image(m_cli.path(QStringLiteral("preview.png")));
        QVERIFY(!image.isNull());
        QVERIFY(image.width() != qRound(45 / 25.4 * 203));
        int dark = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                dark += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
        }
        QVERIFY(dark > 1000);
    }

    // File names on the command line mean what the user typed: relative to
    // the folder the tool was started in, not to the working folder.
    void relativeNamesStartWhereTheToolStarted()
    {
        QTemporaryDir here;
        QVERIFY(QFile::copy(recordPath(QStringLiteral("portrait-print-ruled")), here.filePath(QStringLiteral("r.json"))));
        m_cli.startIn(here.path());
        const CliRun run = m_cli.run(QStringList{QStringLiteral("render"), QStringLiteral("--record"), QStringLiteral("r.json"),
                                                 QStringLiteral("--out"), QStringLiteral("label.txt")}
                                     + portraitDevice());
        m_cli.startIn({});
        QVERIFY2(run.code == 0, qPrintable(run.err));
        QVERIFY(QFile::exists(here.filePath(QStringLiteral("label.txt"))));
        QVERIFY(!QFile::exists(m_cli.path(QStringLiteral("label.txt"))));
    }

    void failures_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown number") << QStringList{QStringLiteral("0042")} << "no product 0042";
        QTest::newRow("copies rounding to 0")
            << QStringList{QStringLiteral("--record"), recordPath(QStringLiteral("portrait-print-ruled")),
                           QStringLiteral("--copies"), QStringLiteral("0.4")}
            << "枚数の指定が異常です";
        // Halves round to even, as the issuing job rounds them.
        QTest::newRow("copies of one half")
            << QStringList{QStringLiteral("--record"), recordPath(QStringLiteral("portrait-print-ruled")),
                           QStringLiteral("--copies"), QStringLiteral("0.5")}
            << "枚数の指定が異常です";
        QTest::newRow("copies above the printer's count")
            << QStringList{QStringLiteral("--record"), recordPath(QStringLiteral("portrait-print-ruled")),
                           QStringLiteral("--copies"), QStringLiteral("32768")}
            << "枚数の指定が異常です";
        QTest::newRow("bad date") << QStringList{QStringLiteral("--record"), recordPath(QStringLiteral("portrait-print-ruled")),
                                                 QStringLiteral("--date"), QStringLiteral("2026-02-30 09:00")}
                                  << "--date";
        QTest::newRow("output folder missing")
            << QStringList{QStringLiteral("--record"), recordPath(QStringLiteral("portrait-print-ruled")),
                           QStringLiteral("--out"), QStringLiteral("/nonexistent-folder/label.pdf")}
            << "を書き込めませんでした";
        QTest::newRow("printer not installed")
            << QStringList{QStringLiteral("--record"), recordPath(QStringLiteral("portrait-print-ruled")),
                           QStringLiteral("--printer"), QStringLiteral("no_such_queue")}
            << "指定されたプリンターのドライバーが見つかりません";
    }

    // Nothing on stdout, no file, and the reason on stderr.
    void failures()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        if (!args.contains(QStringLiteral("--printer")))
            args += portraitDevice();
        const CliRun run = m_cli.run(QStringList{QStringLiteral("render"), QStringLiteral("--out"),
                                                 m_cli.path(QStringLiteral("label.txt"))} + args);
        QVERIFY(run.code > 0);
        QCOMPARE(run.out, QString());
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QVERIFY(!QFile::exists(m_cli.path(QStringLiteral("label.txt"))));
    }
};

QTEST_MAIN(TestCliRender)
#include "tst_clirender.moc"
