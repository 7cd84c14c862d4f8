#!/usr/bin/env bash
# Takes the README's picture of orvanta.exe under Wine: a lost game, with its
# counts, flags, mines and the exploded one. Writes docs/orvanta-win32.png.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-env.sh
if [ "${1:-}" != --on-screen ]; then
  build_win32
  xvfb-run -a -s "-screen 0 1024x768x24" "$0" --on-screen
  exit
fi

start_wine
export ORVANTA_EXE=$PWD/$win32_build/ui/win32/orvanta.exe
export ORVANTA_PROBE=$PWD/$win32_build/tests/e2e/win32/orvanta_probe.exe
export ORVANTA_TEST_DIR=$PWD/$win32_build/screenshot
source tests/e2e/win32/lib.sh
trap 'end_program_left_running; wineserver -k 2>/dev/null || true' EXIT

start_program
probe command 108
probe press 200 100
for _ in $(seq 20); do
  play_one_game
  [ "$(info_value part0)" != "Bad guess!" ] || break
done
stable_cells lost >/dev/null
mkdir -p docs
# The X window holds the menu bar, the field and the status bar (with no
# window manager there is no title bar).
import -window "$(xdotool search --onlyvisible --name '^Orvanta$' | head -1)" docs/orvanta-win32.png
exit_from probe command 101
echo "wrote docs/orvanta-win32.png"
