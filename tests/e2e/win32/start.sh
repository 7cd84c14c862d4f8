#!/usr/bin/env bash
# The program as it starts: its window, field, status bar and menu; redraw
# messages for cells outside the board; Exit before any game, with a Solve
# queued behind it, which must start no solver.
source "$(dirname "$0")/lib.sh"

start_program

note "window"
expect_eq "$(info_value caption)" "Orvanta" "caption"
style=$(info_value style)
expect_eq $(((style & 0x80000) != 0)) 1 "window menu (WS_SYSMENU)"
expect_eq $(((style & 0x20000) != 0)) 1 "minimise button (WS_MINIMIZEBOX)"
expect_eq $(((style & 0x10000) != 0)) 0 "maximise button (WS_MAXIMIZEBOX)"
expect_eq $(((style & 0x40000) != 0)) 0 "resizable frame (WS_THICKFRAME)"

note "the whole field above the status bar"
read -r bar_x bar_y bar_width bar_height <<<"$(info_value status_bar)"
[ "$bar_height" -gt 0 ] || fail "the status bar has no height"
expect_eq "$bar_x $bar_y $bar_width" "0 $FIELD_HEIGHT $FIELD_WIDTH" "status bar place"
expect_eq "$(info_value client_size)" "$FIELD_WIDTH $((FIELD_HEIGHT + bar_height))" "client area"
expect_eq "$(info_value status_parts)" "2 $((FIELD_WIDTH / 2 - 64)) -1" "status bar parts"

note "status texts and threads"
expect_eq "$(info_value part0)" "" "status text at start"
expect_eq "$(info_value part1)" "Games played: 0, won: 0, guesses: 0" "statistics at start"
expect_eq "$(solver_threads)" 0 "solver threads before any Solve"

note "every cell raised, the margin white"
all_raised=$(printf 'margin=white\n'; for _ in $(seq $ROWS_); do printf '%*s\n' $COLUMNS_ '' | tr ' ' '#'; done)
expect_eq "$(cells start)" "$all_raised" "field at start"

note "the three options checked"
expect_eq "$(menu_checks e 3)" "1 1 1" "Edit menu check marks"

note "redraws of cells outside the board are ignored"
for cell in "30 0" "0 16" "-1 0" "0 -1" "0x7fffffff 0x7fffffff" "0x100000000 3" "3 0x100000000"; do
  probe post 113 $cell
done
probe post 113 29 15
probe find 2000 || fail "the window is gone after redraws outside the board"
expect_eq "$(stable_cells outside)" "$all_raised" "field after redraws outside the board"

note "Exit with a Solve queued behind it"
exit_from probe held 1000 101 102
check_scores_file "$work" 0
