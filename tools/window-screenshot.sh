#!/usr/bin/env bash
# Photographs the real window as a user sees it, in a private X server:
#   tools/window-screenshot.sh [BUILD_DIR] OUTPUT.png
# The program runs for six seconds at its opening size with the throttle
# pushed half in, so the gauges show an engine that is running.
set -euo pipefail
build=${2:+$1}
build=${build:-build}
output=${2:-$1}
if [ -z "${ZENTOR_XVFB:-}" ]; then
  exec "$(dirname "$0")/../scripts/with-xvfb" "$0" "$@"
fi
export QT_QPA_PLATFORM=xcb ALSOFT_DRIVERS=null
trap 'kill ${demo_pid:-} 2>/dev/null || true' EXIT
"$build/bin/zentor-demo" &
demo_pid=$!
window=$(xdotool search --sync --onlyvisible --name "Corvane Zentor Demo" | head -n1)
eval "$(xdotool getwindowgeometry --shell "$window")"
# Drag the black knob from its bottom stop half way up its travel.
client_h=$((HEIGHT - 24 - 8))
client_w=$((WIDTH - 8))
knob_x=$((4 + 199 * client_w / 750))
grab_y=$((28 + 860 * client_h / 945))
to_y=$((28 + (860 - 44) * client_h / 945))
xdotool mousemove --sync "$knob_x" "$grab_y" mousedown 1
xdotool mousemove --sync "$knob_x" "$to_y" mouseup 1
xdotool mousemove --sync $((WIDTH + 50)) 50
sleep 6
"$build/bin/grab-screen" "$X" "$Y" "$WIDTH" "$HEIGHT" "$output"
kill "$demo_pid"
wait "$demo_pid" 2>/dev/null || true
echo "wrote $output (${WIDTH}x${HEIGHT})"
