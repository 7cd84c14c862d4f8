#!/usr/bin/env bash
# Builds the release packages into build/packages/: the Debian package orvanta_VERSION_amd64.deb, the
# Windows zip orvanta-VERSION-win64.zip and the web page's folder as orvanta-VERSION-web.tar.gz. VERSION is the project's, from CMakeLists.txt. It builds in the folders
# scripts/test.sh uses (build/release, build/win32, build/web), so after the tests it only packs.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
source scripts/wine-env.sh
out=build/packages

# The dates inside the packages are the last commit's: one commit, the same packages.
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null || date +%s)
export SOURCE_DATE_EPOCH
if [ -n "$(git status --porcelain 2>/dev/null)" ]; then
  echo "note: the work tree has changes that are not committed; the packages hold them" >&2
fi
rm -rf "$out"
mkdir -p "$out"

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVANTA_QT=ON -DORVANTA_SANITIZE= >/dev/null
cmake --build build/release -j2
cpack --config build/release/CPackConfig.cmake -B "$out"
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' build/release/CPackConfig.cmake)

build_win32
cpack --config "$win32_build/CPackConfig.cmake" -B "$out"

scripts/web.sh --build
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cmake --install build/web --prefix "$stage" >/dev/null
tar -C "$stage/share/orvanta" --transform "s,^web,orvanta-$version-web," --sort=name \
  --mtime="@$SOURCE_DATE_EPOCH" --owner=0 --group=0 --numeric-owner -c web |
  gzip -9n >"$out/orvanta-$version-web.tar.gz"

rm -rf "$out/_CPack_Packages"
echo "Packages of Orvanta $version in $out:"
ls -l "$out" | sed 1d
