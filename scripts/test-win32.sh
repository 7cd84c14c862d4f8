#!/usr/bin/env bash
# Cross-builds orvanta.exe with mingw-w64, checks that it needs no DLL beyond
# Windows' own, and tests the whole program under Wine on a virtual screen.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-env.sh

if [ "${1:-}" != --on-screen ]; then
  started=$SECONDS
  build_win32
  check_system_dlls "$win32_build/ui/win32/orvanta.exe"
  xvfb-run -a -s "-screen 0 1024x768x24" "$0" --on-screen
  echo "Win32 stage: $((SECONDS - started)) s"
  exit
fi

start_wine
trap 'wineserver -k 2>/dev/null || true' EXIT
ctest --test-dir "$win32_build" --output-on-failure --timeout 180
