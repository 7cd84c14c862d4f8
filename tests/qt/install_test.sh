#!/usr/bin/env bash
# cmake --install puts both programs, the desktop entry and its icon where a
# Linux desktop looks for them, and the entry names what was installed.
# Usage: install_test.sh BUILD_DIR
set -euo pipefail
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$1" --prefix "$prefix" >/dev/null

for f in bin/orvanta bin/orvanta-batch; do
  [ -x "$prefix/$f" ] || { echo "missing or not executable: $f"; exit 1; }
done
entry=$prefix/share/applications/orvanta.desktop
icon=$prefix/share/icons/hicolor/32x32/apps/orvanta.png
[ -f "$entry" ] || { echo "missing: share/applications/orvanta.desktop"; exit 1; }
[ -f "$icon" ] || { echo "missing: share/icons/hicolor/32x32/apps/orvanta.png"; exit 1; }
head -c 8 "$icon" | od -An -tx1 | grep -q '89 50 4e 47 0d 0a 1a 0a' || { echo "the icon is not a PNG"; exit 1; }

field() { sed -n "s/^$1=//p" "$entry"; }
[ "$(head -1 "$entry")" = "[Desktop Entry]" ] || { echo "the entry lacks its group header"; exit 1; }
[ "$(field Type)" = Application ] || { echo "Type is not Application"; exit 1; }
[ "$(field Name)" = Orvanta ] || { echo "Name is not Orvanta"; exit 1; }
[ -x "$prefix/bin/$(field Exec)" ] || { echo "Exec names no installed program"; exit 1; }
[ "$(field Icon).png" = "$(basename "$icon")" ] || { echo "Icon names no installed icon"; exit 1; }
echo "installed: orvanta, orvanta-batch, the desktop entry and its icon"
