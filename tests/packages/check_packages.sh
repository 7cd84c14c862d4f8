#!/usr/bin/env bash
# The release packages as Debian's and Windows' tools see them: lintian, the desktop entry and AppStream
# validators, the exact files the .deb installs, its programs' version, both manual pages rendered (the
# options of orvanta-batch's page the very ones of its --help), the zip's files and orvanta.exe's DLLs.
# Usage: check_packages.sh PACKAGES_DIR (as scripts/package.sh writes it)
set -euo pipefail
cd "$(dirname "$0")/../.."
source scripts/wine-env.sh
dir=$1
fail() { echo "FAIL: $*" >&2; exit 1; }
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

deb=$(echo "$dir"/orvanta_*_amd64.deb)
[ -f "$deb" ] || fail "no single orvanta_*_amd64.deb in $dir"
version=$(dpkg-deb -f "$deb" Version)
echo "$deb: $(stat -c %s "$deb") bytes; lintian says:"
lintian -I --fail-on error,warning "$deb" 2> >(grep -v 'running with root privileges' >&2) ||
  fail "lintian found errors or warnings"
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || fail "the dependencies were not computed from the binaries"

root=$scratch/root
dpkg -x "$deb" "$root"
diff -u - <(cd "$root" && find . ! -type d | LC_ALL=C sort) <<'LIST' || fail "the package holds other files"
./usr/bin/orvanta
./usr/bin/orvanta-batch
./usr/bin/orvanta-term
./usr/share/applications/orvanta.desktop
./usr/share/doc/orvanta/changelog.gz
./usr/share/doc/orvanta/copyright
./usr/share/icons/hicolor/128x128/apps/orvanta.png
./usr/share/icons/hicolor/256x256/apps/orvanta.png
./usr/share/icons/hicolor/32x32/apps/orvanta.png
./usr/share/icons/hicolor/64x64/apps/orvanta.png
./usr/share/man/man1/orvanta-batch.1.gz
./usr/share/man/man6/orvanta-term.6.gz
./usr/share/man/man6/orvanta.6.gz
./usr/share/metainfo/org.orvanta.orvanta.metainfo.xml
LIST
[ "$("$root/usr/bin/orvanta-batch" --version)" = "orvanta-batch $version" ] || fail "orvanta-batch is not $version"

entry=$root/usr/share/applications/orvanta.desktop
said=$(desktop-file-validate "$entry" 2>&1) && [ -z "$said" ] || fail "desktop-file-validate: $said"
[ -x "$root/usr/bin/$(sed -n 's/^Exec=//p' "$entry")" ] || fail "the entry's Exec names no installed program"
[ -f "$root/usr/share/icons/hicolor/32x32/apps/$(sed -n 's/^Icon=//p' "$entry").png" ] ||
  fail "the entry's Icon names no installed icon"
appstreamcli validate --no-net --strict "$root"/usr/share/metainfo/*.xml || fail "appstreamcli found issues"

for page in man1/orvanta-batch.1 man6/orvanta.6 man6/orvanta-term.6; do
  text=$scratch/$(basename "$page").txt
  said=$(MANWIDTH=80 man --warnings -l "$root/usr/share/man/$page.gz" 2>&1 >"$text") && [ -z "$said" ] ||
    fail "$page: $said"
  grep -q "Orvanta $version" "$text" || fail "$page does not render, or lacks the version"
done
# An option's names and value as the help and the page's OPTIONS list them, one a line, in order.
help_terms=$("$root/usr/bin/orvanta-batch" --help | sed -n 's/^ \{1,6\}\(-[^ ].*\)/\1/p' | sed 's/  .*//')
page_terms=$(sed -n '/^OPTIONS/,/^EXIT/s/^       \(-[^ ].*\)/\1/p' "$scratch/orvanta-batch.1.txt" | sed 's/  .*//')
[ -n "$help_terms" ] && [ "$help_terms" = "$page_terms" ] ||
  fail "the manual page's options are not those of orvanta-batch --help: $(diff <(echo "$help_terms") <(echo "$page_terms"))"
echo "the manual pages render; orvanta-batch's lists the options of its --help"

zip=$dir/orvanta-$version-win64.zip
echo "$zip: $(stat -c %s "$zip") bytes"
[ "$(unzip -Z1 "$zip" | LC_ALL=C sort | xargs)" = "orvanta-$version-win64/README.txt orvanta-$version-win64/orvanta.exe" ] ||
  fail "the zip holds other files than orvanta.exe and README.txt in orvanta-$version-win64/"
unzip -q "$zip" -d "$scratch"
check_system_dlls "$scratch/orvanta-$version-win64/orvanta.exe"

web=$dir/orvanta-$version-web.tar.gz
echo "$web: $(stat -c %s "$web") bytes"
tar -tzf "$web" >"$scratch/web.list"
! grep -v "^orvanta-$version-web/" "$scratch/web.list" || fail "the web tarball has files outside its folder"
grep -q '\.html$' "$scratch/web.list" || fail "the web tarball holds no page"
echo "packages checked"
