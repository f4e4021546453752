#!/usr/bin/env bash
# Runs the Wayland test under a private headless Weston (pixman renderer, so
# that its screenshooter sees real pixels; --debug enables the screenshooter).
#   run-wayland.sh <test binary> <program>
set -euo pipefail
test_binary=$1
program=$2
for tool in weston weston-screenshooter; do
  command -v "$tool" >/dev/null || { echo "wayland: $tool is missing (scripts/install-deps installs weston)"; exit 1; }
done

runtime=$(mktemp -d)
chmod 0700 "$runtime"
socket="zentor-wayland-$$"
XDG_RUNTIME_DIR="$runtime" weston --backend=headless-backend.so --use-pixman --width=1024 \
  --height=900 --socket="$socket" --idle-time=0 --debug >"$runtime/weston.log" 2>&1 &
weston_pid=$!
trap 'kill $weston_pid 2>/dev/null || true; wait $weston_pid 2>/dev/null || true; rm -rf "$runtime"' EXIT
for _ in $(seq 100); do
  [ -S "$runtime/$socket" ] && break
  sleep 0.05
done
[ -S "$runtime/$socket" ] || { cat "$runtime/weston.log"; echo "wayland: weston did not start"; exit 1; }

# In the sanitizer build: whole stacks at each allocation, so that the
# suppressions for Qt's Wayland platform find their frames.
if [ -n "${LSAN_OPTIONS:-}" ]; then
  export LSAN_OPTIONS="$LSAN_OPTIONS:fast_unwind_on_malloc=0"
fi
XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY="$socket" ZENTOR_DEMO="$program" ALSOFT_DRIVERS=null \
  QT_QPA_PLATFORM=offscreen "$test_binary"
