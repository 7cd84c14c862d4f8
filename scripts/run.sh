#!/usr/bin/env bash
# Installs what is missing, builds Orvanta and starts it in the directory it
# was called from, where the statistics file qxscores.txt is written at exit.
set -euo pipefail
here=$PWD
cd "$(dirname "$0")/.."
root=$PWD
scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release
if [ -x build/release/ui/qt/orvanta ]; then
  if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found (DISPLAY and WAYLAND_DISPLAY are unset)." >&2
    echo "Start it on a desktop, or under a virtual one: xvfb-run -a build/release/ui/qt/orvanta" >&2
    echo "The headless player needs no display: build/release/batch/orvanta-batch --help" >&2
    exit 1
  fi
  cd "$here"
  exec "$root/build/release/ui/qt/orvanta"
fi
cd "$here"
exec "$root/build/release/batch/orvanta-batch" "$@"
