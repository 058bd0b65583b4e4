#include "tests/support/clirunner.h"
#include "tests/support/spooler.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

using testsupport::CliRun;

// The printers command, run as a script would run it, against the private
// spooler of tests/spooler/spooler.sh (scripts/test.sh starts it).

class TestCliPrinters : public QObject
{
    Q_OBJECT

    testsupport::CliRunner m_cli{QStringLiteral("printers")};

private slots:
    void initTestCase()
    {
        QVERIFY2(testsupport::spoolerRunning(), testsupport::kNoSpooler);
        QVERIFY(m_cli.renewWorkDir());
    }

    void listsDeviceNames()
    {
        const CliRun run = m_cli.run({});
        QCOMPARE(run.code, 0);
        const QStringList names = run.out.split(u'\n', Qt::SkipEmptyParts);
        QVERIFY(names.contains(QStringLiteral("SATO_CT4-LX_2130")));
        QVERIFY(names.contains(QStringLiteral("SATO_R412v")));
        QCOMPARE(names.last(), QStringLiteral("さくらべ PDF出力"));
    }

    void describesPrinters()
    {
        const CliRun run = m_cli.run({QStringLiteral("--json")});
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
        const CliRun run = m_cli.run({QStringLiteral("--xml")});
        QVERIFY(run.code != 0);
        QVERIFY(run.out.isEmpty());
        QVERIFY(run.err.contains(QStringLiteral("usage")));
    }
};

QTEST_GUILESS_MAIN(TestCliPrinters)
#include "tst_cliprinters.moc"
