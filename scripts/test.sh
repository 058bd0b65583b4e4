#!/usr/bin/env bash
# Builds Sakurabe and runs every test, with a private CUPS spooler and a
# private HOME, so no test touches this machine's printers or the user's files.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${SAKURABE_BUILD_DIR:-$root/build}
"$root/scripts/deps.sh"

# The core and the command-line tool must build without QtWidgets. Both
# builds treat every compiler warning as an error.
SAKURABE_BUILD_DIR="$build-core" "$root/scripts/build.sh" -DSAKURABE_GUI=OFF -DSAKURABE_WERROR=ON
echo "Widget-free core build: ok"
"$root/scripts/build.sh" -DSAKURABE_WERROR=ON

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
