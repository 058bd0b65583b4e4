#include "store/backupstore.h"
#include "store/cp932.h"
#include "store/filelock.h"
#include "store/phrasebook.h"
#include "store/productfile.h"
#include "store/textfile.h"
#include "store/usersettings.h"
#include "tests/support/childprocess.h"
#include "tests/support/sampleproduct.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace std::chrono_literals;

namespace {

// A short wait, so that a refusal is seen at once.
constexpr std::chrono::milliseconds kShortWait = 30ms;

const QString kProductLock = QStringLiteral("商品情報.lock");

struct Outcome
{
    bool ok = false;
    QString message;
};

// One writer of every stored file, run on the folder `dir` (working folder
// and data folder alike).
Outcome runWriter(const QString &writer, const QString &dir, std::chrono::milliseconds wait)
{
    const store::ProductFile products(store::productFilePaths(dir), wait);
    const store::BackupStore backups(dir + u'/', wait);
    const auto result = [](const auto &r) { return Outcome{r.ok, r.message}; };
    const auto ensured = [](const store::EnsureResult &r) { return Outcome{!r.failed(), r.message}; };
    if (writer == u"save")
        return result(products.saveRecord(testsupport::sampleProduct(QStringLiteral("0002"))));
    if (writer == u"delete")
        return result(products.deleteRecord(u"0001"));
    if (writer == u"create" || writer == u"convert")
        return result(products.ensureProductFile());
    if (writer == u"restore")
        return result(backups.restore({QStringLiteral("old"), QStringLiteral("old.bak")}));
    if (writer == u"backup")
        return result(backups.create(u"new"));
    if (writer == u"remove backup")
        return result(backups.remove({QStringLiteral("old"), QStringLiteral("old.bak")}));
    if (writer == u"phrases")
        return result(store::writePhrases(dir, u"品名の登録", {QStringLiteral("天丼")}, wait));
    if (writer == u"default phrases")
        return ensured(store::createDefaultPhraseBook(dir, wait));
    if (writer == u"settings")
        return result(store::writeUserSettings(dir, store::UserSettings::defaults(), wait));
    if (writer == u"complete settings")
        return ensured(store::ensureUserSettings(dir, wait));
    if (writer == u"paper form")
        return result(store::writePaperFormLine(dir, QStringLiteral("0514"), wait));
    return {false, QStringLiteral("no such writer")};
}

QMap<QString, QByteArray> contentsOf(const QString &dir)
{
    QMap<QString, QByteArray> files;
    const QStringList names = QDir(dir).entryList(QDir::Files | QDir::Hidden);
    for (const QString &name : names)
        files.insert(name, store::readWholeFile(dir + u'/' + name).bytes);
    return files;
}

void put(const QString &path, const QByteArray &bytes)
{
    QVERIFY(store::replaceFileContent(path, path + QStringLiteral(".w"), bytes).ok);
}

// Holds the lock given as the argument until the parent kills it.
int childMain(const QStringList &args)
{
    if (args.size() != 2 || args.first() != u"hold")
        return 2;
    const store::FileLock lock(args.at(1));
    if (!lock.held())
        return 1;
    if (::write(STDOUT_FILENO, "held\n", 5) != 5)
        return 1;
    for (;;)
        ::pause();
}

} // namespace

class TestFileLock : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;

    QString path(const QString &name) const { return m_dir->filePath(name); }

    // Every stored file, as a shop has them.
    void prepareFolder(const QString &writer) const
    {
        const store::ProductRecord first = testsupport::sampleProduct();
        const QByteArray products = store::toCp932(store::productFileHeader() + QStringLiteral("\r\n")
                                                   + first.recordText() + QStringLiteral("\r\n"));
        if (writer == u"convert")
            put(path(QStringLiteral("商品情報.tsv")), "0000\tx\r\n0001\t\x82\xa0\tb\tc\td\te\tf\tg\th\r\n");
        else if (writer != u"create")
            put(path(QStringLiteral("商品情報.tsv")), products);
        put(path(QStringLiteral("old.bak")), store::toCp932(store::productFileHeader() + QStringLiteral("\r\n")));
        if (writer != u"default phrases")
            QCOMPARE(store::createDefaultPhraseBook(m_dir->path()).outcome, store::EnsureOutcome::Created);
        store::UserSettings settings = store::UserSettings::defaults();
        settings.dataLocation = store::kLocationHardDisk.toString();
        if (writer == u"complete settings")
            put(path(QStringLiteral("user.dat")), store::toCp932(QStringLiteral("ﾌﾟﾘﾝﾀｰをお選び下さい\r\n")));
        else
            QVERIFY(store::writeUserSettings(m_dir->path(), settings).ok);
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    void busyRefusalIsOneSentence()
    {
        QCOMPARE(store::busyMessage(u"商品情報"),
                 QStringLiteral("他の処理が商品情報を更新中です。しばらくしてから、もう一度お試し下さい"));
        QCOMPARE(store::kLockWait, 10s);
    }

    // While another program holds a file's lock, every change of that file
    // waits, is refused with the message and writes nothing at all.
    void everyWriterWaitsForTheLock_data()
    {
        QTest::addColumn<QString>("writer");
        QTest::addColumn<QString>("lock");
        QTest::addColumn<QString>("message");
        const QString products = QStringLiteral("他の処理が商品情報を更新中です。しばらくしてから、もう一度お試し下さい");
        const QString phrases = QStringLiteral("他の処理が文字列情報を更新中です。しばらくしてから、もう一度お試し下さい");
        const QString settings = QStringLiteral("他の処理が印刷設定情報を更新中です。しばらくしてから、もう一度お試し下さい");
        const QString backups = QStringLiteral("他の処理がバックアップデータを更新中です。しばらくしてから、もう一度お試し下さい");
        QTest::newRow("product save") << QStringLiteral("save") << kProductLock << products;
        QTest::newRow("product delete") << QStringLiteral("delete") << kProductLock << products;
        QTest::newRow("product file creation") << QStringLiteral("create") << kProductLock << products;
        QTest::newRow("old-version conversion") << QStringLiteral("convert") << kProductLock << products;
        QTest::newRow("restore") << QStringLiteral("restore") << kProductLock << products;
        QTest::newRow("backup") << QStringLiteral("backup") << QStringLiteral("new.bak.lock") << backups;
        QTest::newRow("backup removal") << QStringLiteral("remove backup") << QStringLiteral("old.bak.lock") << backups;
        QTest::newRow("phrase write") << QStringLiteral("phrases") << QStringLiteral("文字列情報.lock") << phrases;
        QTest::newRow("phrase file creation") << QStringLiteral("default phrases") << QStringLiteral("文字列情報.lock") << phrases;
        QTest::newRow("settings save") << QStringLiteral("settings") << QStringLiteral("user.lock") << settings;
        QTest::newRow("settings completion") << QStringLiteral("complete settings") << QStringLiteral("user.lock") << settings;
        QTest::newRow("paper form line") << QStringLiteral("paper form") << QStringLiteral("user.lock") << settings;
    }
    void everyWriterWaitsForTheLock()
    {
        QFETCH(QString, writer);
        QFETCH(QString, lock);
        QFETCH(QString, message);
        prepareFolder(writer);
        const store::FileLock other(path(lock));
        QVERIFY(other.held());
        const auto before = contentsOf(m_dir->path());

        const Outcome outcome = runWriter(writer, m_dir->path(), kShortWait);
        QVERIFY(!outcome.ok);
        QCOMPARE(outcome.message, message);
        QCOMPARE(contentsOf(m_dir->path()), before);
    }

    // Once the lock is free, the same change goes through and leaves no
    // lock file behind.
    void writerTakesAFreeLock_data() { everyWriterWaitsForTheLock_data(); }
    void writerTakesAFreeLock()
    {
        QFETCH(QString, writer);
        QFETCH(QString, lock);
        prepareFolder(writer);
        const auto before = contentsOf(m_dir->path());
        const Outcome outcome = runWriter(writer, m_dir->path(), kShortWait);
        QVERIFY2(outcome.ok, qPrintable(outcome.message));
        QVERIFY(contentsOf(m_dir->path()) != before);
        QVERIFY(!QFile::exists(path(lock)));
    }

    // A lock file left behind by a program that died is taken over; one
    // whose owner may still be filling it in is not.
    void leftLockFiles_data()
    {
        QTest::addColumn<QString>("left");
        QTest::addColumn<bool>("taken");
        QTest::newRow("writer killed holding it") << QStringLiteral("killed") << true;
        QTest::newRow("killed before writing its name") << QStringLiteral("empty, old") << true;
        QTest::newRow("owner still writing its name") << QStringLiteral("empty, new") << false;
        QTest::newRow("empty but held open") << QStringLiteral("empty, old, held") << false;
    }
    void leftLockFiles()
    {
        QFETCH(QString, left);
        QFETCH(bool, taken);
        prepareFolder(QStringLiteral("save"));
        const QString lock = path(kProductLock);
        int heldOpen = -1;
        if (left == u"killed") {
            QProcess child;
            testsupport::startChild(child, {QStringLiteral("hold"), lock});
            QVERIFY(child.waitForReadyRead(10000));
            QCOMPARE(child.readAll(), QByteArray("held\n"));
            ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
            QVERIFY(child.waitForFinished(10000));
        } else {
            put(lock, {});
            if (left.contains(u"old")) {
                const timespec times[2] = {{0, UTIME_OMIT}, {::time(nullptr) - 5, 0}};
                QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(lock).constData(), times, 0), 0);
            }
            if (left.contains(u"held")) {
                heldOpen = ::open(QFile::encodeName(lock).constData(), O_RDONLY | O_CLOEXEC);
                QCOMPARE(::flock(heldOpen, LOCK_EX | LOCK_NB), 0);
            }
        }
        QVERIFY(QFile::exists(lock));

        const Outcome outcome = runWriter(QStringLiteral("save"), m_dir->path(), taken ? 5s : kShortWait);
        if (heldOpen >= 0)
            ::close(heldOpen);
        QCOMPARE(outcome.ok, taken);
        QCOMPARE(QFile::exists(lock), !taken);
    }
};

TESTSUPPORT_MAIN_WITH_CHILD(TestFileLock, childMain)
#include "tst_filelock.moc"
