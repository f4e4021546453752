#!/usr/bin/env bash
# The running program's CPU per frame in each scenario of scenarios.sh, this
# tree's build against the build of a baseline commit, for an otherwise idle
# machine:
#   bench/program/measure-cpu.sh [BUILD_DIR] [BASELINE_COMMIT] [RUNS] [SECONDS]
# The baseline is built by build-baseline.sh (kept in build-baseline/ and
# reused). Then RUNS runs of SECONDS each per scenario and build: the two
# builds take turns run by run, the first of each pair alternating, so that
# both meet the same machine in the same minutes. Both programs are measured
# by this tree's measure_program from outside, so a baseline that predates
# a scenario's measuring is measured exactly as this build is. Prints
# medians, ranges and the ratio of the medians (current / baseline), and
# beside them each build's instructions per frame under callgrind
# (COUNT_SECONDS of counting per scenario and build; 0 leaves them out).
set -euo pipefail
build=${1:-build}
baseline_commit=${2:-afdcd8a}
runs=${3:-5}
seconds=${4:-60}
count_seconds=${COUNT_SECONDS:-30}
here=$(cd "$(dirname "$0")" && pwd)
. "$here/scenarios.sh"
results=$(mktemp)
trap 'rm -f "$results"' EXIT

echo "measure-cpu: building the baseline, $baseline_commit" >&2
baseline=$("$here/build-baseline.sh" "$baseline_commit")
current=$(realpath "$build/bin/zentor-demo")
declare -A programs=([baseline]=$baseline [current]=$current)

for run in $(seq "$runs"); do
  order=$([ $((run % 2)) = 1 ] && echo "baseline current" || echo "current baseline")
  for scenario in $(scenario_names); do
    for side in $order; do
      percent=$("$here/measure-program.sh" "$build" "$seconds" "$scenario" "${programs[$side]}" 2>/dev/null |
        awk -F'|' '/CPU over/ { split($3, v, " "); print v[1] }')
      [ -n "$percent" ] || { echo "measure-cpu: run $run, $scenario, $side failed" >&2; exit 1; }
      echo "run $run, $scenario, $side: $percent % of one core" >&2
      echo "$scenario $side $percent" >>"$results"
    done
  done
done

declare -A counted
if [ "$count_seconds" != 0 ]; then
  for scenario in $(scenario_names); do
    for side in baseline current; do
      # "main other": the main thread's millions per frame, the other threads' per 65 ms.
      # A count that fails (the private X server or valgrind gone) is tried once more.
      for _ in 1 2; do
        counted[$scenario $side]=$("$here/count-instructions.sh" "$build" "$scenario" "$count_seconds" \
          "${programs[$side]}" | awk -F'|' '{ split($3, v, " "); match($3, /[0-9.]+ M other/); print v[1], substr($3, RSTART, RLENGTH - 8) }' || true)
        [ -n "${counted[$scenario $side]}" ] && break
      done
      echo "instructions, $scenario, $side: ${counted[$scenario $side]} M (main thread per frame, others per 65 ms)" >&2
    done
  done
fi

# Median and range of one scenario and build: "median low high", % of a core.
summary() {
  awk -v s="$1" -v b="$2" '$1 == s && $2 == b { print $3 }' "$results" | sort -n | awk '
    { v[NR] = $1 }
    END { printf "%s %s %s", (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2, v[1], v[NR] }'
}

echo "baseline $baseline_commit ($(git -C "$here" rev-parse --short "$baseline_commit^{commit}")) against this build; $runs alternating runs of $seconds s per scenario and build; CPU per frame = share of a core x 65 ms"
echo
echo "| scenario | baseline: CPU per frame (median, range) | this build | this / baseline (medians) | instructions per frame, main thread (callgrind): baseline / this build | other threads per 65 ms: baseline / this build |"
echo "| --- | --- | --- | --- | --- | --- |"
for scenario in $(scenario_names); do
  read -r bm blo bhi <<<"$(summary "$scenario" baseline)"
  read -r cm clo chi <<<"$(summary "$scenario" current)"
  read -r bi bo <<<"${counted[$scenario baseline]:-}"
  read -r ci co <<<"${counted[$scenario current]:-}"
  awk -v s="$scenario" -v bm="$bm" -v blo="$blo" -v bhi="$bhi" -v cm="$cm" -v clo="$clo" -v chi="$chi" \
    -v bi="${bi:-}" -v ci="${ci:-}" -v bo="${bo:-}" -v co="${co:-}" 'BEGIN {
    counted = bi != "" && ci != ""
    main = counted ? sprintf("%.2f M / %.2f M (%.2f)", bi, ci, ci / bi) : "not counted"
    others = counted ? sprintf("%.2f M / %.2f M", bo, co) : "not counted"
    printf "| %s | %.2f ms (%.2f - %.2f), %.1f %% | %.2f ms (%.2f - %.2f), %.1f %% | **%.2f** | %s | %s |\n",
           s, bm * 0.65, blo * 0.65, bhi * 0.65, bm, cm * 0.65, clo * 0.65, chi * 0.65, cm, cm / bm, main, others }'
done
