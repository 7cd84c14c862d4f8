#!/usr/bin/env bash
# Orvanta's web page: installs what is missing, builds the page into
# build/web (Emscripten through CMake), installs its files alone into
# build/web-site (the folder the web package ships) and serves that on
# http://localhost:8080/ with Python's http.server.
#   scripts/web.sh            build and serve
#   scripts/web.sh --build    build only
#   scripts/web.sh --test     build, then test the page in headless Chromium
#   scripts/web.sh --figures  build, then measure it against orvanta-batch
set -euo pipefail
cd "$(dirname "$0")/.."
mode=${1:-}
case "$mode" in
  "" | --build | --test | --figures) ;;
  *) echo "usage: scripts/web.sh [--build | --test | --figures]" >&2; exit 2 ;;
esac
scripts/install-deps.sh
# em++ runs Node on Debian's JavaScript modules (acorn), which a node
# installed from elsewhere does not look for.
export NODE_PATH=/usr/share/nodejs

build_web() {  # DIR BUILD_TYPE [TARGET...]
  local dir=$1 type=$2
  shift 2
  emcmake cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" >/dev/null
  if [ $# -gt 0 ]; then
    cmake --build "$dir" -j2 --target "$@"
  else
    cmake --build "$dir" -j2
  fi
}

build_web build/web Release
rm -rf build/web-site
cmake --install build/web --prefix build/web-site >/dev/null
site=$PWD/build/web-site/share/orvanta/web
case "$mode" in
  "")
    echo "Orvanta: http://localhost:8080/orvanta.html"
    exec python3 -m http.server 8080 --bind 127.0.0.1 --directory "$site" ;;
  --build) exit 0 ;;
esac

# The tests compare the page with orvanta-batch, and check a debug build too.
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release -j2 --target orvanta-batch
build_web build/web-debug Debug orvanta_deep_flood orvanta_deep_flood_files
tests=tests/e2e/web
[ "$tests/node_modules/.package-lock.json" -nt "$tests/package-lock.json" ] ||
  (cd "$tests" && npm ci --no-audit --no-fund --loglevel=error)
export ORVANTA_WEB_DIR=$site ORVANTA_WEB_BUILD_DIR=$PWD/build/web ORVANTA_WEB_DEBUG_DIR=$PWD/build/web-debug
export ORVANTA_BATCH=$PWD/build/release/batch/orvanta-batch
if [ "$mode" = --test ]; then
  timeout 300 node --test "$tests/page.test.mjs"
else
  node bench/web_figures.mjs
fi
