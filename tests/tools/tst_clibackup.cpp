#include "store/cp932.h"
#include "tests/support/clirunner.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTest>

using testsupport::CliRun;

namespace {

const QString kProduct = QStringLiteral("商品情報.tsv");

} // namespace

// The backup commands of the command-line tool, run as a script would run
// them, on a working folder that keeps its products on the hard disk.
class TestCliBackup : public QObject
{
    Q_OBJECT

    testsupport::CliRunner m_cli{QStringLiteral("backup")};

    QStringList listed() const
    {
        QStringList names = m_cli.run({QStringLiteral("list")}).out.split(u'\n', Qt::SkipEmptyParts);
        names.sort();
        return names;
    }

private slots:
    void init()
    {
        QVERIFY(m_cli.renewWorkDir());
        m_cli.writeUserSettings(testsupport::hardDiskUserSettings());
        m_cli.write(kProduct, store::toCp932(u"1.08\t品名\r\n0001\t品名:おにぎり\r\n"));
    }

    void createListRestoreDelete()
    {
        const CliRun created = m_cli.run({QStringLiteral("create"), QStringLiteral("2024/03/05 9:00")});
        QCOMPARE(created.code, 0);
        QCOMPARE(created.out, QStringLiteral("バックアップデータを作成しました\n2024／03／05 9：00\n"));
        const QByteArray saved = m_cli.contentOf(kProduct);
        QCOMPARE(m_cli.contentOf(QStringLiteral("2024／03／05 9：00.bak")), saved);
        QCOMPARE(listed(), QStringList{QStringLiteral("2024／03／05 9：00")});

        m_cli.write(kProduct, "changed\r\n");
        const CliRun restored = m_cli.run({QStringLiteral("restore"), QStringLiteral("2024／03／05 9：00")});
        QCOMPARE(restored.code, 0);
        QCOMPARE(restored.out, QStringLiteral("商品情報を復元しました\n"));
        QCOMPARE(m_cli.contentOf(kProduct), saved);

        const CliRun deleted = m_cli.run({QStringLiteral("delete"), QStringLiteral("2024／03／05 9：00")});
        QCOMPARE(deleted.code, 0);
        QCOMPARE(deleted.out, QStringLiteral("2024／03／05 9：00を削除しました\n"));
        QVERIFY(listed().isEmpty());
    }

    void createWithoutNameUsesTheMoment()
    {
        const CliRun created = m_cli.run({QStringLiteral("create")});
        QCOMPARE(created.code, 0);
        static const QRegularExpression name(QStringLiteral("\\n(\\d{4}年\\d\\d月\\d\\d日\\d\\d時\\d\\d分\\d\\d秒に作成の商品情報)\\n$"));
        const auto match = name.match(created.out);
        QVERIFY2(match.hasMatch(), qPrintable(created.out));
        QVERIFY(QFile::exists(m_cli.path(match.captured(1) + QStringLiteral(".bak"))));
    }

    // Two files that differ only in the case of "bak" share a listed name;
    // the tool then wants the file name and acts on that very file.
    void namesakesNeedTheFileName()
    {
        m_cli.write(QStringLiteral("old.BAK"), "upper\r\n");
        m_cli.write(QStringLiteral("old.bak"), "lower\r\n");
        QCOMPARE(listed(), (QStringList{QStringLiteral("old"), QStringLiteral("old")}));

        const CliRun ambiguous = m_cli.run({QStringLiteral("restore"), QStringLiteral("old")});
        QVERIFY(ambiguous.code != 0);
        QVERIFY(ambiguous.out.isEmpty());
        QVERIFY2(ambiguous.err.contains(QStringLiteral("old.BAK")), qPrintable(ambiguous.err));

        QCOMPARE(m_cli.run({QStringLiteral("restore"), QStringLiteral("old.BAK")}).code, 0);
        QCOMPARE(m_cli.contentOf(kProduct), QByteArray("upper\r\n"));
        QCOMPARE(m_cli.run({QStringLiteral("delete"), QStringLiteral("old.BAK")}).code, 0);
        QVERIFY(!QFile::exists(m_cli.path(QStringLiteral("old.BAK"))));
        QCOMPARE(m_cli.contentOf(QStringLiteral("old.bak")), QByteArray("lower\r\n"));
    }

    void failures_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown backup") << QStringList{QStringLiteral("restore"), QStringLiteral("none")}
                                        << QStringLiteral("「none」のバックアップデータが見当たりません");
        QTest::newRow("restore from a folder") << QStringList{QStringLiteral("restore"), QStringLiteral("dir")}
                                               << QStringLiteral("商品情報の復元に失敗しました\n");
        QTest::newRow("delete a folder") << QStringList{QStringLiteral("delete"), QStringLiteral("dir")}
                                         << QStringLiteral("バックアップデータの削除に失敗しました\n");
        QTest::newRow("empty name") << QStringList{QStringLiteral("create"), QStringLiteral("\t")}
                                    << QStringLiteral("バックアップ名を入力して下さい");
        QTest::newRow("missing name") << QStringList{QStringLiteral("delete")} << QStringLiteral("usage:");
        QTest::newRow("unknown action") << QStringList{QStringLiteral("copy")} << QStringLiteral("usage:");
    }
    void failures()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        QVERIFY(QDir(m_cli.workDir()).mkpath(QStringLiteral("dir.bak/inside")));
        const QByteArray products = m_cli.contentOf(kProduct);
        const CliRun run = m_cli.run(args);
        QVERIFY(run.code != 0);
        QVERIFY(run.out.isEmpty());
        QVERIFY2(run.err.startsWith(message), qPrintable(run.err));
        QCOMPARE(m_cli.contentOf(kProduct), products);
        QVERIFY(QFileInfo(m_cli.path(QStringLiteral("dir.bak/inside"))).isDir());
    }

    void missingProductFile()
    {
        QVERIFY(QFile::remove(m_cli.path(kProduct)));
        const CliRun run = m_cli.run({QStringLiteral("create"), QStringLiteral("a")});
        QVERIFY(run.code != 0);
        QCOMPARE(run.err, QStringLiteral("商品情報が見当たりません\n"));
        QVERIFY(listed().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCliBackup)
#include "tst_clibackup.moc"
