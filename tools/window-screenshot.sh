#!/usr/bin/env bash
# Photographs the real window as a user sees it, in a private X server:
#   tools/window-screenshot.sh [BUILD_DIR] OUTPUT.png
# The program runs for two seconds at its opening size with the throttle
# pushed half in, so the gauges show an engine that is running.
set -euo pipefail
build=${2:+$1}
build=${build:-build}
output=${2:-$1}
display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" 2>/dev/null &
xvfb_pid=$!
trap 'kill $demo_pid $xvfb_pid 2>/dev/null || true; rm -f "$display_file"' EXIT
for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.05; done
export DISPLAY=":$(head -n1 "$display_file")" QT_QPA_PLATFORM=xcb ALSOFT_DRIVERS=null
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
