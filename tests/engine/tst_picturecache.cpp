#include "engine/render/picturecache.h"

#include "store/textfile.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {

QByteArray bmpOf(const QColor &colour)
{
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

} // namespace

class TestPictureCache : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    void put(const QString &name, const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(name);
        QVERIFY(store::replaceFileContent(path, path + QStringLiteral(".w"), bytes).ok);
    }

private slots:
    // Label after label the very same image: a PDF then holds it once.
    void oneImageForEveryLabel()
    {
        put(QStringLiteral("pura.bmp"), bmpOf(Qt::black));
        engine::PictureCache cache;
        const qint64 first = cache.picture(m_dir.path(), QStringLiteral("pura.bmp")).cacheKey();
        QVERIFY(!cache.picture(m_dir.path(), QStringLiteral("pura.bmp")).isNull());
        QCOMPARE(cache.picture(m_dir.path(), QStringLiteral("pura.bmp")).cacheKey(), first);
    }

    // A label picture registered anew is drawn from the next label on, and
    // one removed is drawn no more.
    void changedFileIsReadAgain()
    {
        put(QStringLiteral("0001.bmp"), bmpOf(Qt::black));
        engine::PictureCache cache;
        QCOMPARE(cache.picture(m_dir.path(), QStringLiteral("0001.bmp")).pixelColor(0, 0), QColor(Qt::black));
        put(QStringLiteral("0001.bmp"), bmpOf(Qt::white));
        QCOMPARE(cache.picture(m_dir.path(), QStringLiteral("0001.bmp")).pixelColor(0, 0), QColor(Qt::white));
        QVERIFY(QFile::remove(m_dir.filePath(QStringLiteral("0001.bmp"))));
        QVERIFY(cache.picture(m_dir.path(), QStringLiteral("0001.bmp")).isNull());
    }

    // Only ordinary files are read: a pipe under a picture's name would
    // keep the label waiting for ever.
    void onlyOrdinaryFiles()
    {
        QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("kami.bmp")));
        QCOMPARE(::mkfifo(QFile::encodeName(m_dir.filePath(QStringLiteral("pipe.bmp"))).constData(), 0600), 0);
        engine::PictureCache cache;
        QVERIFY(cache.picture(m_dir.path(), QStringLiteral("kami.bmp")).isNull());
        QVERIFY(cache.picture(m_dir.path(), QStringLiteral("pipe.bmp")).isNull());
    }
};

QTEST_GUILESS_MAIN(TestPictureCache)
#include "tst_picturecache.moc"
