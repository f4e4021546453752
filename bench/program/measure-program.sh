#!/usr/bin/env bash
# Runs measure_program against the real program in a private X server:
#   bench/program/measure-program.sh BUILD_DIR [SECONDS] [CLIENT_WxH]
# Without CLIENT_WxH the window keeps its opening size.
set -euo pipefail
build=${1:-build}
seconds=${2:-60}
client=${3:-}
root=$(cd "$(dirname "$0")/../.." && pwd)
export ZENTOR_XVFB_SCREEN=${ZENTOR_XVFB_SCREEN:-2048x1536x24}
exec "$root/scripts/with-xvfb" env QT_QPA_PLATFORM=xcb ALSOFT_DRIVERS="${ALSOFT_DRIVERS:-null}" \
  "$build/bin/measure_program" "$build/bin/zentor-demo" "$seconds" $client
