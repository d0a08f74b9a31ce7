#!/bin/sh
# Runs a test program on a bare X server of its own (no window manager), as a kiosk runs.
# Usage: run-under-xvfb.sh PROGRAM [ARGS...]
set -eu
fifo_dir=$(mktemp -d)
trap 'kill "$xvfb" 2>/dev/null || true; rm -rf "$fifo_dir"' EXIT
mkfifo "$fifo_dir/display"
# -displayfd picks a free display number and writes it once the server accepts clients.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo_dir/display" 2>/dev/null &
xvfb=$!
read -r number <"$fifo_dir/display"
TELLARIN_TEST_DISPLAY=":$number" "$@"
