#include "store/cp932.h"
#include "store/productrecord.h"
#include "tests/support/clirunner.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

using testsupport::CliRun;

namespace {

const QString kProduct = QStringLiteral("商品情報.tsv");

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

    testsupport::CliRunner m_cli{QStringLiteral("products")};

private slots:
    void init()
    {
        QVERIFY(m_cli.renewWorkDir());
        m_cli.writeUserSettings(testsupport::hardDiskUserSettings());
    }

    void saveShowListNextDelete()
    {
        QCOMPARE(m_cli.run({QStringLiteral("ensure")}).code, 0);
        QCOMPARE(m_cli.contentOf(kProduct), store::toCp932(store::productFileHeader()) + "\r\n");
        QCOMPARE(m_cli.run({QStringLiteral("next")}).out, QStringLiteral("0001\n"));

        const CliRun saved = m_cli.run({QStringLiteral("save")}, json(sobaJson()));
        QCOMPARE(saved.code, 0);
        QCOMPARE(saved.out, QStringLiteral("new\n"));
        QJsonObject changed = sobaJson();
        changed[QStringLiteral("number")] = QStringLiteral("0007");
        changed[QStringLiteral("spare1")] = QStringLiteral("要加熱");
        QCOMPARE(m_cli.run({QStringLiteral("save")}, json(changed)).out, QStringLiteral("overwritten\n"));

        QCOMPARE(m_cli.run({QStringLiteral("list")}).out, QStringLiteral("0007:そば,大盛り〓\n"));
        QCOMPARE(m_cli.run({QStringLiteral("next")}).out, QStringLiteral("0008\n"));

        const CliRun shown = m_cli.run({QStringLiteral("show"), QStringLiteral("0007")});
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

        QCOMPARE(m_cli.run({QStringLiteral("delete"), QStringLiteral("7")}).code, 0);
        QCOMPARE(m_cli.run({QStringLiteral("list")}).out, QString());
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
        m_cli.write(kProduct, before);
        const CliRun run = m_cli.run(args, input);
        QVERIFY(run.code != 0);
        QCOMPARE(run.out, QString());
        QVERIFY(!run.err.isEmpty());
        QCOMPARE(m_cli.contentOf(kProduct), before);
    }

    void ensureConvertsAnOldFile()
    {
        m_cli.write(kProduct, store::toCp932(u"0000\t品名\t\r\n0001\tおにぎり\t名称\t\r\n"));
        const CliRun run = m_cli.run({QStringLiteral("ensure")});
        QCOMPARE(run.code, 0);
        QCOMPARE(run.out, QStringLiteral("旧バージョン用の商品情報ファイルが検出されました。新バージョン用に更新して読み込みます。\n"));
        QCOMPARE(m_cli.run({QStringLiteral("list")}).out, QStringLiteral("0001:おにぎり\n"));
        QCOMPARE(m_cli.run({QStringLiteral("ensure")}).out, QString());
    }
};

QTEST_GUILESS_MAIN(TestCliProducts)
#include "tst_cliproducts.moc"
