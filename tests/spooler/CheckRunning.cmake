# The tests labelled "spooler" print through the private CUPS spooler that
# scripts/test.sh starts; without it they cannot run.
if("$ENV{CUPS_SERVER}" STREQUAL "" OR "$ENV{SAKURABE_TEST_SPOOL_OUT}" STREQUAL "")
    message(FATAL_ERROR
        "No test spooler is running, so the tests labelled \"spooler\" cannot run.\n"
        "Run every test with: bash scripts/test.sh\n"
        "or start one yourself: eval \"$(tests/spooler/spooler.sh start DIR)\" and run ctest again;\n"
        "ctest -LE spooler runs the others.")
endif()
if(NOT EXISTS "$ENV{CUPS_SERVER}")
    message(FATAL_ERROR "CUPS_SERVER names $ENV{CUPS_SERVER}, which does not exist: the test spooler has stopped.")
endif()
message(STATUS "test spooler at $ENV{CUPS_SERVER}")
