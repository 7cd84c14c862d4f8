#!/usr/bin/env bash
# A click starts the solver from the clicked cell; Solve, Stop, the three
# options with their check marks, About, unknown commands, and Exit.
source "$(dirname "$0")/lib.sh"

opened_somewhere() { cells click | tail -n +2 | grep -q '[0-8F*X]'; }
part1_matches() { info_value part1 | grep -Eq "$1"; }

start_program

note "a click on cell (21, 10) opens that cell first"
click_cell 21 10
wait_until 10 "a cell opened after the click" opened_somewhere
clicked=$(sed -n "$((10 + 2))p" "$work/click.cells" | cut -c $((21 + 1)))
[[ $clicked == [0-8] ]] || fail "the clicked cell shows '$clicked', not an opened cell"
read -r -a priorities <<<"$(info_value threads)"
expect_eq "${priorities[*]}" "0 -1" "thread priorities (window, solver below normal)"

note "Solve and another click while solving start no second solver"
probe command 102
probe press 40 40
for _ in 1 2 3; do
  expect_eq "$(solver_threads)" 1 "solver threads while solving"
done

note "Go Slow off, then Stop ends the solver after its game"
probe command 108
expect_eq "$(menu_checks e 3)" "1 0 1" "check marks with Go Slow off"
probe command 104
wait_until 20 "the solver ended after Stop" solver_ended
# A Stop that lands between two games leaves its own text standing.
info_value part0 | grep -Eqx "$RESULT_TEXTS|Stop requested" || fail "status after the last game: '$(info_value part0)'"
games=$(games_played)
[ "$games" -ge 1 ] || fail "no game was counted"

note "Allow Guessing off shows the no-start count, Nonstop off"
probe command 112
wait_until 5 "statistics in the no-start form" part1_matches "^Games played: $games, won: [0-9]+, nostart: [0-9]+$"
expect_eq "$(menu_checks e 3)" "1 0 0" "check marks with guessing off"
probe command 107
expect_eq "$(menu_checks e 3)" "0 0 0" "check marks with Nonstop off"
probe command 107 108 112
wait_until 5 "statistics in the guesses form" part1_matches "^Games played: $games, won: [0-9]+, guesses: [0-9]+$"
expect_eq "$(menu_checks e 3)" "1 1 1" "check marks all on again"

note "the command id is the low 16 bits"
probe command $(((1 << 16) | 112))
wait_until 5 "a toggle with a notification code" part1_matches "nostart"
probe command 112
wait_until 5 "guessing back on" part1_matches "guesses"

note "Stop while idle"
probe command 104
wait_until 5 "Stop requested shown" eval '[ "$(info_value part0)" = "Stop requested" ]'
expect_eq "$(solver_threads)" 0 "solver threads after Stop while idle"

note "unknown commands"
for id in 105 111 300; do
  probe command $id
  box=$(probe dialog 5000) || fail "no message box for command $id"
  expect_eq "$(sed -n 's/^text=//p' <<<"$box")" "Undefined Menu Command!" "text for command $id"
  expect_eq "$(grep -c '^icon=1$' <<<"$box")" 1 "information icon for command $id"
  expect_eq "$(grep -E '^(owned|buttons)=' <<<"$box" | tr '\n' ' ')" "owned=1 buttons=1 " "box for command $id"
done

note "About"
probe command 103
box=$(probe dialog 5000) || fail "no About box"
expect_eq "$(sed -n 's/^caption=//p' <<<"$box")" "About" "About caption"
expect_eq "$(grep -c '^icon=1$' <<<"$box")" 0 "About has no icon"
about=$(sed -n '/^text=/,/^buttons=/p' <<<"$box" | sed '1s/^text=//; $d')
expected_about=$(cat <<'TEXT'
Orvanta
Version 1.03

Click on any square, or select "Solve" from the File
menu to start playing.
Select "Stop Solving" from the File menu to stop after
the current game is complete.

Options include: Stop on successful game or run non-stop,
slow display or full-speed operation,
and allow guessing when logic fails, or play by logic only.

Statistics are saved upon program exit in "qxscores.txt".
These statistics show the number of games played at
each possible score outcome.
Information is shown on the status line for total number
of games played, number of games won, and either the number
of games that were "no-start" (no second moves could be
logically deduced), or total number of guesses made.
TEXT
)
expect_eq "$about" "$expected_about" "About text"

note "Exit writes the statistics of every game played"
exit_from probe command 101
check_scores_file "$work" "$games"
