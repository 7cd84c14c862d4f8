#!/usr/bin/env bash
# The real program on a real X server (Xvfb), after a start without any
# display (a clear message and code 1). On Xvfb it starts with the whole field
# hidden, a click starts the solver and cells change on screen, File > Exit by
# its keyboard mnemonics ends it with code 0 and writes the statistics file.
# Usage: x11_run_test.sh ORVANTA SCREEN_CHECK SCREENSHOT_DIR
set -euo pipefail
orvanta=$1 screen_check=$2 shots=$3

if [ -z "${ORVANTA_INSIDE_XVFB:-}" ]; then
  # Without any display it says what to do and fails, rather than aborting.
  status=0
  message=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$orvanta" 2>&1) || status=$?
  [ "$status" -eq 1 ] && grep -q 'xvfb-run' <<<"$message" || { echo "without a display: code $status, $message"; exit 1; }
  echo "without a display: code 1 and what to do"

  export ORVANTA_INSIDE_XVFB=1
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

work=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
cd "$work"
unset QT_QPA_PLATFORM
"$orvanta" >"$work/orvanta.log" 2>&1 &
pid=$!

window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Orvanta$' | head -1)
sleep 0.5
import -window root "$shots/x11_start.png"
start=$("$screen_check" "$shots/x11_start.png")
read -r _ ox oy <<<"$start"
[ -z "$(tail -n +3 <<<"$start" | tr -d '#\n')" ] || { echo "not every cell is hidden at start"; exit 1; }
echo "field found at ($ox, $oy), every cell hidden"

xdotool mousemove "$((ox + 200))" "$((oy + 100))" click 1
sleep 3
import -window root "$shots/x11_playing.png"
cells=$("$screen_check" "$shots/x11_playing.png" | tail -n +3)
! grep -q '?' <<<"$cells" && grep -q '[^#]' <<<"$cells" || { echo "not every cell a tile, or none opened"; exit 1; }
echo "after a click the solver plays: cells opened and flagged on screen"

xdotool windowfocus --sync "$window"
xdotool key alt+f
sleep 0.5
xdotool key e
status=0
timeout 15 tail --pid="$pid" -f /dev/null || { echo "orvanta did not end after File > Exit"; exit 1; }
wait "$pid" || status=$?
[ "$status" -eq 0 ] || { echo "orvanta ended with code $status"; cat "$work/orvanta.log"; exit 1; }
lines=$(wc -l <qxscores.txt)
[ "$lines" -eq 481 ] || { echo "qxscores.txt has $lines lines, not 481"; exit 1; }
echo "File > Exit: code 0, qxscores.txt with 481 lines"
! grep -q 'QThread' "$work/orvanta.log" || { echo "Qt warned about a thread:"; cat "$work/orvanta.log"; exit 1; }
