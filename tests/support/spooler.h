#pragma once

#include <QtGlobal>

namespace testsupport {

// Whether the private test spooler of tests/spooler/spooler.sh is running,
// as scripts/test.sh starts it. A test that prints through it checks this
// in initTestCase; the test list then marks it "spooler".
inline bool spoolerRunning()
{
    return !qEnvironmentVariableIsEmpty("CUPS_SERVER") && !qEnvironmentVariableIsEmpty("SAKURABE_TEST_SPOOL_OUT");
}

inline constexpr char kNoSpooler[] = "no test spooler: run through scripts/test.sh";

} // namespace testsupport
