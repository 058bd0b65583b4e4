// Four programs change one stored file at the same moment, as a shop's
// script and the program, or two workstations on a shared folder, may do.
// Nothing any of them stored may be lost, every change must report success,
// and a reader looking in meanwhile must always find a whole file.
#include "store/cp932.h"
#include "store/phrasebook.h"
#include "store/productfile.h"
#include "store/textfile.h"
#include "store/usersettings.h"
#include "tests/support/childprocess.h"
#include "tests/support/sampleproduct.h"

#include <QDeadlineTimer>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <functional>
#include <memory>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kWriters = 4;
constexpr int kChangesEach = 100;

// Writer k stores every fourth number, so that each save lands between
// the records of the others.
int numberOf(int writer, int change)
{
    return change * kWriters + writer + 1;
}

store::ProductRecord recordOf(int number)
{
    return testsupport::sampleProduct(QString::number(number).rightJustified(4, u'0'),
                                      QStringLiteral("品名:おにぎり%1号").arg(number));
}

QByteArray recordLine(int number)
{
    return store::toCp932(recordOf(number).recordText()) + "\r\n";
}

QString phraseTitle(int writer, int change)
{
    return QStringLiteral("分類%1-%2の登録").arg(writer).arg(change);
}

store::Phrases phrasesOf(int writer, int change)
{
    store::Phrases phrases;
    for (int p = 0; p < store::kPhraseCount; ++p)
        phrases[p] = QStringLiteral("定型文%1-%2-%3").arg(writer).arg(change).arg(p);
    return phrases;
}

QByteArray phraseLine(int writer, int change)
{
    QString line = phraseTitle(writer, change);
    for (const QString &phrase : phrasesOf(writer, change))
        line += u',' + phrase;
    return store::toCp932(line);
}

// Even writers save the whole settings, as the settings screen does, with
// their own printer name; odd ones switch the paper form, as the engine does.
QString printerOf(int writer, int change)
{
    return QStringLiteral("SATO_P%1-%2").arg(writer).arg(change, 3, 10, QLatin1Char('0'));
}

QString paperFormOf(int writer, int change)
{
    return QString::number(writer * 1000 + change).rightJustified(4, u'0');
}

// One child: waits for the parent's go, then makes its hundred changes.
// A failed change is written to stdout.
int childMain(const QStringList &args)
{
    if (args.size() != 3)
        return 2;
    const QString &kind = args.at(0);
    const QString &dir = args.at(1);
    const int writer = args.at(2).toInt();
    char go = 0;
    if (::read(STDIN_FILENO, &go, 1) != 1)
        return 2;
    const store::ProductFile products(store::productFilePaths(dir));
    const auto report = [](const QString &message) {
        const QByteArray text = message.toUtf8() + '\n';
        return ::write(STDOUT_FILENO, text.constData(), static_cast<size_t>(text.size())) == text.size() ? 1 : 3;
    };
    for (int i = 0; i < kChangesEach; ++i) {
        if (kind == u"products") {
            // As a script's save does: the file is made ready first.
            const auto ensured = products.ensureProductFile();
            if (!ensured.ok)
                return report(ensured.message);
            const auto saved = products.saveRecord(recordOf(numberOf(writer, i)));
            if (!saved.ok || !saved.isNew())
                return report(saved.message);
        } else if (kind == u"phrases") {
            const auto created = store::createDefaultPhraseBook(dir);
            if (created.failed())
                return report(created.message);
            const auto written = store::writePhrases(dir, phraseTitle(writer, i), phrasesOf(writer, i));
            if (!written)
                return report(written.message);
        } else if (writer % 2 == 0) {
            store::UserSettings settings = store::UserSettings::defaults();
            settings.printer = printerOf(writer, i);
            const auto written = store::writeUserSettings(dir, settings);
            if (!written)
                return report(written.message);
        } else {
            const auto written = store::writePaperFormLine(dir, paperFormOf(writer, i));
            if (!written)
                return report(written.message);
        }
    }
    return 0;
}

} // namespace

class TestConcurrentWriters : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;

    // Starts the four writers together and, until they are done, hands each
    // look at `file` to `look`.
    void runWriters(const QString &kind, const QString &file, const std::function<void(const QByteArray &)> &look)
    {
        std::vector<std::unique_ptr<QProcess>> writers;
        for (int k = 0; k < kWriters; ++k) {
            writers.push_back(std::make_unique<QProcess>());
            testsupport::startChild(*writers.back(), {kind, m_dir->path(), QString::number(k)});
        }
        for (const auto &writer : writers)
            QVERIFY(writer->waitForStarted());
        for (const auto &writer : writers)
            writer->write("g");

        const QDeadlineTimer deadline(60000);
        for (bool running = true; running && !deadline.hasExpired();) {
            const store::FileContent now = store::readWholeFile(m_dir->filePath(file));
            if (now.status == store::ReadStatus::Ok)
                look(now.bytes);
            if (QTest::currentTestFailed())
                break;
            running = false;
            for (const auto &writer : writers) {
                writer->waitForFinished(5);
                running = running || writer->state() != QProcess::NotRunning;
            }
        }
        for (const auto &writer : writers) {
            if (writer->state() != QProcess::NotRunning) {
                writer->kill();
                writer->waitForFinished();
                QFAIL("a writer did not finish within a minute");
            }
        }
        if (QTest::currentTestFailed())
            return;
        for (int k = 0; k < kWriters; ++k) {
            QProcess &writer = *writers.at(static_cast<size_t>(k));
            QVERIFY2(writer.exitStatus() == QProcess::NormalExit && writer.exitCode() == 0,
                     qPrintable(QStringLiteral("writer %1: %2").arg(k).arg(QString::fromUtf8(writer.readAllStandardOutput()))));
        }
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    // 400 saves into a product file that does not exist yet: every record
    // is there, byte for byte, in number order; no look ever misses a
    // record that an earlier look saw.
    void productSaves()
    {
        QSet<QByteArray> seen;
        runWriters(QStringLiteral("products"), QStringLiteral("商品情報.tsv"), [&](const QByteArray &bytes) {
            const QList<QByteArray> lines = bytes.split('\n');
            QVERIFY2(bytes.endsWith("\r\n"), "a look found a file cut short");
            QSet<QByteArray> now;
            for (qsizetype i = 1; i + 1 < lines.size(); ++i)
                now.insert(lines.at(i));
            QVERIFY2(now.contains(seen), "a record vanished");
            seen = now;
        });
        if (QTest::currentTestFailed())
            return;
        QByteArray expected = store::toCp932(store::productFileHeader()) + "\r\n";
        for (int number = 1; number <= kWriters * kChangesEach; ++number)
            expected += recordLine(number);
        QCOMPARE(store::readWholeFile(m_dir->filePath(QStringLiteral("商品情報.tsv"))).bytes, expected);
    }

    // 400 phrase categories written into a phrase file that four programs
    // create at once: the default lines come first and stay as they are,
    // and every category is there once, byte for byte.
    void phraseWrites()
    {
        QSet<QByteArray> seen;
        runWriters(QStringLiteral("phrases"), QStringLiteral("文字列情報.tsv"), [&](const QByteArray &bytes) {
            QVERIFY2(bytes.endsWith("\r\n"), "a look found a file cut short");
            const QList<QByteArray> lines = bytes.split('\n');
            const QSet<QByteArray> now(lines.begin(), lines.end());
            QVERIFY2(now.contains(seen), "a category vanished");
            seen = now;
        });
        if (QTest::currentTestFailed())
            return;
        const QByteArray bytes = store::readWholeFile(m_dir->filePath(QStringLiteral("文字列情報.tsv"))).bytes;
        QTemporaryDir fresh;
        QCOMPARE(store::createDefaultPhraseBook(fresh.path()).outcome, store::EnsureOutcome::Created);
        const QByteArray defaults = store::readWholeFile(fresh.filePath(QStringLiteral("文字列情報.tsv"))).bytes;
        QVERIFY(bytes.startsWith(defaults));
        QList<QByteArray> written = store::splitLines(QByteArrayView(bytes).sliced(defaults.size()));
        QList<QByteArray> expected;
        for (int k = 0; k < kWriters; ++k) {
            for (int i = 0; i < kChangesEach; ++i)
                expected.append(phraseLine(k, i));
        }
        std::sort(written.begin(), written.end());
        std::sort(expected.begin(), expected.end());
        QCOMPARE(written, expected);
    }

    // Two programs save the whole settings while two switch the paper form
    // line: every write succeeds, every look finds nine lines, and a paper
    // form switch never puts back a printer line that a later save replaced.
    void settingsWrites()
    {
        QVERIFY(!store::ensureUserSettings(m_dir->path()).failed());
        QList<int> latest(kWriters, -1);
        runWriters(QStringLiteral("settings"), QStringLiteral("user.dat"), [&](const QByteArray &bytes) {
            const QList<QByteArray> lines = store::splitLines(bytes);
            QVERIFY2(bytes.endsWith("\r\n") && lines.size() == store::kUserSettingsLineCount,
                     "a look found a file cut short");
            const QString printer = store::fromCp932(lines.first());
            for (int k = 0; k < kWriters; k += 2) {
                const QString prefix = QStringLiteral("SATO_P%1-").arg(k);
                if (!printer.startsWith(prefix))
                    continue;
                const int change = QStringView(printer).sliced(prefix.size()).toInt();
                QVERIFY2(change >= latest[k], "a settings save was undone");
                latest[k] = change;
            }
        });
        if (QTest::currentTestFailed())
            return;
        const auto settings = store::readUserSettings(m_dir->path());
        QVERIFY(settings);
        QVERIFY2(settings->printer == printerOf(0, kChangesEach - 1) || settings->printer == printerOf(2, kChangesEach - 1),
                 qPrintable(settings->printer));
        const QStringList lastForms{store::UserSettings::defaults().paperForm, paperFormOf(1, kChangesEach - 1),
                                    paperFormOf(3, kChangesEach - 1)};
        QVERIFY2(lastForms.contains(settings->paperForm), qPrintable(settings->paperForm));
    }
};

TESTSUPPORT_MAIN_WITH_CHILD(TestConcurrentWriters, childMain)
#include "tst_concurrentwriters.moc"
