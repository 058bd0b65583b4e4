#include "store/cp932.h"
#include "store/textfile.h"
#include "tests/support/clirunner.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

using testsupport::CliRun;

// The settings and phrase commands of the command-line tool, run as a
// script would run them.
class TestCliSettings : public QObject
{
    Q_OBJECT

    testsupport::CliRunner m_cli;

private slots:
    void init()
    {
        QVERIFY(m_cli.renewWorkDir());
    }

    void settingsEnsureThenShow()
    {
        CliRun run = m_cli.run({QStringLiteral("settings"), QStringLiteral("ensure")});
        QCOMPARE(run.code, 0);
        QCOMPARE(run.out, QStringLiteral("user.dat を作成しました\n"));

        run = m_cli.run({QStringLiteral("settings"), QStringLiteral("ensure")});
        QCOMPARE(run.code, 0);
        QCOMPARE(run.out, QString());

        run = m_cli.run({QStringLiteral("settings"), QStringLiteral("show")});
        QCOMPARE(run.code, 0);
        const QStringList keys = {QStringLiteral("printer"),        QStringLiteral("portraitStartX"),
                                  QStringLiteral("portraitStartY"), QStringLiteral("collatedPrinting"),
                                  QStringLiteral("dataLocation"),   QStringLiteral("paperForm"),
                                  QStringLiteral("barcodeMethod"),  QStringLiteral("landscapeStartX"),
                                  QStringLiteral("landscapeStartY")};
        qsizetype at = 0;
        for (const QString &key : keys) {
            const qsizetype found = run.out.indexOf(u'"' + key + u'"');
            QVERIFY2(found > at, qPrintable(key)); // in file order
            at = found;
        }
        const QJsonObject object = QJsonDocument::fromJson(run.out.toUtf8()).object();
        QCOMPARE(object.size(), 9);
        QCOMPARE(object.value(QStringLiteral("printer")).toString(), QStringLiteral("ﾌﾟﾘﾝﾀｰをお選び下さい"));
        QCOMPARE(object.value(QStringLiteral("dataLocation")).toString(), QStringLiteral("ＵＳＢメモリ"));
        QCOMPARE(object.value(QStringLiteral("landscapeStartY")).toString(), QStringLiteral("20"));
    }

    void settingsEnsureCompletesShortFile()
    {
        m_cli.writeUserSettings({QStringLiteral("SATO T408v"), QStringLiteral("1810")});

        const CliRun run = m_cli.run({QStringLiteral("settings"), QStringLiteral("ensure")});
        QCOMPARE(run.code, 0);
        QCOMPARE(run.out, QStringLiteral("Ver1.07d以前の印刷設定情報を、Ver1.08以降用に変更しました\n"));
        QCOMPARE(store::splitLines(m_cli.contentOf(QStringLiteral("user.dat"))).size(), 9);
    }

    void failuresPrintNothingOnStdout_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<bool>("unreadableFiles");
        QTest::addColumn<QString>("inMessage");
        QTest::newRow("show without user.dat") << QStringList{QStringLiteral("settings"), QStringLiteral("show")} << false
                                              << QStringLiteral("見つかりません");
        QTest::newRow("ensure unreadable user.dat")
            << QStringList{QStringLiteral("settings"), QStringLiteral("ensure")} << true << QStringLiteral("読み込めませんでした");
        QTest::newRow("ensure unreadable phrase file")
            << QStringList{QStringLiteral("phrases"), QStringLiteral("ensure")} << true << QStringLiteral("読み込めませんでした");
        QTest::newRow("unknown category")
            << QStringList{QStringLiteral("phrases"), QStringLiteral("show"), QStringLiteral("品名の登録")} << false
            << QStringLiteral("見つかりません");
        QTest::newRow("too few phrases")
            << QStringList{QStringLiteral("phrases"), QStringLiteral("set"), QStringLiteral("品名の登録"), QStringLiteral("a")}
            << false << QStringLiteral("phrases set TITLE");
        QTest::newRow("empty title")
            << QStringList{QStringLiteral("phrases"), QStringLiteral("set"), QString(), QStringLiteral("1"),
                           QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5")}
            << false << QStringLiteral("文字列情報の保存に失敗しました");
        QTest::newRow("unknown verb") << QStringList{QStringLiteral("settings"), QStringLiteral("set")} << false
                                      << QStringLiteral("settings show");
    }

    void failuresPrintNothingOnStdout()
    {
        QFETCH(QStringList, args);
        QFETCH(bool, unreadableFiles);
        QFETCH(QString, inMessage);
        if (unreadableFiles) {
            QVERIFY(QDir(m_cli.workDir()).mkdir(QStringLiteral("user.dat")));
            QVERIFY(QDir(m_cli.workDir()).mkdir(QStringLiteral("文字列情報.tsv")));
        }
        const CliRun run = m_cli.run(args);
        QVERIFY(run.code != 0);
        QCOMPARE(run.out, QString());
        QVERIFY2(run.err.contains(inMessage), qPrintable(run.err));
        QVERIFY(!run.err.contains(u'\r'));
    }

    void phrasesEnsureShowSet()
    {
        CliRun run = m_cli.run({QStringLiteral("phrases"), QStringLiteral("ensure")});
        QCOMPARE(run.code, 0);
        QCOMPARE(run.out, QStringLiteral("文字列情報.tsv を作成しました\n"));

        run = m_cli.run({QStringLiteral("phrases"), QStringLiteral("show"), QStringLiteral("保存方法の登録")});
        QCOMPARE(run.code, 0);
        QCOMPARE(run.out, QStringLiteral("高温・多湿・直射日光を避け、常温にて保存して下さい\n要冷蔵(１０℃以下)\n"
                                         "１０℃以下で保存して下さい\n４℃以下で保存して下さい\n－１８℃以下で保存して下さい\n"));

        run = m_cli.run({QStringLiteral("phrases"), QStringLiteral("set"), QStringLiteral("品名の登録"), QStringLiteral("品名:そば，大盛り"),
                   QString(), QStringLiteral("鷗"), QString(), QStringLiteral("x")});
        QCOMPARE(run.code, 0);
        QCOMPARE(run.out, QString());
        QCOMPARE(store::splitLines(m_cli.contentOf(QStringLiteral("文字列情報.tsv"))).first(),
                 store::toCp932(u"品名の登録,品名:そば<kanma>大盛り,,〓,,x"));

        run = m_cli.run({QStringLiteral("phrases"), QStringLiteral("show"), QStringLiteral("品名の登録")});
        QCOMPARE(run.code, 0);
        QCOMPARE(run.out, QStringLiteral("品名:そば,大盛り\n\n〓\n\nx\n"));

        run = m_cli.run({QStringLiteral("phrases"), QStringLiteral("ensure")});
        QCOMPARE(run.code, 0);
        QCOMPARE(run.out, QString());
    }
};

QTEST_GUILESS_MAIN(TestCliSettings)
#include "tst_clisettings.moc"
