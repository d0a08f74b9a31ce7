#!/usr/bin/env bash
# Builds Tellarin with its tests and runs every test through ctest.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
ctest --test-dir build --output-on-failure --parallel "$(nproc)" --timeout 300
bash scripts/package.sh --check
