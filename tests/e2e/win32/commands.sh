#!/usr/bin/env bash
# A click starts the solver from the clicked cell; Solve, Stop, the three
# options with their check marks, unknown commands, About, and Exit.
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
expect_eq "$(solver_threads)" 1 "solver threads while solving"

note "Go Slow off, then Stop ends the solver after its game"
probe command 108
expect_eq "$(menu_checks e 3)" "1 0 1" "check marks with Go Slow off"
probe command 104
wait_until 20 "the solver ended after Stop" solver_ended
# A Stop that lands between two games leaves its own text standing.
info_value part0 | grep -Eqx "Bad guess!|Problem solved successfully|No solution found|Stop requested" || fail "status after the last game: '$(info_value part0)'"
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

note "unknown commands"
for id in 105 111 300; do
  probe command $id
  box=$(probe dialog 5000) || fail "no message box for command $id"
  expect_eq "$(grep -E '^(owned|icon|text|buttons)=' <<<"$box" | sort | tr '\n' ' ')" \
    "buttons=1 icon=1 owned=1 text=Undefined Menu Command! " "box for command $id"
done

note "About"
probe command 103
box=$(probe dialog 5000) || fail "no About box"
expect_eq "$(grep -E '^(caption|owned|icon|buttons)=' <<<"$box" | sort | tr '\n' ' ')" \
  "buttons=1 caption=About owned=1 " "About box, without an icon"
about=$(sed -n '/^text=/,/^buttons=/p' <<<"$box" | sed '1s/^text=//; $d')
# The whole text, not cut short (the Qt tests compare it with the program's own).
expect_eq "$(head -1 <<<"$about"), $(wc -l <<<"$about") lines" "Orvanta, 19 lines" "About text"

note "Exit writes the statistics of every game played"
exit_from probe command 101
check_scores_file "$work" "$games"
