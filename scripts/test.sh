#!/usr/bin/env bash
# Builds Sakurabe and runs every test, with a private CUPS spooler and a
# private HOME, so no test touches this machine's printers or the user's files.
#
# --sanitize builds everything once more in build-sanitize with
# AddressSanitizer and UndefinedBehaviorSanitizer and runs every test there:
# any report fails the test it comes from.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
sanitize=0
if [ "${1:-}" = --sanitize ]; then
    sanitize=1
    shift
fi
"$root/scripts/deps.sh"

if [ $sanitize = 1 ]; then
    build=${SAKURABE_BUILD_DIR:-$root/build-sanitize}
    SAKURABE_BUILD_DIR="$build" "$root/scripts/build.sh" -DSAKURABE_WERROR=ON -DSAKURABE_SANITIZE=address,undefined
    export ASAN_OPTIONS=detect_leaks=1:check_initialization_order=1:detect_stack_use_after_return=1
    export LSAN_OPTIONS=suppressions=$root/tests/sanitizer/leaks.supp:print_suppressions=0
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
else
    build=${SAKURABE_BUILD_DIR:-$root/build}
    # The core and the command-line tool must build without QtWidgets. Both
    # builds treat every compiler warning as an error.
    SAKURABE_BUILD_DIR="$build-core" "$root/scripts/build.sh" -DSAKURABE_GUI=OFF -DSAKURABE_WERROR=ON
    echo "Widget-free core build: ok"
    "$root/scripts/build.sh" -DSAKURABE_WERROR=ON
fi

sandbox=$(mktemp -d "${TMPDIR:-/tmp}/sakurabe-test.XXXXXX")
spooler="$sandbox/spooler"
cleanup() {
    "$root/tests/spooler/spooler.sh" stop "$spooler" || true
    rm -rf "$sandbox"
}
trap cleanup EXIT
# Through a file, so that a spooler that fails to start stops the run here.
"$root/tests/spooler/spooler.sh" start "$spooler" > "$sandbox/spooler.env"
source "$sandbox/spooler.env"

mkdir -p "$sandbox/home" "$sandbox/runtime"
chmod 700 "$sandbox/runtime"
export HOME="$sandbox/home"
export XDG_RUNTIME_DIR="$sandbox/runtime"
export XDG_DATA_HOME="$sandbox/home/.local/share"
export XDG_CONFIG_HOME="$sandbox/home/.config"
export QT_QPA_PLATFORM=offscreen

cd "$build"
ctest --output-on-failure -j"$(nproc)" --timeout 300 "$@"
