#!/usr/bin/env bash
# Counts the instructions the running program spends per frame, under
# callgrind in a private X server, in one scenario of scenarios.sh. Unlike
# CPU time, the count hardly moves when other work shares the machine, so it
# judges a change on a busy one.
#   bench/program/count-instructions.sh BUILD_DIR [SCENARIO] [SECONDS] [PROGRAM]
# PROGRAM (by default BUILD_DIR's) opens at its opening size, is set to the
# scenario's client area and keys, runs a few seconds, and is then counted
# for SECONDS (two frames or so a second under callgrind). Callgrind writes
# the main thread's counts out as each frame begins, so every count between
# two of those is exactly one frame: its tick, its paint and the event loop
# up to the next tick. Prints the median of those, and the other threads'
# (the sound mixer, the X event reader): they run by the clock, not by the
# frame, so their count over the counting time is given per 65 ms tick.
# With ZENTOR_KEEP_COUNTS=DIR the callgrind files are kept there, for
# callgrind_annotate.
set -euo pipefail
build=${1:-build}
scenario=${2:-running}
seconds=${3:-30}
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$(cd "$build" && pwd)
program=$(realpath "${4:-$build/bin/zentor-demo}")
if [ -z "${ZENTOR_XVFB:-}" ]; then
  export ZENTOR_XVFB_SCREEN=${ZENTOR_XVFB_SCREEN:-2048x1536x24}
  exec "$root/scripts/with-xvfb" "$0" "$build" "$scenario" "$seconds" "$program"
fi
for tool in valgrind callgrind_control xdotool; do
  command -v $tool >/dev/null || { echo "count-instructions: $tool is missing" >&2; exit 1; }
done
. "$here/scenarios.sh"
client=$(scenario_field "$scenario" 2)
keys=$(scenario_field "$scenario" 4)

out=$(mktemp -d)
demo=
trap '[ -z "$demo" ] || kill $demo 2>/dev/null || true; rm -rf "$out"' EXIT
write_replay_fixture "$out/climb.csv"
read -r -a options <<<"$(scenario_options "$scenario" "$out/climb.csv")"
QT_QPA_PLATFORM=xcb ALSOFT_DRIVERS="${ALSOFT_DRIVERS:-null}" \
  valgrind --tool=callgrind --instr-atstart=no --separate-threads=yes \
  --dump-before='composeFrame(*' --callgrind-out-file="$out/cg" \
  "$program" ${options[@]+"${options[@]}"} >"$out/log" 2>&1 &
demo=$!

window=
for _ in $(seq 3000); do # five minutes at most on a busy machine
  window=$(xdotool search --onlyvisible --pid "$demo" 2>/dev/null | head -n1 || true)
  [ -n "$window" ] && break
  kill -0 "$demo" 2>/dev/null || break
  sleep 0.1
done
[ -n "$window" ] || { echo "count-instructions: the window did not open" >&2; cat "$out/log" >&2; exit 1; }
sleep 3 # the first frames
if [ "$client" != opening ]; then
  # The window's border is 4 pixels all round, its caption 24 high.
  xdotool windowsize "$window" $((${client%x*} + 8)) $((${client#*x} + 32))
fi
if [ -n "$keys" ]; then
  xdotool windowfocus --sync "$window"
  # shellcheck disable=SC2086 # one key name a word
  xdotool key --window "$window" --delay 300 $keys
fi
sleep 8 # start-up, fonts and the first frames at the new size and after the keys
callgrind_control -i on "$demo" >/dev/null 2>&1
sleep "$seconds"
kill "$demo"
wait "$demo" 2>/dev/null || true

# cg.N-01 holds the main thread from the start of frame N-1 to that of frame
# N; the first ones are empty or start mid-frame. cg-0T holds thread T from
# the counting's start to the end.
frames=$(for f in "$out"/cg.*-01; do awk '/^totals:/ { print $2 }' "$f"; done |
  awk '$1 > 0' | sort -n | tail -n +2)
count=$(echo "$frames" | grep -c . || true)
[ "$count" -ge 5 ] || { echo "count-instructions: only $count frames were counted" >&2; exit 1; }
median=$(echo "$frames" | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }')
low=$(echo "$frames" | head -n1)
high=$(echo "$frames" | tail -n1)
if [ -n "${ZENTOR_KEEP_COUNTS:-}" ]; then
  mkdir -p "$ZENTOR_KEEP_COUNTS" && cp "$out"/cg* "$ZENTOR_KEEP_COUNTS"/
fi
others=$(cat "$out"/cg-0[2-9] 2>/dev/null | awk '/^totals:/ { n += $2 } END { print n + 0 }')
awk -v n="$count" -v m="$median" -v lo="$low" -v hi="$high" -v o="$others" -v t="$seconds" -v s="$scenario" 'BEGIN {
  printf "| instructions per frame, %s (callgrind, median of %d frames) | %.2f M main thread (%.2f - %.2f M), %.2f M other threads per 65 ms |\n",
         s, n, m / 1e6, lo / 1e6, hi / 1e6, o / (t / 0.065) / 1e6 }'
