// A power cut or a kill in the middle of a change: a child program saves,
// deletes, restores and writes phrases and the paper form line in a loop and
// is killed at random moments. Each stored file must then hold either what it
// held before the change in hand or what the change made of it, byte for
// byte, and later changes must still go through.
//
// SAKURABE_KILL_SEED=N replays a run; a failure names its seed and round.
#include "store/backupstore.h"
#include "store/cp932.h"
#include "store/phrasebook.h"
#include "store/productfile.h"
#include "store/textfile.h"
#include "store/usersettings.h"
#include "tests/support/childprocess.h"
#include "tests/support/sampleproduct.h"

#include <QDir>
#include <QMap>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <array>
#include <csignal>
#include <unistd.h>

namespace {

constexpr int kKills = 300;
constexpr int kStepKinds = 5;
// The longest a child runs before it is killed: a few changes.
constexpr quint32 kLongestRunMicroseconds = 15000;

const QStringList kStoredFiles{QStringLiteral("商品情報.tsv"), QStringLiteral("a.bak"), QStringLiteral("b.bak"),
                               QStringLiteral("文字列情報.tsv"), QStringLiteral("user.dat")};

const QStringList kPhraseTitles{QStringLiteral("品名の登録"),     QStringLiteral("名称の登録"),
                                QStringLiteral("原材料名の登録"), QStringLiteral("保存方法の登録"),
                                QStringLiteral("備考/価格の登録")};

struct Outcome
{
    bool ok = false;
    QString message;
};

// Step `step` of the run seeded `seed`: the same change whoever makes it,
// so the test can make it again in a folder of its own.
Outcome applyStep(const QString &dir, quint32 seed, int step)
{
    const std::array<quint32, 2> seeds{seed, static_cast<quint32>(step)};
    QRandomGenerator random(seeds.data(), static_cast<qsizetype>(seeds.size()));
    const QString number = QString::number(random.bounded(1, 41)).rightJustified(4, u'0');
    const store::ProductFile products(store::productFilePaths(dir));
    switch (step % kStepKinds) {
    case 0: {
        // Names of many lengths, so that a file cut short could not pass
        // for the old one.
        const QString name = QStringLiteral("品名:弁当%1").arg(random.generate() % 100000)
                           + QString(random.bounded(0, 200), u'具');
        const auto r = products.saveRecord(testsupport::sampleProduct(number, name));
        return {r.ok, r.message};
    }
    case 1: {
        const auto r = products.deleteRecord(number);
        return {r.ok, r.message};
    }
    case 2: {
        const QString backup = random.bounded(2) ? QStringLiteral("a") : QStringLiteral("b");
        const auto r = store::BackupStore(dir + u'/').restore({backup, backup + QStringLiteral(".bak")});
        return {r.ok, r.message};
    }
    case 3: {
        store::Phrases phrases;
        for (QString &phrase : phrases)
            phrase = QString(random.bounded(0, 60), u'冷');
        const auto r = store::writePhrases(dir, kPhraseTitles.at(random.bounded(kPhraseTitles.size())), phrases);
        return {r.ok, r.message};
    }
    default: {
        const auto r = store::writePaperFormLine(dir, QString::number(random.bounded(10000)).rightJustified(4, u'0'));
        return {r.ok, r.message};
    }
    }
}

void say(const QByteArray &text)
{
    qsizetype done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(STDOUT_FILENO, text.constData() + done, static_cast<size_t>(text.size() - done));
        if (n <= 0)
            return;
        done += n;
    }
}

// The child: tells the step it is about to begin, then makes it, for ever.
int childMain(const QStringList &args)
{
    if (args.size() != 2)
        return 2;
    const quint32 seed = args.at(1).toUInt();
    for (int step = 0;; ++step) {
        say(QByteArray::number(step) + '\n');
        const Outcome outcome = applyStep(args.at(0), seed, step);
        if (!outcome.ok) {
            say("F " + outcome.message.toUtf8() + '\n');
            return 3;
        }
    }
}

using Contents = QMap<QString, QByteArray>;

Contents contentsOf(const QString &dir)
{
    Contents contents;
    for (const QString &name : kStoredFiles)
        contents.insert(name, store::readWholeFile(dir + u'/' + name).bytes);
    return contents;
}

bool putAll(const QString &dir, const Contents &contents)
{
    for (auto it = contents.begin(); it != contents.end(); ++it) {
        const QString path = dir + u'/' + it.key();
        if (!store::replaceFileContent(path, path + QStringLiteral(".w"), it.value()).ok)
            return false;
    }
    return true;
}

QByteArray productFileOf(int first, int last)
{
    QByteArray bytes = store::toCp932(store::productFileHeader()) + "\r\n";
    for (int n = first; n <= last; ++n)
        bytes += store::toCp932(testsupport::sampleProduct(QString::number(n).rightJustified(4, u'0')).recordText())
               + "\r\n";
    return bytes;
}

} // namespace

class TestKilledWriters : public QObject
{
    Q_OBJECT

private slots:
    void everyFileIsOldOrNew()
    {
        const quint32 seed = qEnvironmentVariableIsSet("SAKURABE_KILL_SEED")
                                 ? qEnvironmentVariable("SAKURABE_KILL_SEED").toUInt()
                                 : 20240305;
        qInfo("SAKURABE_KILL_SEED=%u", seed);
        QRandomGenerator random(seed);

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QVERIFY(putAll(dir.path(), {{QStringLiteral("商品情報.tsv"), productFileOf(1, 20)},
                                    {QStringLiteral("a.bak"), productFileOf(5, 15)},
                                    {QStringLiteral("b.bak"), productFileOf(10, 40)}}));
        QCOMPARE(store::createDefaultPhraseBook(dir.path()).outcome, store::EnsureOutcome::Created);
        QCOMPARE(store::ensureUserSettings(dir.path()).outcome, store::EnsureOutcome::Created);

        for (int round = 0; round < kKills; ++round) {
            const QString where = QStringLiteral("seed %1, round %2").arg(seed).arg(round);
            const Contents start = contentsOf(dir.path());
            const quint32 runSeed = random.generate();
            const quint32 runMicroseconds = random.bounded(kLongestRunMicroseconds);

            QProcess child;
            testsupport::startChild(child, {dir.path(), QString::number(runSeed)});
            QVERIFY2(child.waitForReadyRead(10000), qPrintable(where));
            QThread::usleep(runMicroseconds);
            ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
            QVERIFY2(child.waitForFinished(10000), qPrintable(where));
            const QByteArray told = child.readAllStandardOutput();
            QVERIFY2(!told.contains("F "), qPrintable(where + u' ' + QString::fromUtf8(told)));
            // Ended by the kill, not on its own (a sanitizer's report ends it too).
            QVERIFY2(child.exitStatus() == QProcess::CrashExit && child.exitCode() == SIGKILL, qPrintable(where));
            // The last step told is the one in hand: every step before it is done.
            const QList<QByteArray> lines = told.split('\n');
            QVERIFY2(told.endsWith('\n'), qPrintable(where));
            const int step = lines.at(lines.size() - 2).toInt();

            // The same changes once more, in a folder of our own, in memory
            // where there is one: it needs no disk's durability.
            QTemporaryDir replay(QDir(QStringLiteral("/dev/shm")).exists()
                                     ? QStringLiteral("/dev/shm/sakurabe-replay-XXXXXX")
                                     : QDir::tempPath() + QStringLiteral("/sakurabe-replay-XXXXXX"));
            QVERIFY(putAll(replay.path(), start));
            for (int s = 0; s < step; ++s)
                QVERIFY2(applyStep(replay.path(), runSeed, s).ok, qPrintable(where));
            const Contents before = contentsOf(replay.path());
            QVERIFY2(applyStep(replay.path(), runSeed, step).ok, qPrintable(where));
            const Contents after = contentsOf(replay.path());

            const Contents found = contentsOf(dir.path());
            for (const QString &name : kStoredFiles) {
                QVERIFY2(found[name] == before[name] || found[name] == after[name],
                         qPrintable(QStringLiteral("%1, step %2: %3 is neither the old nor the new file")
                                        .arg(where).arg(step).arg(name)));
            }

            // Whatever the killed child left behind does not stop the next
            // change of any kind, and is cleared away by it.
            const quint32 laterSeed = random.generate();
            for (int s = 0; s < kStepKinds; ++s) {
                const Outcome later = applyStep(dir.path(), laterSeed, s);
                QVERIFY2(later.ok, qPrintable(where + u' ' + later.message));
            }
            QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
            for (const QString &name : kStoredFiles)
                left.removeOne(name);
            QVERIFY2(left.isEmpty(), qPrintable(where + QStringLiteral(": left behind: ") + left.join(u' ')));
        }
    }
};

TESTSUPPORT_MAIN_WITH_CHILD(TestKilledWriters, childMain)
#include "tst_killedwriters.moc"
