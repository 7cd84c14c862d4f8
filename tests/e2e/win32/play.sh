#!/usr/bin/env bash
# orvanta.exe under Wine, as a user meets it, alone in a folder: the window at
# start, a click, the commands and their check marks, the boxes, full-speed
# play drawn without a lost redraw, a lost game's picture, and closing the
# window or a WM_QUIT from outside while solving, each writing the statistics
# of every game.
# The caller provides DISPLAY and WINEPREFIX (scripts/test-win32.sh does), and
# ORVANTA_EXE, ORVANTA_PROBE and ORVANTA_TEST_DIR (CTest does).
set -euo pipefail
: "${ORVANTA_EXE:?}" "${ORVANTA_PROBE:?}" "${ORVANTA_TEST_DIR:?}" "${DISPLAY:?}" "${WINEPREFIX:?}"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
work=$ORVANTA_TEST_DIR/play  # the program's folder
rm -rf "$work" && mkdir -p "$work" && cp "$ORVANTA_EXE" "$work/orvanta.exe"

fail() { echo "FAIL: $* (the program's folder: $work)" >&2; exit 1; }
expect_eq() { [ "$1" = "$2" ] || fail "$3: expected '$2', got '$1'"; }
probe() { wine "$ORVANTA_PROBE" "$@"; }
info_value() { probe info | sed -n "s/^$1=//p"; }
shows() { [[ $(info_value "$1") == $2 ]]; }  # KEY PATTERN
games_played() { info_value part1 | sed -n 's/^Games played: \([0-9]*\),.*/\1/p'; }
games_beyond() { [ "$(games_played)" -gt "$1" ]; }
wait_until() {  # SECONDS WHAT COMMAND...
  local end=$((SECONDS + $1)) what=$2
  shift 2
  until "$@"; do [ $SECONDS -lt $end ] || fail "$what: not within the time"; sleep 0.2; done
}
trap 'kill -9 "$pid" 2>/dev/null || true' EXIT
start() {
  (cd "$work" && exec wine orvanta.exe) </dev/null >"$work/program.log" 2>&1 &
  pid=$!
}
start

# The window at start (the probe waits for it).
expect_eq "$(info_value caption) $(($(info_value style) & 0xF0000))" "Orvanta 655360" "caption; menu and minimise, no maximise, fixed frame"
read -r bar_x bar_y bar_width bar_height <<<"$(info_value status_bar)"
expect_eq "$bar_x $bar_y $bar_width $(info_value client_size)" "0 257 481 481 $((257 + bar_height))" "field above the status bar"
expect_eq "$(info_value status_parts)" "2 176 -1" "status bar parts"
expect_eq "$(info_value part0)|$(info_value part1)|$(info_value threads)" "|Games played: 0, won: 0, guesses: 0| 0" "texts, no solver"
raised=$(printf 'margin=white\n'; for _ in $(seq 16); do printf '%30s\n' '' | tr ' ' '#'; done)
expect_eq "$(probe cells steady)" "$raised" "every cell raised, the margin white"
expect_eq "$(probe checks)" "1 1 1" "options checked"

# Redraws of cells outside the board, posted by another process, are ignored.
for cell in "30 0" "0 16" "-1 0" "0 -1" "0x100000000 3" "3 0x100000000"; do probe post 113 $cell; done
expect_eq "$(probe cells steady)" "$raised" "field after redraws outside the board"

# A click on cell (21, 10) opens it first, on a solver below normal priority.
read -r x y <<<"$(info_value client_origin)"
xdotool mousemove $((x + 21 * 16 + 8)) $((y + 10 * 16 + 8)) click 1
clicked_open() { [[ $(probe cells | sed -n 12p | cut -c 22) == [0-8] ]]; }
wait_until 10 "the clicked cell opened" clicked_open
expect_eq "$(info_value threads)" " 0 -1" "thread priorities"
probe command 102
probe post 0x201 1 $((40 << 16 | 40))  # a press at (40, 40)
expect_eq "$(info_value threads)" " 0 -1" "solver threads after another Solve and press"

# Go Slow off: five seconds at full speed, with unknown commands and About.
probe command 108
sleep 5
for id in 105 300; do
  probe command $id
  expect_eq "$(probe dialog)" $'1 1 Error\nUndefined Menu Command!' "box for command $id"
done
probe command 103
about=$(probe dialog)
expect_eq "$(head -2 <<<"$about"), $(wc -l <<<"$about") lines" $'1 0 About\nOrvanta, 20 lines' "About box, no icon"

# Stopped, guessing off (by a command id with a notification code in its high
# bits) and Nonstop off. The statistics' no-start form, which only a repaint
# writes now, shows that the options' repaint is done: a repaint after Solve
# would hide a lost redraw. Then every game till a win is drawn cell by cell.
probe command 104
wait_until 20 "the solver ended after Stop" shows threads ' 0'
probe command $(((1 << 16) | 112)) 107
expect_eq "$(probe checks)" "0 0 0" "check marks"
wait_until 5 "statistics in the no-start form" shows part1 '*nostart*'
probe command 102
wait_until 60 "a won game ended the solver" shows threads ' 0'
expect_eq "$(info_value part0)" "Problem solved successfully" "last game"
drawn=$(probe cells steady)
[[ $drawn != *[#?*X]* ]] || fail "the won game's field shows a cell neither opened nor flagged: $drawn"
probe repaint
expect_eq "$(probe cells steady)" "$drawn" "field after a full repaint"

# Guessing and Nonstop on again: a lost game's picture shows one exploded
# mine, 99 with the flags and the others, and every count right.
probe command 112 107
expect_eq "$(probe checks)" "1 0 1" "check marks with Go Slow off"
for attempt in $(seq 12); do
  before=$(games_played)
  probe command 102
  wait_until 20 "a game started" games_beyond "$before"
  probe command 104
  wait_until 20 "the solver ended after Stop" shows threads ' 0'
  ! shows part0 "Bad guess!" || break
done
expect_eq "$(info_value part0)" "Bad guess!" "a game lost in 12 tries"
lost=$(probe cells steady)
tail -n +2 <<<"$lost" | "${BASH_SOURCE%/*}/../../support/lost_field.sh" || fail "the lost game's field is wrong: $lost"

# Closing the window, and a WM_QUIT with exit code 3 posted from outside,
# while solving at full speed.
for ending in "0x112 0xF060 0 0" "0x12 3 0 3"; do  # MESSAGE WPARAM LPARAM EXIT-CODE
  read -r message wparam lparam code <<<"$ending"
  [ "$message" = 0x112 ] || { rm "$work/qxscores.txt" && start && probe command 108; }
  probe command 102
  wait_until 30 "three more games" games_beyond $(($(games_played) + 2))
  seen=$(games_played)
  probe post "$message" "$wparam" "$lparam"
  wait_until 7 "the program's end" bash -c "! kill -0 $pid 2>/dev/null"
  wait "$pid" && status=0 || status=$?
  expect_eq "$status" "$code" "the exit code after message $message"
  expect_eq "$(ls "$work" | tr '\n' ' ')" "orvanta.exe program.log qxscores.txt " "the folder"
  awk -v seen="$seen" '
    { if ($0 !~ /^[0-9]+\t[0-9]+\r$/ || $1 != NR - 1) bad = 1; total += $2 }
    END { exit bad || NR != 481 || total < seen - 1 }' "$work/qxscores.txt" || fail "qxscores.txt is wrong after message $message"
done
