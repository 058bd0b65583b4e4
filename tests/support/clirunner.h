#pragma once

#include "store/cp932.h"
#include "store/textfile.h"

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace testsupport {

// What one run of the command-line tool left behind.
struct CliRun
{
    int code = -1; // -1: did not finish in time
    QString out;
    QString err;
};

// Runs the built sakurabe-cli as a script would, on a working folder of its
// own, with HOME and the runtime folder in a temporary folder: never the real
// ones.
class CliRunner
{
public:
    // `group` ("products", ...) goes before the arguments of every run.
    explicit CliRunner(QString group = {}) : m_group(std::move(group)) { renewWorkDir(); }

    // An empty working folder in place of the last one; false when none could be made.
    bool renewWorkDir()
    {
        m_work = std::make_unique<QTemporaryDir>();
        return m_work->isValid() && m_home.isValid();
    }

    QString workDir() const { return m_work->path(); }
    QString path(const QString &name) const { return m_work->filePath(name); }
    QByteArray contentOf(const QString &name) const { return store::readWholeFile(path(name)).bytes; }

    void write(const QString &name, const QByteArray &content) const
    {
        QFile file(path(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(content), content.size());
    }

    // user.dat with these lines, as the program stores them.
    void writeUserSettings(const QStringList &lines) const
    {
        write(QStringLiteral("user.dat"), store::toCp932(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
    }

    // The folder the tool is started in; unset, the test's own.
    void startIn(const QString &folder) { m_startIn = folder; }

    // Starts the tool and returns at once, for runs side by side; `input`
    // is the tool's whole stdin.
    void start(QProcess &process, const QStringList &args, const QByteArray &input = {}) const
    {
        if (!m_startIn.isEmpty())
            process.setWorkingDirectory(m_startIn);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), m_home.path());
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_home.path());
        process.setProcessEnvironment(environment);
        QStringList all{QStringLiteral("--workdir"), workDir()};
        if (!m_group.isEmpty())
            all.append(m_group);
        process.start(QStringLiteral(SAKURABE_BINARY_DIR "/tools/sakurabe-cli"), all + args);
        process.write(input);
        process.closeWriteChannel();
    }

    // `input` is the tool's whole stdin.
    CliRun run(const QStringList &args, const QByteArray &input = {}) const
    {
        QProcess process;
        start(process, args, input);
        if (!process.waitForFinished(30000))
            return {};
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }

private:
    QString m_group;
    QString m_startIn;
    QTemporaryDir m_home;
    std::unique_ptr<QTemporaryDir> m_work;
};

// The nine lines of a user.dat that keeps the products on the hard disk, in
// the working folder.
inline QStringList hardDiskUserSettings()
{
    return {QStringLiteral("ﾌﾟﾘﾝﾀｰをお選び下さい"), QStringLiteral("1740"),  QStringLiteral("110"),
            QStringLiteral("しない"),               QStringLiteral("ハードディスク"), QStringLiteral("0000"),
            QStringLiteral("ソフトウェアにて生成"), QStringLiteral("1740"),  QStringLiteral("20")};
}

} // namespace testsupport
