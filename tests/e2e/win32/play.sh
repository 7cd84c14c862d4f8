#!/usr/bin/env bash
# orvanta.exe under Wine, as a user meets it, alone in a folder: the window at
# start, a click, the commands and their check marks, the boxes, full-speed
# play drawn without a lost redraw, a lost game's picture, and closing the
# window while solving, which writes the statistics of every game.
# The caller provides DISPLAY and WINEPREFIX (scripts/test-win32.sh does), and
# ORVANTA_EXE, ORVANTA_PROBE and ORVANTA_TEST_DIR (CTest does).
set -euo pipefail
: "${ORVANTA_EXE:?}" "${ORVANTA_PROBE:?}" "${ORVANTA_TEST_DIR:?}" "${DISPLAY:?}" "${WINEPREFIX:?}"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
work=$ORVANTA_TEST_DIR/play  # the program's folder, and the screenshots
rm -rf "$work" && mkdir -p "$work" && cp "$ORVANTA_EXE" "$work/orvanta.exe"

fail() { echo "FAIL: $* (screenshots and the program's folder: $work)" >&2; exit 1; }
note() { echo "-- $*"; }
probe() { wine "$ORVANTA_PROBE" "$@"; }
info_value() { probe info | sed -n "s/^$1=//p"; }
games_played() { info_value part1 | sed -n 's/^Games played: \([0-9]*\),.*/\1/p'; }
solver_threads() { set -- $(info_value threads); echo $(($# - 1)); }
solver_ended() { [ "$(solver_threads)" = 0 ]; }
games_beyond() { [ "$(games_played)" -gt "$1" ]; }
expect_eq() { [ "$1" = "$2" ] || fail "$3: expected '$2', got '$1'"; }
wait_until() {  # SECONDS WHAT COMMAND...
  local tenths=$(($1 * 10)) what=$2
  shift 2
  until "$@"; do
    tenths=$((tenths - 2)) && [ "$tenths" -gt 0 ] || fail "$what: not within the time"
    sleep 0.2
  done
}
# The tile each cell shows in a screenshot NAME, a line a row ('#' raised,
# 'F' flag, '0'-'8' opened, '*' mine, 'X' exploded, '?' no tile), after
# "margin=white"; once two screenshots half a second apart agree.
shot_cells() {
  import -window root -depth 8 "rgb:$work/$1.rgb"
  probe cells "Z:${work//\//\\}\\$1.rgb"
}
cells() {
  local before now=
  for _ in $(seq 20); do
    before=$now
    now=$(shot_cells "$1")
    [ "$now" != "$before" ] || { echo "$now"; return; }
    sleep 0.5
  done
  fail "the field never stopped changing"
}
menu_checks() {  # the Edit menu's three check marks
  probe menu e 5000 || fail "the Edit menu did not open"
  import -window root -depth 8 "rgb:$work/menu.rgb"
  probe checks "Z:${work//\//\\}\\menu.rgb" 3 | sed 's/^checks=//'
}
# The whole truth of a finished game: every cell a tile, the flags, mines and
# the exploded one are the 99 mines, and every count is right.
check_board() {  # CELLS LOST|WON
  echo "$1" | awk -v won=$([ "$2" = WON ] && echo 1 || echo 0) '
    function mine(x, y) { return x >= 0 && substr(row[y], x + 1, 1) ~ /[F*X]/ }
    NR > 1 { row[NR - 2] = $0 }
    END {
      for (y = 0; y < 16; y++) for (x = 0; x < 30; x++) {
        c = substr(row[y], x + 1, 1); count[c]++; n = 0
        for (d = 0; d < 9; d++) n += d != 4 && mine(x + d % 3 - 1, y + int(d / 3) - 1)
        if (c ~ /[0-8]/ && n != c) { printf "cell %d,%d shows %s beside %d mines\n", x, y, c, n; bad = 1 }
      }
      if (count["?"] || count["F"] + count["*"] + count["X"] != 99 || count["X"] != 1 - won || (won && count["#"] + count["*"]))
        { print "a wrong count of tiles"; bad = 1 }
      exit bad
    }' || fail "the field of a $2 game is wrong"
}
trap 'kill -9 "$pid" 2>/dev/null || true' EXIT
(cd "$work" && exec wine orvanta.exe) </dev/null >"$work/program.log" 2>&1 &
pid=$!
probe find 30000 || fail "the window did not show within 30 s"

note "the window at start"
expect_eq "$(info_value caption) $(($(info_value style) & 0xF0000))" "Orvanta 655360" "caption; menu and minimise, no maximise, fixed frame"
read -r bar_x bar_y bar_width bar_height <<<"$(info_value status_bar)"
expect_eq "$bar_x $bar_y $bar_width $(info_value client_size)" "0 257 481 481 $((257 + bar_height))" "field above the status bar"
expect_eq "$(info_value status_parts)" "2 176 -1" "status bar parts"
expect_eq "$(info_value part0)|$(info_value part1)|$(solver_threads)" "|Games played: 0, won: 0, guesses: 0|0" "texts, no solver"
raised=$(printf 'margin=white\n'; for _ in $(seq 16); do printf '%30s\n' '' | tr ' ' '#'; done)
expect_eq "$(cells start)" "$raised" "every cell raised, the margin white"
expect_eq "$(menu_checks)" "1 1 1" "options checked"

note "redraws of cells outside the board, posted by another process, are ignored"
for cell in "30 0" "0 16" "-1 0" "0 -1" "0x100000000 3" "3 0x100000000"; do probe post 113 $cell; done
expect_eq "$(cells outside)" "$raised" "field after redraws outside the board"

note "a click on cell (21, 10) opens it first, on a solver below normal priority"
read -r x y <<<"$(info_value client_origin)"
xdotool mousemove $((x + 21 * 16 + 8)) $((y + 10 * 16 + 8)) click 1
clicked_open() { [[ $(shot_cells click | sed -n 12p | cut -c 22) == [0-8] ]]; }
wait_until 10 "the clicked cell opened" clicked_open
expect_eq "$(info_value threads)" " 0 -1" "thread priorities"
probe command 102
probe press 40 40
expect_eq "$(solver_threads)" 1 "solver threads after another Solve and click"

note "Go Slow off: five seconds at full speed"
probe command 108
expect_eq "$(menu_checks)" "1 0 1" "check marks with Go Slow off"
sleep 5
note "unknown commands and About"
for id in 105 300; do
  probe command $id
  box=$(probe dialog 5000) || fail "no box for command $id"
  expect_eq "$(grep -E '^(owned|icon|text)=' <<<"$box" | sort | tr '\n' ' ')" "icon=1 owned=1 text=Undefined Menu Command! " "box for $id"
done
probe command 103
box=$(probe dialog 5000) || fail "no About box"
expect_eq "$(grep -E '^(caption|owned|icon)=' <<<"$box" | sort | tr '\n' ' ')" "caption=About owned=1 " "About box, no icon"
about=$(sed -n "/^text=/,/^end$/p" <<<"$box" | sed "1s/^text=//; \$d")
expect_eq "$(head -1 <<<"$about"), $(wc -l <<<"$about") lines" "Orvanta, 19 lines" "About text"

note "guessing off (by a command id with a notification code in its high bits) and Nonstop off"
probe command $(((1 << 16) | 112)) 107
expect_eq "$(menu_checks)" "0 0 0" "check marks"
wait_until 5 "statistics in the no-start form" bash -c "wine '$ORVANTA_PROBE' info | grep -q '^part1=.*nostart'"
# Every lost game and command repaints the whole window, which would hide a
# lost redraw: the last game, won after them, is drawn cell by cell.
wait_until 60 "a won game ended the solver" solver_ended
expect_eq "$(info_value part0)" "Problem solved successfully" "last game"
drawn=$(cells drawn)
check_board "$drawn" WON
probe repaint
expect_eq "$(cells repainted)" "$drawn" "field after a full repaint"

note "guessing and Nonstop on: a lost game's picture"
probe command 112 107
for attempt in $(seq 12); do
  before=$(games_played)
  probe command 102
  wait_until 20 "a game started" games_beyond "$before"
  probe command 104
  wait_until 20 "the solver ended after Stop" solver_ended
  [ "$(info_value part0)" != "Bad guess!" ] || break
done
expect_eq "$(info_value part0)" "Bad guess!" "a game lost in 12 tries"
check_board "$(cells lost)" LOST

note "closing the window while solving at full speed"
seen=$(games_played)
probe command 102
wait_until 30 "three more games" games_beyond $((seen + 2))
seen=$(games_played)
probe post 0x112 0xF060 0  # WM_SYSCOMMAND SC_CLOSE
wait_until 7 "the program's end" bash -c "! kill -0 $pid 2>/dev/null"
wait "$pid" || fail "exit code $?"
expect_eq "$(ls "$work" | grep -v '\.rgb$' | tr '\n' ' ')" "orvanta.exe program.log qxscores.txt " "the folder"
awk -v seen="$seen" '
  { if ($0 !~ /^[0-9]+\t[0-9]+\r$/ || $1 != NR - 1) bad = 1; total += $2 }
  END { exit bad || NR != 481 || total < seen - 1 }' "$work/qxscores.txt" || fail "qxscores.txt is wrong"
