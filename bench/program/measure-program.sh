#!/usr/bin/env bash
# Runs measure_program against the real program in a private X server:
#   bench/program/measure-program.sh BUILD_DIR [SECONDS]
set -euo pipefail
build=${1:-build}
seconds=${2:-60}
display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" 2>/dev/null &
xvfb_pid=$!
trap 'kill $xvfb_pid 2>/dev/null || true; rm -f "$display_file"' EXIT
for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.05; done
DISPLAY=":$(head -n1 "$display_file")" QT_QPA_PLATFORM=xcb ALSOFT_DRIVERS=${ALSOFT_DRIVERS:-null} \
  "$build/bin/measure_program" "$build/bin/zentor-demo" "$seconds"
