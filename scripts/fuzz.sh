#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (address and undefined-behaviour sanitizers) in build-fuzz
# and runs each for SECONDS (default 20) from a copy of its seed corpus; stops at the first finding.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-20}"
jobs="${FUZZ_JOBS:-$(nproc)}"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DTELLARIN_BUILD_FUZZ=ON -DTELLARIN_BUILD_TESTS=OFF -DTELLARIN_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build build-fuzz --target fuzz_targets --parallel "$jobs"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}"
for corpus in fuzz/corpus/*/; do
    target="$(basename "$corpus")"
    work="build-fuzz/corpus/$target"
    mkdir -p "$work" "build-fuzz/findings/$target"
    cp -n "$corpus"* "$work/" 2>/dev/null || true
    echo "== $target: $seconds s"
    log="build-fuzz/findings/$target.log"
    status=0
    "build-fuzz/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="$PWD/build-fuzz/findings/$target/" -print_final_stats=1 "$work" >"$log" 2>&1 || status=$?
    grep -E "stat::number_of_executed_units|ERROR|SUMMARY|Test unit written" "$log" || true
    # A finding stops the fuzzer with a failure and leaves its input behind.
    if [ "$status" -ne 0 ]; then
        echo "fuzz: $target found a problem (exit $status); see $log and build-fuzz/findings/$target/" >&2
        exit 1
    fi
done
