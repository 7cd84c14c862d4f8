#!/usr/bin/env bash
# run.sh SECONDS: builds the fuzz targets of the merge reader and of the
# position reader with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) beside the GCC build, replays the regression
# cases, then fuzzes each for half of SECONDS: the merge reader from real
# statistics files and logs that the release build writes, the position
# reader from a few positions. A finding stays in build/fuzz as crash-* and
# fails the run: once mended, it goes into tests/fuzz/regressions/ (merge)
# or tests/fuzz/position-regressions/, which every run replays first.
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds=$1
batch=build/release/batch/orvanta-batch
out=build/fuzz
mkdir -p "$out/corpus" "$out/seeds"
clang++-14 -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -DFMT_HEADER_ONLY -I. \
  tests/fuzz/merge_fuzz.cpp batch/merge_reader.cpp batch/tally.cpp -o "$out/merge_fuzz"
clang++-14 -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -DFMT_HEADER_ONLY -I. \
  tests/fuzz/position_fuzz.cpp batch/position_reader.cpp batch/field.cpp engine/counting.cpp -o "$out/position_fuzz"

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
"$out/merge_fuzz" -max_total_time="$((seconds / 2))" -max_len=65536 -timeout=10 -dict=tests/fuzz/merge.dict \
  -print_final_stats=1 -artifact_prefix="$out/" "$out/corpus" "$out/seeds" "${regressions[@]}" 2>&1 | tail -n 15

# Seeds: positions of a beginner's field, one with flags and CR LF, one
# that no arrangement fits.
mkdir -p "$out/position-corpus" "$out/position-seeds"
printf '9x9/10\n001......\n001......\n0112.....\n000F.....\n.........\n.........\n.........\n.........\n.........\n' \
  >"$out/position-seeds/beginner"
printf '4x3/2\r\n1F..\r\n12..\r\n....\r\n' >"$out/position-seeds/crlf"
printf '3x2/1\n11.\n3..\n' >"$out/position-seeds/impossible"
position_regressions=()
if [ -d tests/fuzz/position-regressions ]; then
  position_regressions=(tests/fuzz/position-regressions)
  "$out/position_fuzz" -runs=0 "${position_regressions[@]}"
fi
"$out/position_fuzz" -max_total_time="$((seconds - seconds / 2))" -max_len=4096 -timeout=10 \
  -dict=tests/fuzz/position.dict -print_final_stats=1 -artifact_prefix="$out/position-" "$out/position-corpus" \
  "$out/position-seeds" "${position_regressions[@]}" 2>&1 | tail -n 15
