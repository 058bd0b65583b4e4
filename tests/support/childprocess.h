#pragma once

#include <QCoreApplication>
#include <QProcess>
#include <QStringList>
#include <QTest>

#include <cstring>

namespace testsupport {

// Starts this test's own executable as a child process that runs the test's
// child function with `args` (see TESTSUPPORT_MAIN_WITH_CHILD). Its stdout is
// read through `process`.
inline void startChild(QProcess &process, const QStringList &args)
{
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(QCoreApplication::applicationFilePath(), QStringList{QStringLiteral("--child")} + args);
}

} // namespace testsupport

// A test whose executable is also the program of its child processes:
// started with "--child ARGS...", it returns `childMain(ARGS)` instead of
// running the test functions.
#define TESTSUPPORT_MAIN_WITH_CHILD(TestObject, childMain)                                                          \
    int main(int argc, char *argv[])                                                                                \
    {                                                                                                               \
        QCoreApplication app(argc, argv);                                                                           \
        if (argc >= 2 && std::strcmp(argv[1], "--child") == 0)                                                      \
            return childMain(app.arguments().mid(2));                                                               \
        TestObject test;                                                                                            \
        QTEST_SET_MAIN_SOURCE_PATH                                                                                  \
        return QTest::qExec(&test, argc, argv);                                                                     \
    }
