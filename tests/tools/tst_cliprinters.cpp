#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// The printers command, run as a script would run it, against the private
// spooler of tests/spooler/spooler.sh (scripts/test.sh starts it).

namespace {

struct Run
{
    int code = -1;
    QString out;
    QString err;
};

} // namespace

class TestCliPrinters : public QObject
{
    Q_OBJECT

    QTemporaryDir m_work;

    Run cli(const QStringList &args) const
    {
        QProcess process;
        process.start(QStringLiteral(SAKURABE_BINARY_DIR "/tools/sakurabe-cli"),
                      QStringList{QStringLiteral("--workdir"), m_work.path(), QStringLiteral("printers")} + args);
        if (!process.waitForFinished(30000))
            return {};
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }

private slots:
    void initTestCase()
    {
        if (qEnvironmentVariableIsEmpty("CUPS_SERVER") || qEnvironmentVariableIsEmpty("SAKURABE_TEST_SPOOL_OUT"))
            QFAIL("no test spooler: run through scripts/test.sh");
        QVERIFY(m_work.isValid());
    }

    void listsDeviceNames()
    {
        const Run run = cli({});
        QCOMPARE(run.code, 0);
        const QStringList names = run.out.split(u'\n', Qt::SkipEmptyParts);
        QVERIFY(names.contains(QStringLiteral("SATO_CT4-LX_2130")));
        QVERIFY(names.contains(QStringLiteral("SATO_R412v")));
        QCOMPARE(names.last(), QStringLiteral("さくらべ PDF出力"));
    }

    void describesPrinters()
    {
        const Run run = cli({QStringLiteral("--json")});
        QCOMPARE(run.code, 0);
        const QJsonArray printers = QJsonDocument::fromJson(run.out.toUtf8()).array();
        QJsonObject queue;
        for (const QJsonValue &printer : printers) {
            if (printer[QStringLiteral("name")].toString() == QLatin1String("SATO_R412v"))
                queue = printer.toObject();
        }
        QCOMPARE(queue.value(QStringLiteral("resolution")).toInt(), 305);
        QCOMPARE(queue.value(QStringLiteral("paperSize")).toInt(), 514);
        QCOMPARE(queue.value(QStringLiteral("pageWidthTwips")).toInt(), 2665);
        QCOMPARE(queue.value(QStringLiteral("pageHeightTwips")).toInt(), 3685);
        const QJsonArray forms = queue.value(QStringLiteral("paperForms")).toArray();
        QCOMPARE(forms.size(), 6);
        const QJsonObject small = forms.at(0).toObject();
        QCOMPARE(small.value(QStringLiteral("number")).toInt(), 513);
        QCOMPARE(small.value(QStringLiteral("key")).toString(), QStringLiteral("w113h79"));
        QCOMPARE(small.value(QStringLiteral("widthMm")).toDouble(), 40.0);
        QCOMPARE(small.value(QStringLiteral("heightMm")).toDouble(), 28.0);
        QCOMPARE(forms.at(5)[QStringLiteral("number")].toInt(), 9);

        const QJsonObject pdf = printers.last().toObject();
        QCOMPARE(pdf.value(QStringLiteral("name")).toString(), QStringLiteral("さくらべ PDF出力"));
        QCOMPARE(pdf.value(QStringLiteral("resolution")).toInt(), 203);
    }

    void unknownOptionFails()
    {
        const Run run = cli({QStringLiteral("--xml")});
        QVERIFY(run.code != 0);
        QVERIFY(run.out.isEmpty());
        QVERIFY(run.err.contains(QStringLiteral("usage")));
    }
};

QTEST_GUILESS_MAIN(TestCliPrinters)
#include "tst_cliprinters.moc"
