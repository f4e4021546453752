#!/usr/bin/env bash
# Runs the end-to-end test in a private X server: the test (a Qt client of
# that server) drives the real program with xdotool and reads screenshots of
# the root window.
set -euo pipefail
test_binary=$1
program=$2
command -v xdotool >/dev/null || { echo "e2e: xdotool is missing (scripts/install-deps installs it)"; exit 1; }
root=$(cd "$(dirname "$0")/../.." && pwd)
exec "$root/scripts/with-xvfb" env QT_QPA_PLATFORM=xcb ZENTOR_DEMO="$program" ALSOFT_DRIVERS=null \
  "$test_binary"
