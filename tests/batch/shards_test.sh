#!/usr/bin/env bash
# shards_test.sh BATCH: a run in four parts through GNU parallel, merged,
# gives the very statistics file and log of the run played whole. Six jobs,
# so that the parts are not all alike (two sequences of games, or one).
set -euo pipefail
batch=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cd "$dir"
run=(-n 62 -s 1700000000 -j 6 --guess safest)
"$batch" "${run[@]}" --log whole.log --scores whole.txt >/dev/null
parallel --will-cite -j 2 "$batch" "${run[@]}" --shard {}/4 --log part{}.log --scores part{}.txt ::: 1 2 3 4 >/dev/null
"$batch" merge part*.txt part*.log --log merged.log --scores merged.txt >/dev/null
cmp whole.txt merged.txt
cmp whole.log merged.log
echo "four parts merged: the statistics file and the log of the whole run, byte for byte"
