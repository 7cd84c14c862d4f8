#!/usr/bin/env bash
# run.sh SECONDS: builds the merge reader's fuzz target with clang
# (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer) beside the GCC
# build, replays the regression cases, then fuzzes for SECONDS from real
# statistics files and logs that the release build writes. A finding stays
# in build/fuzz as crash-* and fails the run: once mended, it goes into
# tests/fuzz/regressions/, which every run replays first.
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds=$1
batch=build/release/batch/orvanta-batch
out=build/fuzz
mkdir -p "$out/corpus" "$out/seeds"
clang++-14 -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -DFMT_HEADER_ONLY -I. \
  tests/fuzz/merge_fuzz.cpp batch/merge_reader.cpp batch/tally.cpp -o "$out/merge_fuzz"

# Seeds: the files of real runs with each rule, and a statistics file with
# a log joined by a NUL (the target reads that as two files).
(
  cd "$out/seeds"
  "../../../$batch" -n 40 -s 1700000000 -j 2 --log random.log --scores random.txt >/dev/null
  "../../../$batch" -n 40 -s 1700000001 -j 2 --guess safest --log safest.log --scores safest.txt >/dev/null
  { cat safest.txt; printf '\0'; cat safest.log; } >both
)
regressions=()
if [ -d tests/fuzz/regressions ]; then
  regressions=(tests/fuzz/regressions)
  "$out/merge_fuzz" -runs=0 "${regressions[@]}"
fi
"$out/merge_fuzz" -max_total_time="$seconds" -max_len=65536 -timeout=10 -dict=tests/fuzz/merge.dict \
  -print_final_stats=1 -artifact_prefix="$out/" "$out/corpus" "$out/seeds" "${regressions[@]}" 2>&1 | tail -n 15
