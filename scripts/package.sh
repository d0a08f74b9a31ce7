#!/usr/bin/env bash
# Builds the Debian package tellarin_<version>_amd64.deb into build/ and checks it with lintian.
# With --check it also unpacks the package into a temporary root and checks what it installs.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
tools=(lintian desktop-file-utils appstream)
missing=()
for p in "${tools[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo_cmd=()
    [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}"
fi

(cd build && cpack -G DEB >/dev/null)
deb=$(ls -t build/tellarin_*_amd64.deb | head -n 1)
echo "Package: $deb"
# Errors and warnings fail the build.
lintian --fail-on error,warning "$deb"

[ "${1:-}" = "--check" ] || exit 0
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
expected=(
    usr/bin/tellarin
    usr/share/applications/tellarin.desktop
    usr/share/icons/hicolor/scalable/apps/tellarin.svg
    usr/share/icons/hicolor/256x256/apps/tellarin.png
    usr/share/metainfo/org.tellarin.Tellarin.metainfo.xml
    usr/share/man/man1/tellarin.1.gz
    usr/share/doc/tellarin/copyright
    usr/share/doc/tellarin/changelog.gz
)
failed=0
for f in "${expected[@]}"; do
    [ -f "$root/$f" ] || { echo "missing from the package: /$f"; failed=1; }
done
version=$(env -u DISPLAY -u WAYLAND_DISPLAY "$root/usr/bin/tellarin" --version)
[ "$version" = "tellarin $(sed -n 's/^project(Tellarin VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)" ] ||
    { echo "unexpected --version: $version"; failed=1; }
# Read whole before matching: grep -q would stop reading early, and under pipefail the
# program's SIGPIPE on its second write would fail the check.
help=$(env -u DISPLAY "$root/usr/bin/tellarin" --help) || { echo "--help failed"; failed=1; }
grep -q '^  report' <<<"$help" || { echo "--help lists no report command"; failed=1; }
desktop-file-validate "$root/usr/share/applications/tellarin.desktop" || failed=1
appstreamcli validate --no-net --pedantic "$root/usr/share/metainfo/org.tellarin.Tellarin.metainfo.xml" >/dev/null ||
    { echo "metainfo does not validate"; failed=1; }
man -l "$root/usr/share/man/man1/tellarin.1.gz" >/dev/null 2>&1 || { echo "manual page does not format"; failed=1; }
if [ "$failed" -eq 0 ]; then
    echo "package check: 1 passed, 0 failed"
else
    echo "package check: 0 passed, 1 failed"
    exit 1
fi
