#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the program and the tests need,
# but only those that are missing, so a prepared machine starts at once.
# Packages given as arguments are installed as well (scripts/fuzz.sh: clang).
set -euo pipefail
packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev qt6-translations-l10n
    libcups2-dev cups-daemon cups-client cups-filters
    fonts-ipafont-gothic
    poppler-utils zbar-tools imagemagick
    xvfb xauth
    "$@"
)
missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
