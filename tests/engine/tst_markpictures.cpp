#include "engine/render/markpictures.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int blackDots(const QImage &picture, const QRect &area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += qGray(picture.pixel(x, y)) < 128 ? 1 : 0;
    return count;
}

} // namespace

class TestMarkPictures : public QObject
{
    Q_OBJECT

private slots:
    // 390 x 350 twips at 305 dpi, two colours, an arrow frame round the
    // material's name.
    void writtenWhenMissing_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("plastic") << "pura.bmp";
        QTest::newRow("paper") << "kami.bmp";
    }
    void writtenWhenMissing()
    {
        QFETCH(QString, file);
        QTemporaryDir folder;
        engine::ensureMarkPictures(folder.path());
        const QString path = QDir(folder.path()).filePath(file);

        QCOMPARE(contentOf(path).left(2), QByteArray("BM"));
        const QImage picture(path, "BMP");
        QVERIFY(!picture.isNull());
        QCOMPARE(picture.size(), QSize(83, 74));
        QCOMPARE(picture.depth(), 1);
        QCOMPARE(qRound(picture.dotsPerMeterX() * 0.0254), 305);
        const int all = blackDots(picture, picture.rect());
        QVERIFY2(all > 500 && all < 83 * 74 / 2, qPrintable(QString::number(all)));
        // The frame reaches the middle of each side; the name fills the middle.
        QVERIFY(blackDots(picture, QRect(0, 30, 12, 14)) > 10);
        QVERIFY(blackDots(picture, QRect(71, 30, 12, 14)) > 10);
        QVERIFY(blackDots(picture, QRect(25, 24, 33, 26)) > 60);
        QVERIFY(QDir(folder.path()).entryList(QDir::Files).size() == 2); // no work file left
    }

    // A user's own picture stays as it is; the other one is still added.
    void userPictureKept()
    {
        QTemporaryDir folder;
        const QDir dir(folder.path());
        QFile own(dir.filePath(QStringLiteral("pura.bmp")));
        QVERIFY(own.open(QIODevice::WriteOnly));
        own.write("my own plastic mark");
        own.close();

        engine::ensureMarkPictures(folder.path());
        QCOMPARE(contentOf(dir.filePath(QStringLiteral("pura.bmp"))), QByteArray("my own plastic mark"));
        QVERIFY(!QImage(dir.filePath(QStringLiteral("kami.bmp"))).isNull());

        const QByteArray paper = contentOf(dir.filePath(QStringLiteral("kami.bmp")));
        engine::ensureMarkPictures(folder.path());
        QCOMPARE(contentOf(dir.filePath(QStringLiteral("kami.bmp"))), paper);
    }

    // A folder that cannot take the pictures leaves them missing, quietly.
    void unwritableFolderIsQuiet()
    {
        QTemporaryDir folder;
        const QString gone = QDir(folder.path()).filePath(QStringLiteral("no/such/folder"));
        engine::ensureMarkPictures(gone);
        QVERIFY(!QFile::exists(QDir(gone).filePath(QStringLiteral("pura.bmp"))));
    }

    void marksDiffer()
    {
        QVERIFY(engine::drawPlasticMark() != engine::drawPaperMark());
    }
};

QTEST_MAIN(TestMarkPictures)
#include "tst_markpictures.moc"
