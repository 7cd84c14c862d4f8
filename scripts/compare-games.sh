#!/usr/bin/env bash
# Fingerprints runs of games so that a change meant to keep every game as it
# is can be checked: for each seed, first cell and guessing on and off, a
# hash of all that orvanta-batch writes (every log line, every cell change
# and status text at each verbosity) and the count and digest of every
# random draw behind it. One line per run on standard output; with --check
# FILE, exits 1 unless the lines equal FILE's.
#
#   scripts/compare-games.sh build/before > before.txt
#   scripts/compare-games.sh --check before.txt build/release
set -euo pipefail

games=20000
seeds="1700000000 20240613 4000000000"
levels="2 4"
check=""
usage() { echo "usage: $0 [--games N] [--seeds 'S ...'] [--verbose 'V ...'] [--check FILE] BUILD_DIR" >&2; exit 2; }
while [ $# -gt 1 ]; do
  case $1 in
    --games) games=$2 ;;
    --seeds) seeds=$2 ;;
    --verbose) levels=$2 ;;
    --check) check=$2 ;;
    *) usage ;;
  esac
  shift 2
done
[ $# -eq 1 ] || usage
build=$(realpath "$1")
batch=$build/batch/orvanta-batch
digest=$build/tests/engine/draw_digest
for program in "$batch" "$digest"; do
  [ -x "$program" ] || { echo "$0: $program is not built" >&2; exit 2; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fingerprint() {
  for seed in $seeds; do
    # The corner, the cell beside it (a mine moved off it lands next to it),
    # the centre and the far corner.
    for first in 0,0 1,1 15,8 29,15; do
      for guessing in 1 0; do
        line="$seed $first guessing=$guessing games=$games"
        for verbose in $levels; do
          hash=$(cd "$work" && "$batch" --jobs 1 --games "$games" --seed "$seed" --first "$first" \
            $([ $guessing = 1 ] || echo --no-guess) --verbose "$verbose" --log - --trace - 2>/dev/null |
            sha256sum | cut -c1-16)
          line+=" v$verbose=$hash"
        done
        echo "$line draws=$("$digest" "$seed" "${first%,*}" "${first#*,}" "$guessing" "$games" | tr ' ' :)"
      done
    done
  done
}

if [ -z "$check" ]; then
  fingerprint
elif diff <(fingerprint) "$check"; then
  echo "every game as recorded in $check"
else
  echo "the games differ from $check (< now, > recorded)" >&2
  exit 1
fi
