#!/usr/bin/env bash
# Runs measure_program against the real program in a private X server:
#   bench/program/measure-program.sh BUILD_DIR [SECONDS]
set -euo pipefail
build=${1:-build}
seconds=${2:-60}
root=$(cd "$(dirname "$0")/../.." && pwd)
exec "$root/scripts/with-xvfb" env QT_QPA_PLATFORM=xcb ALSOFT_DRIVERS="${ALSOFT_DRIVERS:-null}" \
  "$build/bin/measure_program" "$build/bin/zentor-demo" "$seconds"
