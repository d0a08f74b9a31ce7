#!/usr/bin/env bash
# Builds Tellarin and starts it; extra arguments go to the program (e.g. --program-folder DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
exec ./build/app/tellarin "$@"
