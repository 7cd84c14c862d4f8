#!/usr/bin/env bash
# Installs the Debian 12 packages that building and testing Orvanta needs.
# Runs apt-get only for what is missing, as root or through sudo.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  googletest libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev libfmt-dev
  qt6-base-dev qt6-base-dev-tools libgl-dev libncurses-dev tmux
  g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64
  wine xvfb xauth x11-utils x11-apps imagemagick xdotool
  librsvg2-bin libxml2-utils
  dpkg-dev lintian desktop-file-utils appstream man-db groff-base unzip
  emscripten chromium python3 python3-yaml
  clang-14 libclang-rt-14-dev parallel
  slurmctld slurmd slurm-client munge
)
# The web page's tests run on Node and npm. A node installed from elsewhere
# (it brings its own npm) serves as well, and Debian's would clash with it.
command -v node >/dev/null || packages+=(nodejs)
command -v npm >/dev/null || packages+=(npm)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
