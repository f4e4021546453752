#!/usr/bin/env bash
# The running program's CPU per frame at the opening size and with a
# 1920 x 1080 client area: RUNS runs of SECONDS each per size, the sizes
# taking turns so that both meet the same machine, then medians and ranges.
# Meant for an otherwise idle machine:
#   bench/program/measure-cpu.sh [BUILD_DIR] [RUNS] [SECONDS]
set -euo pipefail
build=${1:-build}
runs=${2:-5}
seconds=${3:-60}
here=$(cd "$(dirname "$0")" && pwd)
results=$(mktemp)
trap 'rm -f "$results"' EXIT

for run in $(seq "$runs"); do
  for size in opening 1920x1080; do
    client=$([ "$size" = opening ] || echo "$size")
    percent=$("$here/measure-program.sh" "$build" "$seconds" $client 2>/dev/null |
      awk -F'|' '/CPU over/ { split($3, v, " "); print v[1] }')
    [ -n "$percent" ] || { echo "measure-cpu: run $run at $size failed" >&2; exit 1; }
    echo "run $run, $size: $percent % of one core" >&2
    echo "$size $percent" >>"$results"
  done
done

echo "| client area | CPU per frame (median, range) | CPU of one core (median, range) |"
echo "| --- | --- | --- |"
for size in opening 1920x1080; do
  awk -v s="$size" '$1 == s { print $2 }' "$results" | sort -n | awk -v s="$size" -v n="$runs" -v t="$seconds" '
    { v[NR] = $1 }
    END {
      m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
      name = (s == "opening") ? "572 x 670 (opening size)" : "1920 x 1080"
      # A frame every 65 ms: CPU per frame is the share of a core times 65 ms.
      printf "| %s, %d runs of %d s | %.2f ms (%.2f - %.2f) | %.1f %% (%.1f - %.1f) |\n",
             name, NR, t, m * 0.65, v[1] * 0.65, v[NR] * 0.65, m, v[1], v[NR] }'
done
