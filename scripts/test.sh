#!/usr/bin/env bash
# Installs what is missing, builds every program and runs every test:
# the release build with its unit and desktop tests, a minute of fuzzing the
# merge reader, the same portable tests
# under AddressSanitizer+UndefinedBehaviorSanitizer and under ThreadSanitizer,
# the Win32 program under Wine, the web page in headless Chromium, the
# release packages, and the Slurm and Kubernetes recipes.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

stage() { printf '\n==== %s ====\n' "$*"; }
build() {  # build DIR [cmake options...]
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir"
}

stage "release build and tests"
build build/release -DCMAKE_BUILD_TYPE=Release
(cd build/release && ctest --output-on-failure -j2 --timeout 300)

# The fuzzer keeps one core busy for a minute: the sanitizer build takes the
# rest meanwhile, and no timed test runs beside it.
stage "merge reader under libFuzzer (60 s), beside the AddressSanitizer + UndefinedBehaviorSanitizer build"
tests/fuzz/run.sh 60 >build/fuzz.log 2>&1 &
fuzzing=$!
trap 'kill $fuzzing 2>/dev/null || true' EXIT
build build/asan -DCMAKE_BUILD_TYPE=Debug -DORVANTA_SANITIZE=address -DORVANTA_QT=OFF -DORVANTA_BENCH=OFF
fuzzed=0
wait $fuzzing || fuzzed=$?
cat build/fuzz.log
[ $fuzzed = 0 ] || { echo "the fuzzer failed (status $fuzzed)" >&2; exit 1; }

stage "AddressSanitizer + UndefinedBehaviorSanitizer tests"
(cd build/asan && ctest --output-on-failure -j2 --timeout 300)

stage "ThreadSanitizer"
build build/tsan -DCMAKE_BUILD_TYPE=Debug -DORVANTA_SANITIZE=thread -DORVANTA_QT=OFF -DORVANTA_BENCH=OFF
(cd build/tsan && TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" ctest --output-on-failure -j2 --timeout 300)

if [ -x scripts/test-win32.sh ]; then
  stage "Win32 program under Wine"
  scripts/test-win32.sh
fi

stage "web page in headless Chromium"
scripts/web.sh --test

stage "release packages"
started=$SECONDS
scripts/package.sh
tests/packages/check_packages.sh build/packages
echo "packages stage: $((SECONDS - started)) s"

stage "the Slurm recipe on a private single-node Slurm, the Kubernetes Job checked against it"
started=$SECONDS
scripts/slurm-local.sh build/release/batch/orvanta-batch
echo "Slurm stage: $((SECONDS - started)) s"

stage "all tests passed"
