#!/usr/bin/env bash
# Installs what is missing, builds Orvanta and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
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
  exec build/release/ui/qt/orvanta
fi
exec build/release/batch/orvanta-batch "$@"
