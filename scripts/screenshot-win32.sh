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
probe() { wine "$win32_build/tests/e2e/win32/orvanta_probe.exe" "$@"; }
part() { probe info | sed -n "s/^part$1=//p"; }
games() { part 1 | sed -n 's/^Games played: \([0-9]*\),.*/\1/p'; }
solver_ended() { probe info | grep -q '^threads= 0$'; }
folder=$(mktemp -d)
trap 'wineserver -k 2>/dev/null || true; rm -rf "$folder"' EXIT
(cd "$folder" && exec wine "$OLDPWD/$win32_build/ui/win32/orvanta.exe") </dev/null >/dev/null 2>&1 &
probe find 30000
probe command 108  # Go Slow off
for _ in $(seq 20); do
  before=$(games)
  probe command 102
  until [ "$(games)" -gt "$before" ]; do sleep 0.2; done
  probe command 104  # after this game
  until solver_ended; do sleep 0.2; done
  [ "$(part 0)" != "Bad guess!" ] || break
done
sleep 1
mkdir -p docs
# The X window holds the menu bar, the field and the status bar (with no
# window manager there is no title bar).
import -window "$(xdotool search --onlyvisible --name '^Orvanta$' | head -1)" docs/orvanta-win32.png
probe command 101
echo "wrote docs/orvanta-win32.png"
