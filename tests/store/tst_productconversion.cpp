#include "store/cp932.h"
#include "store/productconversion.h"
#include "store/productfile.h"
#include "store/textfile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray cp(const QString &text)
{
    return store::toCp932(text);
}

// An old line: every cell closed by a TAB, as the older program wrote them.
QByteArray oldLine(const QStringList &cells)
{
    QByteArray line;
    for (const QString &cell : cells)
        line += cp(cell) + '\t';
    return line;
}

QStringList zarusoba()
{
    return {QStringLiteral("0001"), QStringLiteral("ざるそば"), QStringLiteral("そば"), QStringLiteral("小麦粉、そば粉"),
            QStringLiteral("200"), QStringLiteral("ｇ"), QStringLiteral("消費期限"), QStringLiteral("YYYY年MM月DD日"),
            QStringLiteral("3"), QString(), QStringLiteral("要冷蔵"), QStringLiteral("(10℃以下)"),
            QStringLiteral("製造者"), QStringLiteral("株式会社さくら食品"), QStringLiteral("東京都千代田区1-1"),
            QStringLiteral("TEL 03-0000-0000"), QStringLiteral("要加熱"), QStringLiteral("4901234567894"),
            QStringLiteral("プラ"), QStringLiteral("容器"), QString(), QStringLiteral("大ラベル")};
}

const QString kZarusobaConverted = QStringLiteral(
    "0001\t品名:ざるそば\t名称:そば\t原材料名:小麦粉、そば粉\t内容量:200\tｇ\t消費期限:\tYYYY年MM月DD日\t3\t\t"
    "保存方法:要冷蔵(10℃以下)\t\t\t製造者:株式会社さくら食品 東京都千代田区1-1 TEL 03-0000-0000\t要加熱\t\t"
    "4901234567894\tプラ\t容器\t\t65×45(タテ)\txxxxxxxxxxx");

QStringList with(QStringList cells, int oldCell, const QString &value)
{
    cells[oldCell - 1] = value;
    return cells;
}

QString convertedWith(int newCell, const QString &value)
{
    QStringList cells = kZarusobaConverted.split(u'\t');
    cells[newCell] = value;
    return cells.join(u'\t');
}

} // namespace

class TestProductConversion : public QObject
{
    Q_OBJECT

private slots:
    void oldLineToNewLine_data()
    {
        QTest::addColumn<QByteArray>("old");
        QTest::addColumn<QByteArray>("converted");
        const QStringList z = zarusoba();
        QTest::newRow("whole record") << oldLine(z) << cp(kZarusobaConverted);
        QTest::newRow("<e> drops the caption") << oldLine(with(z, 2, QStringLiteral("<e>特製ざるそば")))
                                               << cp(convertedWith(1, QStringLiteral("特製ざるそば")));
        QTest::newRow("<m> keeps the value") << oldLine(with(z, 3, QStringLiteral("<m>麺類")))
                                             << cp(convertedWith(2, QStringLiteral("<m>麺類")));
        QTest::newRow("storage with <e>") << oldLine(with(z, 11, QStringLiteral("<e>冷凍")))
                                          << cp(convertedWith(10, QStringLiteral("冷凍(10℃以下)")));
        QTest::newRow("expiry title <e>") << oldLine(with(z, 7, QStringLiteral("<e>賞味期限")))
                                          << cp(convertedWith(6, QStringLiteral("賞味期限")));
        QTest::newRow("expiry title <m>") << oldLine(with(z, 7, QStringLiteral("<m>期限")))
                                          << cp(convertedWith(6, QStringLiteral("<m>期限")));
        QTest::newRow("expiry not shown") << oldLine(with(z, 7, QStringLiteral("表示しない")))
                                          << cp(convertedWith(6, QStringLiteral("表示しない")));
        QTest::newRow("small label") << oldLine(with(z, 22, QStringLiteral("小ラベル")))
                                     << cp(convertedWith(20, QStringLiteral("28×38")));
        QTest::newRow("only exactly 小ラベル is small") << oldLine(with(z, 22, QStringLiteral("小ラベル ")))
                                                       << cp(kZarusobaConverted);
        QTest::newRow("cells after 22 follow") << oldLine(z + QStringList{QStringLiteral("余り")})
                                               << cp(kZarusobaConverted).replace("xxxxxxxxxxx", cp(QStringLiteral("余り\txxxxxxxxxxx")));
        QTest::newRow("text after the last TAB is dropped")
            << cp(QStringLiteral("0002\tかけそば\t途中まで")) << cp(QStringLiteral("0002\t品名:かけそば\txxxxxxxxxxx"));
        QTest::newRow("leading blanks skipped") << cp(QStringLiteral("  0003\tもり\t"))
                                                << cp(QStringLiteral("0003\t品名:もり\txxxxxxxxxxx"));
        QTest::newRow("broken bytes kept") << QByteArray("0004\t\x82\x20\t") << "0004\t" + cp(QStringLiteral("品名:")) + "\x82\x20\txxxxxxxxxxx";
        QTest::newRow("no TAB") << cp(QStringLiteral("メモ")) << QByteArray("xxxxxxxxxxx");
        QTest::newRow("old header") << cp(QStringLiteral("0000\t品名\t名称\t")) << cp(store::productFileHeader());
    }
    void oldLineToNewLine()
    {
        QFETCH(QByteArray, old);
        QFETCH(QByteArray, converted);
        QCOMPARE(store::fromCp932(store::convertOldLine(old)), store::fromCp932(converted));
        QCOMPARE(store::convertOldLine(old), converted);
    }

    // The registration screen opens on an old file: the user is told first,
    // then the file is rewritten once.
    void oldFileIsConvertedOnce()
    {
        const QByteArray old = cp(QStringLiteral("0000\t品名\t名称\t原材料\t\r\n")) + oldLine(zarusoba()) + "\r\n"
                               + oldLine(with(with(zarusoba(), 1, QStringLiteral("0002")), 2, QStringLiteral("<m>メモ"))) + "\r\n"
                               + cp(QStringLiteral("そば\t\r\n")) // 14 characters once converted: dropped
                               + "123\t\r\n"                      // 15: kept
                               + "\r\n";
        QTemporaryDir dir;
        const store::ProductFile file(store::productFilePaths(dir.path()));
        QFile f(file.paths().product);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(old);
        f.close();

        QStringList notices;
        const auto first = file.ensureProductFile([&](const QString &notice) {
            QCOMPARE(store::readWholeFile(file.paths().product).bytes, old); // not yet changed
            notices << notice;
        });
        QVERIFY(first.ok);
        QVERIFY(first.converted);
        QCOMPARE(notices, QStringList{QStringLiteral(
                              "旧バージョン用の商品情報ファイルが検出されました。新バージョン用に更新して読み込みます。")});

        const QByteArray expected = cp(store::productFileHeader()) + "\r\n" + cp(kZarusobaConverted) + "\r\n"
                                    + cp(convertedWith(1, QStringLiteral("<m>メモ")).replace(0, 4, QStringLiteral("0002")))
                                    + "\r\n" + "123\txxxxxxxxxxx\r\n";
        const QByteArray converted = store::readWholeFile(file.paths().product).bytes;
        QCOMPARE(store::fromCp932(converted), store::fromCp932(expected));

        const auto record = store::ProductRecord::fromRecordText(*file.findRecord(u"0001").recordText);
        QCOMPARE(record->responsible, QStringLiteral("製造者:株式会社さくら食品 東京都千代田区1-1 TEL 03-0000-0000"));
        QCOMPARE(record->spare3, QStringLiteral("要加熱"));
        QCOMPARE(record->labelSize, QStringLiteral("65×45(タテ)"));
        QCOMPARE(record->ruledLines, QStringLiteral("xxxxxxxxxxx"));
        QCOMPARE(file.listEntries().entries,
                 (QStringList{QStringLiteral("0001:ざるそば"), QStringLiteral("0002:メモ")}));

        const auto second = file.ensureProductFile([&](const QString &notice) { notices << notice; });
        QVERIFY(second.ok);
        QVERIFY(!second.converted);
        QCOMPARE(notices.size(), 1);
        QCOMPARE(store::readWholeFile(file.paths().product).bytes, converted);
    }
};

QTEST_GUILESS_MAIN(TestProductConversion)
#include "tst_productconversion.moc"
