#!/usr/bin/env bash
# Runs every benchmark of a build and prints one table of medians (5 runs
# each), then counts the real program's instructions per frame under
# callgrind (as it opens and with the throttle half in, each at the opening
# size and with a 1920 x 1080 client area; a paused replay; Demo Mode) and
# measures its CPU at the two sizes, all in Xvfb:
#   bench/run-all.sh [BUILD_DIR] [PROGRAM_SECONDS]
set -euo pipefail
build=${1:-build}
seconds=${2:-60}
export QT_QPA_PLATFORM=offscreen QT_QPA_OFFSCREEN_NO_GLX=1 ALSOFT_DRIVERS=null

echo "| benchmark | wall time (median of 5) | CPU time (frame benchmarks: the whole process) |"
echo "| --- | --- | --- |"
for bench in "$build"/bin/bench_*; do
  [ -x "$bench" ] || continue
  "$bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
    --benchmark_format=csv 2>/dev/null |
    awk -F, '$1 ~ /_median"?$/ {
      name = $1; gsub(/"/, "", name); sub(/_median$/, "", name); sub(/\/real_time$/, "", name); sub(/\/process_time/, "", name)
      printf "| %s | %.3g %s | %.3g %s |\n", name, $3, $5, $4, $5 }'
done
echo
bench_dir=$(cd "$(dirname "$0")" && pwd)
echo "| figure | value |"
echo "| --- | --- |"
for scenario in opening half-throttle; do
  for client in "" 1920x1080; do
    "$bench_dir/program/count-instructions.sh" "$build" "$client" 30 "$scenario"
  done
done
for scenario in paused-replay demo; do
  "$bench_dir/program/count-instructions.sh" "$build" "" 30 "$scenario"
done
echo
"$bench_dir/program/measure-program.sh" "$build" "$seconds"
echo
"$bench_dir/program/measure-program.sh" "$build" "$seconds" 1920x1080
