# Shared helpers of the whole-program tests of orvanta.exe: start it under Wine,
# drive it through orvanta_probe.exe, read the screen, check what it wrote.
# The caller provides DISPLAY and WINEPREFIX (scripts/test-win32.sh does), and
# ORVANTA_EXE, ORVANTA_PROBE and ORVANTA_TEST_DIR (CTest does).
set -euo pipefail
: "${ORVANTA_EXE:?}" "${ORVANTA_PROBE:?}" "${ORVANTA_TEST_DIR:?}" "${DISPLAY:?}" "${WINEPREFIX:?}"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

readonly COLUMNS_=30 ROWS_=16 MINES_=99
readonly FIELD_WIDTH=$((COLUMNS_ * 16 + 1)) FIELD_HEIGHT=$((ROWS_ * 16 + 1))
readonly SHUTDOWN_BOUND_S=7  # 14 waits of 333 ms, and the start-up and end of a Wine process

# The program runs in its own folder, which also keeps the screenshots of the test.
work=$ORVANTA_TEST_DIR/$(basename "$0" .sh)
rm -rf "$work"
mkdir -p "$work"
program_pid=

fail() {
  echo "FAIL: $*" >&2
  echo "(screenshots and the program's folder: $work)" >&2
  exit 1
}
note() { echo "-- $*"; }

end_program_left_running() {
  if [ -n "$program_pid" ] && kill -0 "$program_pid" 2>/dev/null; then
    kill -9 "$program_pid" 2>/dev/null || true
    wait "$program_pid" 2>/dev/null || true
  fi
}
trap end_program_left_running EXIT

probe() { wine "$ORVANTA_PROBE" "$@"; }

# start_program [FOLDER [EXE]]: starts the program with FOLDER as its current folder.
start_program() {
  local folder=${1:-$work} exe=${2:-$ORVANTA_EXE}
  (cd "$folder" && exec wine "$exe") </dev/null >"$work/program.log" 2>&1 &
  program_pid=$!
  probe find 30000 || fail "the window did not show within 30 s"
}

# info_value KEY: one line of the probe's report on the window.
info_value() { probe info | sed -n "s/^$1=//p"; }
solver_threads() { local t; t=$(info_value threads); set -- $t; echo $(($# - 1)); }
games_played() { info_value part1 | sed -n 's/^Games played: \([0-9]*\),.*/\1/p'; }

solver_ended() { [ "$(solver_threads)" = 0 ]; }
games_beyond() { [ "$(games_played)" -gt "$1" ]; }
program_ended() { ! kill -0 "$program_pid" 2>/dev/null; }

# play_one_game: starts the solver unless it runs, lets a new game begin,
# stops after it and waits for the solver to end.
play_one_game() {
  local before
  before=$(games_played)
  probe command 102
  wait_until 20 "a game started" games_beyond "$before"
  probe command 104
  wait_until 20 "the solver ended after Stop" solver_ended
}

# click_cell COLUMN ROW: a real left click of the mouse on the middle of a cell.
click_cell() {
  local x y
  read -r x y <<<"$(info_value client_origin)"
  xdotool mousemove $((x + $1 * 16 + 8)) $((y + $2 * 16 + 8)) click 1
}

# wait_until SECONDS DESCRIPTION COMMAND...: polls COMMAND until it succeeds.
wait_until() {
  local limit_tenths=$(($1 * 10)) what=$2 waited=0
  shift 2
  until "$@"; do
    [ "$waited" -lt "$limit_tenths" ] || fail "$what: not within ${limit_tenths}00 ms"
    sleep 0.2
    waited=$((waited + 2))
  done
}

expect_eq() {  # ACTUAL EXPECTED DESCRIPTION
  [ "$1" = "$2" ] || fail "$3: expected '$2', got '$1'"
}

# shot NAME: a raw RGB screenshot of the whole screen, $work/NAME.rgb; prints its Windows path.
shot() {
  import -window root -depth 8 "rgb:$work/$1.rgb"
  echo "Z:${work//\//\\}\\$1.rgb"
}

# cells NAME: screenshot NAME and the tile the screen shows for each cell,
# one line a row ('#' raised, 'F' flag, '0'-'8' opened, '*' mine, 'X' exploded,
# '?' no tile), after a first line "margin=white" when the margin is white.
cells() { probe cells "$(shot "$1")" | tee "$work/$1.cells"; }

# stable_cells NAME: the cells once two screenshots half a second apart
# agree (the window has drawn everything it was asked to).
stable_cells() {
  local before now
  now=$(cells "$1")
  for _ in $(seq 20); do
    before=$now
    sleep 0.5
    now=$(cells "$1")
    [ "$now" != "$before" ] || { echo "$now"; return; }
  done
  fail "the field never stopped changing"
}

# menu_checks LETTER ITEMS: opens a menu bar popup, reads its check marks, closes it.
menu_checks() {
  local marks
  probe menu "$1" 5000 || fail "menu $1 did not open"
  marks=$(probe checks "$(shot menu)" "$2") || fail "menu $1 did not close"
  echo "${marks#checks=}"
}

# check_board CELLS LOST|WON: the whole truth of a finished game is on the
# screen: every cell is a tile, the mines are all shown (flags, mines and the
# exploded one add up to the mine count), and every opened count is right.
check_board() {
  echo "$1" | awk -v mines=$MINES_ -v won=$([ "$2" = WON ] && echo 1 || echo 0) '
    function mine(x, y) { return x >= 0 && substr(row[y], x + 1, 1) ~ /[F*X]/ }
    NR > 1 { row[NR - 2] = $0; rows = NR - 1; columns = length($0) }
    END {
      for (y = 0; y < rows; y++) for (x = 0; x < columns; x++) {
        c = substr(row[y], x + 1, 1); count[c]++; n = 0
        for (d = 0; d < 9; d++) n += d != 4 && mine(x + d % 3 - 1, y + int(d / 3) - 1)
        if (c ~ /[0-8]/ && n != c) { printf "cell %d,%d shows %s beside %d mines\n", x, y, c, n; bad = 1 }
      }
      if (count["?"] || count["F"] + count["*"] + count["X"] != mines || count["X"] != 1 - won ||
          (won && count["#"] + count["*"])) {
        printf "cells: %d no tile, %d flags, %d mines, %d exploded, %d hidden\n", count["?"], count["F"],
          count["*"], count["X"], count["#"]; bad = 1
      }
      exit bad
    }' || fail "the field of a $2 game is wrong (see $work)"
}

# check_scores_file FOLDER SUM: qxscores.txt has one line "s TAB count CR LF"
# for every score 0 to 480, and its counts add up to SUM.
check_scores_file() {
  local file=$1/qxscores.txt
  [ -f "$file" ] || fail "no qxscores.txt was written"
  awk -v last=$((COLUMNS_ * ROWS_)) -v sum="$2" '
    { if ($0 !~ /^[0-9]+\t[0-9]+\r$/ || $1 != NR - 1) { print "line " NR " is wrong: " $0; bad = 1 }
      split($0, f, "\t"); total += f[2] }
    END {
      if (NR != last + 1) { print NR " lines, not " last + 1; bad = 1 }
      if (total != sum) { print "the counts add up to " total ", not " sum; bad = 1 }
      exit bad
    }' "$file" || fail "qxscores.txt is wrong"
  [ "$(tail -c 2 "$file" | od -An -c | tr -d ' ')" = '\r\n' ] || fail "qxscores.txt does not end in CR LF"
}

# exit_from COMMAND...: runs COMMAND (which asks the program to end), then
# expects exit code 0 within the shutdown bound.
exit_from() {
  local code=0
  "$@"
  wait_until "$SHUTDOWN_BOUND_S" "the program's end" program_ended
  wait "$program_pid" || code=$?
  program_pid=
  expect_eq "$code" 0 "exit code"
}

# end_while_solving FOLDER COMMAND...: has the solver play at full speed, ends
# the program by COMMAND once three more games began, and checks that
# FOLDER/qxscores.txt counts every game seen.
end_while_solving() {
  local folder=$1 seen finished
  shift
  seen=$(games_played)
  probe command 102
  wait_until 30 "three more games played" games_beyond $((seen + 2))
  seen=$(games_played)
  exit_from "$@"
  finished=$(awk -F'\t' '{ total += $2 } END { print total }' "$folder/qxscores.txt")
  [ "$finished" -ge $((seen - 1)) ] || fail "$finished games in qxscores.txt, but $seen were seen started"
  check_scores_file "$folder" "$finished"
}
