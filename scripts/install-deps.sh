#!/usr/bin/env bash
# Installs the Debian 12 packages Tellarin needs to build, run and test; quick when all are present.
set -euo pipefail
packages=(
    build-essential cmake ninja-build pkg-config libxcb1-dev
    qt6-base-dev libqt6sql6-sqlite qt6-multimedia-dev libqt6multimedia6
    libgtest-dev libgmock-dev libbenchmark-dev
    sqlite3 libsqlite3-dev xvfb
    fonts-urw-base35
    mdbtools-dev libsodium-dev
    postgresql libqt6sql6-psql
    clang libclang-rt-14-dev
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo_cmd=()
    [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}"
fi
