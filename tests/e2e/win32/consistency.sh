#!/usr/bin/env bash
# At full speed no cell redraw is lost: after 30 s of play, once the solver
# has ended, the field equals a forced full repaint of the board. Then Exit,
# with the solver playing at full speed again, ends within the shutdown bound.
source "$(dirname "$0")/lib.sh"

start_program
probe command 108
probe press 8 8
for second in 10 20 30; do
  sleep 10
  note "after $second s: $(info_value part1)"
done
# Stop, Nonstop and every lost game repaint the whole window once the queue
# is empty, which would hide a lost redraw. So the last game must be played
# well after the last repaint and drawn cell by cell: with guessing and
# Nonstop off the solver ends on its next won game, which opens every cell.
probe command 112 107
wait_until 60 "the solver ended on a won game" solver_ended
expect_eq "$(info_value part0)" "Problem solved successfully" "last game"
drawn=$(stable_cells drawn)
check_board "$drawn" WON
probe repaint
sleep 1
# check_board found every cell showing a whole tile, so equal cells and an
# equally white margin mean that every pixel of the field is the same.
expect_eq "$(stable_cells repainted)" "$drawn" "field after a full repaint"

note "Exit while solving at full speed"
probe command 107
end_while_solving "$work" probe command 101
