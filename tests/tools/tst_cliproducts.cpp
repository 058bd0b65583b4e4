#include "store/cp932.h"
#include "store/productrecord.h"
#include "store/textfile.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

const QString kProduct = QStringLiteral("商品情報.tsv");

struct Run
{
    int code = -1;
    QString out;
    QString err;
};

QJsonObject sobaJson()
{
    QJsonObject o;
    for (const char *name : store::kProductFieldNames)
        o.insert(QLatin1String(name), QString());
    o[QStringLiteral("number")] = QStringLiteral("7");
    o[QStringLiteral("productName")] = QStringLiteral("品名:そば，大盛り🍜");
    o[QStringLiteral("categoryName")] = QStringLiteral("名称:そば");
    o[QStringLiteral("storage")] = QStringLiteral("保存方法:要冷蔵\r\n(10℃以下)");
    o[QStringLiteral("recycleMark")] = QStringLiteral("プラ");
    o[QStringLiteral("labelSize")] = QStringLiteral("28×38");
    o[QStringLiteral("ruledLines")] = QStringLiteral("oxo");
    return o;
}

QByteArray json(const QJsonObject &object)
{
    return QJsonDocument(object).toJson();
}

} // namespace

// The product commands of the command-line tool, run as a script would run
// them, on a working folder that keeps its products on the hard disk.
class TestCliProducts : public QObject
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

    Run cli(const QStringList &args, const QByteArray &input = {}) const
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), m_home.path());
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_home.path());
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(SAKURABE_BINARY_DIR "/tools/sakurabe-cli"),
                      QStringList{QStringLiteral("--workdir"), m_dir->path(), QStringLiteral("products")} + args);
        process.write(input);
        process.closeWriteChannel();
        if (!process.waitForFinished(30000))
            return {};
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
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
    }

    void saveShowListNextDelete()
    {
        QCOMPARE(cli({QStringLiteral("ensure")}).code, 0);
        QCOMPARE(contentOf(kProduct), store::toCp932(store::productFileHeader()) + "\r\n");
        QCOMPARE(cli({QStringLiteral("next")}).out, QStringLiteral("0001\n"));

        const Run saved = cli({QStringLiteral("save")}, json(sobaJson()));
        QCOMPARE(saved.code, 0);
        QCOMPARE(saved.out, QStringLiteral("new\n"));
        QJsonObject changed = sobaJson();
        changed[QStringLiteral("number")] = QStringLiteral("0007");
        changed[QStringLiteral("spare1")] = QStringLiteral("要加熱");
        QCOMPARE(cli({QStringLiteral("save")}, json(changed)).out, QStringLiteral("overwritten\n"));

        QCOMPARE(cli({QStringLiteral("list")}).out, QStringLiteral("0007:そば,大盛り〓\n"));
        QCOMPARE(cli({QStringLiteral("next")}).out, QStringLiteral("0008\n"));

        const Run shown = cli({QStringLiteral("show"), QStringLiteral("0007")});
        QCOMPARE(shown.code, 0);
        QVERIFY(shown.out.indexOf(QStringLiteral("\"number\"")) < shown.out.indexOf(QStringLiteral("\"ruledLines\"")));
        const QJsonObject record = QJsonDocument::fromJson(shown.out.toUtf8()).object();
        QCOMPARE(record.size(), store::kProductFieldCount);
        QCOMPARE(record.value(QStringLiteral("number")).toString(), QStringLiteral("0007"));
        QCOMPARE(record.value(QStringLiteral("productName")).toString(), QStringLiteral("品名:そば,大盛り〓"));
        QCOMPARE(record.value(QStringLiteral("storage")).toString(), QStringLiteral("保存方法:要冷蔵(10℃以下)"));
        QCOMPARE(record.value(QStringLiteral("spare1")).toString(), QStringLiteral("要加熱"));
        QCOMPARE(record.value(QStringLiteral("labelSize")).toString(), QStringLiteral("28×38"));
        QCOMPARE(record.value(QStringLiteral("ruledLines")).toString(), QStringLiteral("oxoxxxxxxxx"));

        QCOMPARE(cli({QStringLiteral("delete"), QStringLiteral("7")}).code, 0);
        QCOMPARE(cli({QStringLiteral("list")}).out, QString());
    }

    void errorsPrintNothing_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("input");
        QJsonObject zero = sobaJson();
        zero[QStringLiteral("number")] = QStringLiteral("0");
        QJsonObject size = sobaJson();
        size[QStringLiteral("labelSize")] = QStringLiteral("大ラベル");
        QJsonObject missing = sobaJson();
        missing.remove(QStringLiteral("remarks"));
        QTest::newRow("show absent") << QStringList{QStringLiteral("show"), QStringLiteral("0002")} << QByteArray();
        QTest::newRow("show not a number") << QStringList{QStringLiteral("show"), QStringLiteral("abc")} << QByteArray();
        QTest::newRow("delete absent") << QStringList{QStringLiteral("delete"), QStringLiteral("0002")} << QByteArray();
        QTest::newRow("delete 10000") << QStringList{QStringLiteral("delete"), QStringLiteral("10000")} << QByteArray();
        QTest::newRow("save number 0") << QStringList{QStringLiteral("save")} << json(zero);
        QTest::newRow("save unknown size") << QStringList{QStringLiteral("save")} << json(size);
        QTest::newRow("save missing field") << QStringList{QStringLiteral("save")} << json(missing);
        QTest::newRow("save no JSON") << QStringList{QStringLiteral("save")} << QByteArray("品名");
        QTest::newRow("unknown command") << QStringList{QStringLiteral("rename")} << QByteArray();
    }
    void errorsPrintNothing()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, input);
        const QByteArray before = store::toCp932(store::productFileHeader() + QStringLiteral("\r\n0001\t品名:おにぎり\t\r\n"));
        write(kProduct, before);
        const Run run = cli(args, input);
        QVERIFY(run.code != 0);
        QCOMPARE(run.out, QString());
        QVERIFY(!run.err.isEmpty());
        QCOMPARE(contentOf(kProduct), before);
    }

    void ensureConvertsAnOldFile()
    {
        write(kProduct, store::toCp932(u"0000\t品名\t\r\n0001\tおにぎり\t名称\t\r\n"));
        const Run run = cli({QStringLiteral("ensure")});
        QCOMPARE(run.code, 0);
        QCOMPARE(run.out, QStringLiteral("旧バージョン用の商品情報ファイルが検出されました。新バージョン用に更新して読み込みます。\n"));
        QCOMPARE(cli({QStringLiteral("list")}).out, QStringLiteral("0001:おにぎり\n"));
        QCOMPARE(cli({QStringLiteral("ensure")}).out, QString());
    }
};

QTEST_GUILESS_MAIN(TestCliProducts)
#include "tst_cliproducts.moc"
