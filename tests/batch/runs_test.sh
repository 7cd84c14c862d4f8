#!/usr/bin/env bash
# runs_test.sh BATCH: whole runs driven from a shell. Ctrl-C ends a long run
# after the games in hand, with what they played written and status 130; a
# parent killed with SIGKILL takes its workers along, even stopped ones, which
# cannot run a handler; a run in four parts through GNU parallel, merged, gives
# the very statistics file and log of the run played whole.
set -euo pipefail
batch=$1
cd "$(mktemp -d)"
trap 'rm -rf "$PWD"' EXIT
check() { "$@" || { echo "failed: $*" >&2; exit 1; }; }

# Starts a run too long to end by itself, with a minute of processor time so
# that one that ignores a stop fails instead of hanging; returns once both its
# workers have written, so are past their set-up.
start_playing() {
  (ulimit -t 60 && exec "$batch" -n 100000000 -s 1700000000 -j 2 --no-guess --log games.log --plot p.svg >out) &
  parent=$!
  for _ in $(seq 2000); do
    sleep 0.01
    workers=$(cat "/proc/$parent/task/$parent/children")
    if [ "$(cd /proc && cat $(printf '%s/io ' $workers) 2>/dev/null | grep -c '^wchar: [1-9]')" = 2 ]; then return; fi
  done
  check false "(two workers playing)"
}

start_playing
kill -INT $parent
wait $parent && status=0 || status=$?
check [ $status = 130 ]
# No temporary left, and the plot ends as a plot does.
check [ "$(ls; tail -n 1 p.svg)" = "$(printf 'games.log\nout\np.svg\nqxscores.txt\n</svg>')" ]
# The statistics file holds exactly the logged games, and without guessing none is lost (merged without a log).
"$batch" merge games.log qxscores.txt --scores m.txt >merged
check grep -q '^lost: *0 of ' merged
check grep -qx "interrupted:  $(sed -n 's/^games: *\([0-9,]*\) .*/\1/p' merged) of 100,000,000 games played" out

start_playing
kill -STOP $workers
kill -KILL $parent
wait $parent 2>/dev/null || true
for _ in $(seq 500); do
  alive=$(cd /proc && grep -ls '^State:\s*[^Z]' $(printf '%s/status ' $workers) || true)
  if [ -z "$alive" ]; then break; fi
  sleep 0.01
done
[ -z "$alive" ] || { kill -KILL ${alive//\/status/}; check false "(workers outlived their parent)"; }

# Six jobs, so that the parts are not all alike (two sequences of games, or one).
run=(-n 62 -s 1700000000 -j 6 --guess safest)
"$batch" "${run[@]}" --log whole.log --scores whole.txt >/dev/null
parallel --will-cite -j 2 "$batch" "${run[@]}" --shard {}/4 --log part{}.log --scores part{}.txt ::: 1 2 3 4 >/dev/null
"$batch" merge part*.txt part*.log --log merged.log --scores merged.txt >/dev/null
cmp whole.txt merged.txt
cmp whole.log merged.log
