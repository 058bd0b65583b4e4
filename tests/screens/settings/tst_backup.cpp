#include "screens/settings/backup.h"
#include "store/productfile.h"
#include "tests/support/sampleproduct.h"
#include "tests/support/screenfixture.h"

#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using screens::Backup;

namespace {

struct BackupFixture : testsupport::ScreenFixture
{
    // A product file in the folder user.dat line 5 and the drive point to.
    explicit BackupFixture(bool usb = false)
    {
        QStringList lines{QStringLiteral("SATO T408v"), QStringLiteral("1740"), QStringLiteral("110"), QStringLiteral("しない"),
                          usb ? QStringLiteral("ＵＳＢメモリ") : QStringLiteral("ハードディスク"), QStringLiteral("0000"),
                          QStringLiteral("ソフトウェアにて生成"), QStringLiteral("1740"), QStringLiteral("20")};
        writeUserDat(lines);
        if (usb) {
            QVERIFY(QDir(work.path()).mkdir(QStringLiteral("usb")));
            drive = platform::FixedDriveFinder(path(QStringLiteral("usb/")));
        }
        dataFolder = usb ? path(QStringLiteral("usb/")) : work.path() + u'/';
        QVERIFY(products().saveRecord(testsupport::sampleProduct(QStringLiteral("0001"))).ok);
    }

    store::ProductFile products() const { return store::ProductFile(store::productFilePaths(dataFolder)); }
    QByteArray productBytes() const
    {
        QFile file(products().paths().product);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    std::unique_ptr<Backup> open()
    {
        auto screen = std::make_unique<Backup>(context());
        screen->show();
        return screen;
    }

    QString dataFolder;
};

QStringList listed(Backup *screen)
{
    QStringList names;
    auto *list = screen->findChild<QListWidget *>(QStringLiteral("List1"));
    for (int i = 0; i < list->count(); ++i)
        names.append(list->item(i)->text());
    return names;
}

void select(Backup *screen, const QString &name)
{
    auto *list = screen->findChild<QListWidget *>(QStringLiteral("List1"));
    const QList<QListWidgetItem *> found = list->findItems(name, Qt::MatchExactly);
    QCOMPARE(found.size(), 1);
    list->setCurrentItem(found.constFirst());
}

void click(Backup *screen, const char *name)
{
    QTest::mouseClick(screen->findChild<QPushButton *>(QLatin1String(name)), Qt::LeftButton);
}

QLineEdit *nameBox(Backup *screen)
{
    return screen->findChild<QLineEdit *>(QStringLiteral("Text1"));
}

} // namespace

// "商品情報バックアップ": named copies of the product file, made, deleted and
// restored in the folder user.dat line 5 and the USB memory say.
class TestBackup : public QObject
{
    Q_OBJECT

private slots:
    void createsUnderTheDefaultName_data()
    {
        QTest::addColumn<bool>("usb");
        QTest::newRow("hard disk") << false;
        QTest::newRow("USB memory") << true;
    }
    void createsUnderTheDefaultName()
    {
        QFETCH(bool, usb);
        BackupFixture f(usb);
        const auto screen = f.open();
        QCOMPARE(screen->windowTitle(), QStringLiteral("商品情報バックアップ"));
        const QString name = QStringLiteral("2024年03月05日09時07分05秒に作成の商品情報");
        QCOMPARE(nameBox(screen.get())->text(), name);
        QCOMPARE(nameBox(screen.get())->accessibleName(), QStringLiteral("バックアップ名"));
        click(screen.get(), "Command2");
        QCOMPARE(f.messages.shown(), QStringList{QStringLiteral("バックアップデータを作成しました")});
        QCOMPARE(listed(screen.get()), QStringList{name});
        QFile copy(f.dataFolder + name + QStringLiteral(".bak"));
        QVERIFY(copy.open(QIODevice::ReadOnly));
        QCOMPARE(copy.readAll(), f.productBytes());
    }

    void cleansTheName()
    {
        BackupFixture f;
        const auto screen = f.open();
        nameBox(screen.get())->setText(QStringLiteral("2024/03/05 9:00"));
        click(screen.get(), "Command2");
        QCOMPARE(nameBox(screen.get())->text(), QStringLiteral("2024／03／05 9：00"));
        QCOMPARE(listed(screen.get()), QStringList{QStringLiteral("2024／03／05 9：00")});
    }

    // Every failure the store reports is shown, never a success.
    void failedCreateIsReported()
    {
        BackupFixture f;
        QVERIFY(QFile::remove(f.products().paths().product));
        const auto screen = f.open();
        click(screen.get(), "Command2");
        QCOMPARE(f.messages.shown(), QStringList{QStringLiteral("商品情報が見当たりません")});
        QVERIFY(listed(screen.get()).isEmpty());
    }

    void deletes_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("yes") << true;
        QTest::newRow("no") << false;
    }
    void deletes()
    {
        QFETCH(bool, yes);
        BackupFixture f;
        QFile old(f.dataFolder + QStringLiteral("old.BAK"));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.close();
        const auto screen = f.open();
        QCOMPARE(listed(screen.get()), QStringList{QStringLiteral("old")});
        click(screen.get(), "Command3");
        QCOMPARE(f.messages.shown(), QStringList{QStringLiteral("削除するデータをリストから選択して下さい")});
        f.messages.clear();
        select(screen.get(), QStringLiteral("old"));
        f.messages.answerNext(yes);
        click(screen.get(), "Command3");
        QCOMPARE(f.messages.asked(), QStringList{QStringLiteral("old\rのバックアップデータを削除します。よろしいですか？")});
        QCOMPARE(QFile::exists(old.fileName()), !yes);
        QCOMPARE(f.messages.shown(), yes ? QStringList{QStringLiteral("oldを削除しました")} : QStringList{});
        QCOMPARE(listed(screen.get()).isEmpty(), yes);
    }

    void restores_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::addColumn<bool>("byDoubleClick");
        QTest::newRow("yes") << true << false;
        QTest::newRow("double click, yes") << true << true;
        QTest::newRow("no") << false << false;
    }
    void restores()
    {
        QFETCH(bool, yes);
        QFETCH(bool, byDoubleClick);
        BackupFixture f;
        const auto screen = f.open();
        nameBox(screen.get())->setText(QStringLiteral("月末"));
        click(screen.get(), "Command2");
        const QByteArray saved = f.productBytes();
        QVERIFY(f.products().saveRecord(testsupport::sampleProduct(QStringLiteral("0002"))).ok);
        const QByteArray changed = f.productBytes();
        f.messages.clear();

        auto *list = screen->findChild<QListWidget *>(QStringLiteral("List1"));
        if (!byDoubleClick) {
            click(screen.get(), "Command4");
            QCOMPARE(f.messages.shown(), QStringList{QStringLiteral("復元する為の元データをリストから選択して下さい")});
            f.messages.clear();
        }
        select(screen.get(), QStringLiteral("月末"));
        f.messages.answerNext(yes);
        if (byDoubleClick)
            emit list->itemDoubleClicked(list->currentItem());
        else
            click(screen.get(), "Command4");
        QCOMPARE(f.messages.asked(), QStringList{QStringLiteral("「月末」を読み込みます。\r"
                                                                "現在登録されている商品情報は消去されますが、よろしいですか？")});
        QCOMPARE(f.productBytes(), yes ? saved : changed);
        QCOMPARE(f.messages.shown(), yes ? QStringList{QStringLiteral("商品情報を復元しました")} : QStringList{});
        // After a restore the settings screen comes back.
        QCOMPARE(screen->isVisible(), !yes);
    }

    // A backup that cannot be read leaves the products as they are, and the
    // user is told; the screen stays.
    void refusedRestore()
    {
        BackupFixture f;
        QVERIFY(QDir(f.dataFolder).mkdir(QStringLiteral("broken.bak")));
        const QByteArray before = f.productBytes();
        const auto screen = f.open();
        select(screen.get(), QStringLiteral("broken"));
        f.messages.answerNext(true);
        click(screen.get(), "Command4");
        QCOMPARE(f.productBytes(), before);
        QCOMPARE(f.messages.shown().size(), 1);
        QVERIFY(f.messages.shown().constFirst().startsWith(QStringLiteral("商品情報の復元に失敗しました\r")));
        QVERIFY(screen->isVisible());
    }

    void backCloses()
    {
        BackupFixture f;
        const auto screen = f.open();
        click(screen.get(), "Command1");
        QVERIFY(!screen->isVisible());
    }
};

QTEST_MAIN(TestBackup)
#include "tst_backup.moc"
