#!/usr/bin/env bash
# Runs the end-to-end test in a private X server: Xvfb on a free display,
# the test (a Qt client of that server) drives the real program with xdotool
# and reads screenshots of the root window.
set -euo pipefail
test_binary=$1
program=$2

for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "e2e: $tool is missing (scripts/install-deps installs it)"; exit 1; }
done

display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" 2>/dev/null &
xvfb_pid=$!
trap 'kill $xvfb_pid 2>/dev/null || true; rm -f "$display_file"' EXIT
for _ in $(seq 100); do
  [ -s "$display_file" ] && break
  sleep 0.05
done
[ -s "$display_file" ] || { echo "e2e: Xvfb did not start"; exit 1; }
display=":$(head -n1 "$display_file")"

DISPLAY=$display QT_QPA_PLATFORM=xcb ZENTOR_DEMO="$program" ALSOFT_DRIVERS=null \
  "$test_binary"
