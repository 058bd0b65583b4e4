#!/usr/bin/env bash
# Builds Sakurabe and starts it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
"$root/scripts/build.sh"
build=${SAKURABE_BUILD_DIR:-$root/build}
if [ -x "$build/app/sakurabe" ]; then
    exec "$build/app/sakurabe" "$@"
fi
exec "$build/tools/sakurabe-cli" --help
