#!/usr/bin/env bash
# Runs measure_program on the real program in one scenario of scenarios.sh,
# in a private X server:
#   bench/program/measure-program.sh BUILD_DIR [SECONDS] [SCENARIO] [PROGRAM]
# The measuring tool is BUILD_DIR's; the program measured is PROGRAM, by
# default BUILD_DIR's own. So another build's program (a baseline's) is
# measured by this tree's tool, in the same scenario and the same way.
set -euo pipefail
build=${1:-build}
seconds=${2:-60}
scenario=${3:-running}
program=${4:-$build/bin/zentor-demo}
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
. "$here/scenarios.sh"
client=$(scenario_field "$scenario" 2)
keys=$(scenario_field "$scenario" 4)
fixture=$(mktemp -d)
trap 'rm -rf "$fixture"' EXIT
write_replay_fixture "$fixture/climb.csv"
read -r -a options <<<"$(scenario_options "$scenario" "$fixture/climb.csv")"
export ZENTOR_XVFB_SCREEN=${ZENTOR_XVFB_SCREEN:-2048x1536x24}
"$root/scripts/with-xvfb" env QT_QPA_PLATFORM=xcb ALSOFT_DRIVERS="${ALSOFT_DRIVERS:-null}" \
  "$build/bin/measure_program" "$seconds" "$client" "$keys" "$program" ${options[@]+"${options[@]}"}
