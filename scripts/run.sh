#!/usr/bin/env bash
# Installs what is missing, builds the Orvanta program that suits where it is
# called and starts it in the directory it was called from, where the
# statistics file qxscores.txt is written at exit: on a desktop the Qt
# window, with no display but a terminal the terminal program.
set -euo pipefail
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  program=ui/qt/orvanta
elif [ -t 0 ] && [ -t 1 ]; then
  program=ui/term/orvanta-term
else
  echo "No display and no terminal: run scripts/run.sh on a desktop or in a terminal, or under a virtual display: xvfb-run -a scripts/run.sh" >&2
  exit 1
fi
here=$PWD
cd "$(dirname "$0")/.."
root=$PWD
scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release --target "$(basename "$program")"
cd "$here"
exec "$root/build/release/$program"
