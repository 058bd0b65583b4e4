#include "store/cp932.h"
#include "store/textfile.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kProduct = QStringLiteral("商品情報.tsv");

struct Run
{
    int code = -1;
    QString out;
    QString err;
};

} // namespace

// The backup commands of the command-line tool, run as a script would run
// them, on a working folder that keeps its products on the hard disk.
class TestCliBackup : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QTemporaryDir m_home; // HOME and the runtime folder of the tool: never the real ones

    QString path(const QString &name) const { return m_dir->filePath(name); }
    QByteArray contentOf(const QString &name) const { return store::readWholeFile(path(name)).bytes; }

    void write(const QString &name, const QByteArray &content) const
    {
        QFile file(path(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(content), content.size());
    }

    Run cli(const QStringList &args) const
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), m_home.path());
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_home.path());
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(SAKURABE_BINARY_DIR "/tools/sakurabe-cli"),
                      QStringList{QStringLiteral("--workdir"), m_dir->path()} + args);
        if (!process.waitForFinished(30000))
            return {};
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }

    QStringList listed() const
    {
        QStringList names = cli({QStringLiteral("backup"), QStringLiteral("list")}).out.split(u'\n', Qt::SkipEmptyParts);
        names.sort();
        return names;
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        const QStringList settings{QStringLiteral("ﾌﾟﾘﾝﾀｰをお選び下さい"), QStringLiteral("1740"), QStringLiteral("110"),
                                   QStringLiteral("しない"), QStringLiteral("ハードディスク"), QStringLiteral("0000"),
                                   QStringLiteral("ソフトウェアにて生成"), QStringLiteral("1740"), QStringLiteral("20")};
        write(QStringLiteral("user.dat"), store::toCp932(settings.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
        write(kProduct, store::toCp932(u"1.08\t品名\r\n0001\t品名:おにぎり\r\n"));
    }

    void createListRestoreDelete()
    {
        const Run created = cli({QStringLiteral("backup"), QStringLiteral("create"), QStringLiteral("2024/03/05 9:00")});
        QCOMPARE(created.code, 0);
        QCOMPARE(created.out, QStringLiteral("バックアップデータを作成しました\n2024／03／05 9：00\n"));
        const QByteArray saved = contentOf(kProduct);
        QCOMPARE(contentOf(QStringLiteral("2024／03／05 9：00.bak")), saved);
        QCOMPARE(listed(), QStringList{QStringLiteral("2024／03／05 9：00")});

        write(kProduct, "changed\r\n");
        const Run restored = cli({QStringLiteral("backup"), QStringLiteral("restore"), QStringLiteral("2024／03／05 9：00")});
        QCOMPARE(restored.code, 0);
        QCOMPARE(restored.out, QStringLiteral("商品情報を復元しました\n"));
        QCOMPARE(contentOf(kProduct), saved);

        const Run deleted = cli({QStringLiteral("backup"), QStringLiteral("delete"), QStringLiteral("2024／03／05 9：00")});
        QCOMPARE(deleted.code, 0);
        QCOMPARE(deleted.out, QStringLiteral("2024／03／05 9：00を削除しました\n"));
        QVERIFY(listed().isEmpty());
    }

    void createWithoutNameUsesTheMoment()
    {
        const Run created = cli({QStringLiteral("backup"), QStringLiteral("create")});
        QCOMPARE(created.code, 0);
        static const QRegularExpression name(QStringLiteral("\\n(\\d{4}年\\d\\d月\\d\\d日\\d\\d時\\d\\d分\\d\\d秒に作成の商品情報)\\n$"));
        const auto match = name.match(created.out);
        QVERIFY2(match.hasMatch(), qPrintable(created.out));
        QVERIFY(QFile::exists(path(match.captured(1) + QStringLiteral(".bak"))));
    }

    // Two files that differ only in the case of "bak" share a listed name;
    // the tool then wants the file name and acts on that very file.
    void namesakesNeedTheFileName()
    {
        write(QStringLiteral("old.BAK"), "upper\r\n");
        write(QStringLiteral("old.bak"), "lower\r\n");
        QCOMPARE(listed(), (QStringList{QStringLiteral("old"), QStringLiteral("old")}));

        const Run ambiguous = cli({QStringLiteral("backup"), QStringLiteral("restore"), QStringLiteral("old")});
        QVERIFY(ambiguous.code != 0);
        QVERIFY(ambiguous.out.isEmpty());
        QVERIFY2(ambiguous.err.contains(QStringLiteral("old.BAK")), qPrintable(ambiguous.err));

        QCOMPARE(cli({QStringLiteral("backup"), QStringLiteral("restore"), QStringLiteral("old.BAK")}).code, 0);
        QCOMPARE(contentOf(kProduct), QByteArray("upper\r\n"));
        QCOMPARE(cli({QStringLiteral("backup"), QStringLiteral("delete"), QStringLiteral("old.BAK")}).code, 0);
        QVERIFY(!QFile::exists(path(QStringLiteral("old.BAK"))));
        QCOMPARE(contentOf(QStringLiteral("old.bak")), QByteArray("lower\r\n"));
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
        QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("dir.bak/inside")));
        const QByteArray products = contentOf(kProduct);
        const Run run = cli(QStringList{QStringLiteral("backup")} + args);
        QVERIFY(run.code != 0);
        QVERIFY(run.out.isEmpty());
        QVERIFY2(run.err.startsWith(message), qPrintable(run.err));
        QCOMPARE(contentOf(kProduct), products);
        QVERIFY(QFileInfo(path(QStringLiteral("dir.bak/inside"))).isDir());
    }

    void missingProductFile()
    {
        QVERIFY(QFile::remove(path(kProduct)));
        const Run run = cli({QStringLiteral("backup"), QStringLiteral("create"), QStringLiteral("a")});
        QVERIFY(run.code != 0);
        QCOMPARE(run.err, QStringLiteral("商品情報が見当たりません\n"));
        QVERIFY(listed().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCliBackup)
#include "tst_clibackup.moc"
