#!/usr/bin/env bash
# Builds the program as it was at COMMIT, for comparisons with it, and prints
# the path of its zentor-demo:
#   bench/program/build-baseline.sh COMMIT [DIR]
# The commit's tree is exported with `git archive` into DIR/src (by default
# build-baseline/ at the top of this tree) and built in DIR/src/build with
# the same build type as `make build`, ccache where there is one. Nothing of
# the repository, its branches or its worktrees is touched. A build of the
# same commit is kept and reused; a different commit replaces it.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
commit=$(git -C "$root" rev-parse --verify --quiet "${1:?a baseline commit}^{commit}") ||
  { echo "build-baseline: $1 names no commit" >&2; exit 1; }
dir=${2:-$root/build-baseline}
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)
if [ "$(cat "$dir/commit" 2>/dev/null || true)" != "$commit" ]; then
  rm -rf "$dir/src" "$dir/commit"
  mkdir -p "$dir/src"
  git -C "$root" archive "$commit" | tar -x -C "$dir/src"
fi
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
{
  cmake -S "$dir/src" -B "$dir/src/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo ${launcher[@]+"${launcher[@]}"} &&
    cmake --build "$dir/src/build" --target zentor-demo -j"${JOBS:-$(nproc)}"
} >"$dir/build.log" 2>&1 || { echo "build-baseline: the build of $commit failed, see $dir/build.log" >&2; exit 1; }
echo "$commit" >"$dir/commit"
echo "$dir/src/build/bin/zentor-demo"
