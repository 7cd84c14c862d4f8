#!/usr/bin/env bash
# Ending the program: closing the window while the solver plays at full speed,
# an Exit with a Solve queued behind it, and the program alone in a folder
# with no DLL beside it.
source "$(dirname "$0")/lib.sh"

some_games_played() { [ "$(games_played)" -ge 3 ]; }

note "the program alone in an empty folder"
alone=$work/alone
mkdir -p "$alone"
cp "$ORVANTA_EXE" "$alone/orvanta.exe"
start_program "$alone" "$alone/orvanta.exe"

note "closing the window while solving at full speed"
probe command 108
probe press 200 100
wait_until 30 "three games played" some_games_played
seen=$(games_played)
exit_from probe close
[ "$(ls "$alone")" = "$(printf 'orvanta.exe\nqxscores.txt')" ] || fail "the folder holds: $(ls "$alone" | tr '\n' ' ')"
finished=$(awk -F'\t' '{ total += $2 } END { print total }' "$alone/qxscores.txt")
[ "$finished" -ge $((seen - 1)) ] || fail "$finished games in qxscores.txt, but $seen were seen started"
check_scores_file "$alone" "$finished"

note "Exit with a Solve queued behind it starts no solver"
start_program
probe held 1000 101 102
wait_program_exit "$SHUTDOWN_BOUND_S"
expect_eq "$exit_code" 0 "exit code"
check_scores_file "$work" 0
