#!/usr/bin/env bash
# Runs the crash tests (punching, compacting, migrating killed at random) with N kills each and
# prints what was committed, found and lost. Usage: scripts/soak.sh N [build folder]
set -euo pipefail
kills=${1:?usage: scripts/soak.sh N [build folder]}
build=${2:-build}
cd "$(dirname "$0")/.."
[ -d "$build" ] || bash scripts/build.sh
cmake --build "$build" --target tellarin_tests_store >&2
log=$(mktemp)
trap 'rm -f "$log"' EXIT
status=0
TELLARIN_CRASH_KILLS=$kills "$build/tests/tellarin_tests_store" --gtest_filter='Crash.*' >"$log" 2>&1 || status=$?
grep -E '^\[ figures  \]|^\[  (FAILED|PASSED) ' "$log" | sed 's/^\[ figures  \] //'
if [ "$status" -ne 0 ]; then
    grep -E 'Failure|random start' "$log" | head -20
fi
exit "$status"
