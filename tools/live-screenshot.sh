#!/usr/bin/env bash
# Photographs the real window fed by the fake X-Plane, in a private X server:
#   tools/live-screenshot.sh [BUILD_DIR] OUTPUT.png
# The fake answers on 127.0.0.1:49000 (ZENTOR_FAKE_PORT to change it); the
# picture is taken after four seconds of its cruise.
set -euo pipefail
build=${2:+$1}
build=${build:-build}
output=${2:-$1}
port=${ZENTOR_FAKE_PORT:-49000}
if [ -z "${ZENTOR_XVFB:-}" ]; then
  exec "$(dirname "$0")/../scripts/with-xvfb" "$0" "$@"
fi
export QT_QPA_PLATFORM=xcb ALSOFT_DRIVERS=null
trap 'kill ${demo_pid:-} ${sim_pid:-} 2>/dev/null || true' EXIT
"$build/bin/zentor-fake-sim" xplane --port "$port" >/dev/null &
sim_pid=$!
"$build/bin/zentor-demo" --xplane "127.0.0.1:$port" &
demo_pid=$!
window=$(xdotool search --sync --onlyvisible --name "Corvane Zentor Demo" | head -n1)
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove --sync $((WIDTH + 50)) 50
sleep 4
"$build/bin/grab-screen" "$X" "$Y" "$WIDTH" "$HEIGHT" "$output"
kill "$demo_pid" "$sim_pid"
wait "$demo_pid" "$sim_pid" 2>/dev/null || true
echo "wrote $output (${WIDTH}x${HEIGHT})"
