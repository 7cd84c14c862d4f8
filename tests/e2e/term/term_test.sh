#!/usr/bin/env bash
# orvanta-term in an 80 x 24 tmux window, read with capture-pane: --help and
# --version, the whole screen at start, the options' states, the cursor cell
# highlighted, Enter on a cell playing games, a lost game's picture, the
# window shrunk below the field and back, About by F1 and ? told in keys and
# whole again after a resize, a mouse press on a cell, Exit (q, Escape) and
# SIGHUP each writing the whole statistics file and putting the terminal back,
# and Exit (E) failing when that file cannot be written.
# Usage: term_test.sh ORVANTA_TERM
set -euo pipefail
program=$(realpath "$1")
support=$(dirname "$0")/../../support
work=$(mktemp -d)
t() { tmux -S "$work/tmux" "$@"; }
echo "set -g remain-on-exit on" >"$work/tmux.conf"
# A server in the foreground, as daemon() would need /dev/null.
tmux -S "$work/tmux" -f "$work/tmux.conf" -D >"$work/tmux.log" 2>&1 &
server=$!
trap 'kill "$server"; rm -rf "$work"' EXIT

screen() { t capture-pane -p | sed '/^$/d'; }
fail() { printf 'FAIL: %s\n%s\n' "$1" "$(screen)" >&2; exit 1; }
pane() { t display -p "$1"; }
wait_until() {  # WHAT CODE: polls the code for about 20 s
  local tries=200
  until eval "$2"; do
    tries=$((tries - 1)) && [ "$tries" -gt 0 ] || fail "$1"
    sleep 0.1
  done
}
shows() { screen | grep -Eq -- "$1"; }
settled() { local before; before=$(screen) && sleep 0.3 && [ "$(screen)" = "$before" ]; }
games() { screen | sed -n 's/.*Games played: \([0-9]*\),.*/\1/p'; }
start() {
  rm -f "$work/qxscores.txt" "$work/status"
  wait_until "the tmux server" '[ -S "$work/tmux" ]'
  # The exit status goes to a file: a tmux server can miss the end of a child.
  # The shell around the program ignores SIGHUP, which is sent to the group.
  t new-session -d -x 80 -y 24 -c "$work" "exec bash -c 'trap \"\" HUP; \"\$0\"; echo \$? >status' '$program'"
  wait_until "the statistics at start" "shows 'Games played: 0'"
}
# Waits for the program to end with this status, the full screen, the mouse
# reports and the keypad mode all off again.
ended() {  # STATUS
  wait_until "the program to end" '[ -s "$work/status" ]'
  [ "$(cat "$work/status")" = "$1" ] || fail "ended with status $(cat "$work/status"), not $1"
  [ "$(pane '#{alternate_on}#{mouse_any_flag}#{keypad_flag}')" = 000 ] || fail "the terminal was not put back"
  t kill-session
}
scores_total_between() {  # LOW HIGH: 481 lines "s TAB count CR LF", s from 0
  awk -v low="$1" -v high="$2" '$0 !~ "^" NR - 1 "\t[0-9]+\r$" { bad = 1 } { total += $2 }
    END { exit bad || NR != 481 || total < low || total > high }' FS='\t' "$work/qxscores.txt" ||
    fail "qxscores.txt is not whole, or does not count $1 to $2 games"
}

"$program" --help | grep -q '^Usage: orvanta-term \[--help | --version\]$' || fail "--help"
[ "$("$program" --version)" = "orvanta-term $(sed -n 's/^project(orvanta VERSION \([0-9.]*\).*/\1/p' \
  "$(dirname "$0")/../../../CMakeLists.txt")" ] || fail "--version"

start
frame="+$(printf -- '-%.0s' {1..60})+"
hidden="|$(printf '[]%.0s' {1..30})|"
expected=$(printf '%s\n' "File: S Solve  T Stop Solving  E Exit    Help: H About" \
  "Edit: N [x] Nonstop  G [x] Go Slow  A [x] Allow Guessing  R (*) Random Guess" \
  "      F ( ) Safest Guess  B ( ) Best Guess  C [ ] Show Chances" "$frame" $(printf "$hidden %.0s" {1..16}) "$frame" \
  "$(printf '%31s' '')|Games played: 0, won: 0, guesses: 0")
[ "$(screen)" = "$expected" ] || fail "the screen at start"

t send-keys N G a
wait_until "all three options off" "shows '^Edit: N \[ \] Nonstop  G \[ \] Go Slow  A \[ \] Allow Guessing  R \(\*\)'"
shows 'Games played: 0, won: 0, nostart: 0$' || fail "the no-start figure while guessing is off"
t send-keys A n
wait_until "Nonstop and guessing on" "shows '^Edit: N \[x\] Nonstop  G \[ \] Go Slow  A \[x\] Allow Guessing  R \(\*\)'"
shows 'Games played: 0, won: 0, guesses: 0$' || fail "the guess figure while guessing is on"

# The arrow keys (Up among them) take the highlight (reverse video, SGR 7, alone on the
# screen) to cell (2, 1); Enter there plays games from it; stopped, the last
# game stays shown. One in eight games is won: play until the last is a lost one.
t send-keys Right Right Down Down Up
sgr() { t capture-pane -p -e | sed -E 's/\x1b\[([0-9;]*)m/<\1>/g'; }
wait_until "the highlight on cell (2, 1)" "sgr | sed -n 6p | grep -Eq '^\|(<[0-9;]*>)*\[\]\[\]<7>\[\]'"
[ "$(sgr | grep -o '<7>' | wc -l)" = 1 ] || fail "one cell highlighted"
t send-keys Enter
for try in $(seq 10); do
  [ "$try" = 1 ] || t send-keys s
  wait_until "a game played" '[ "$(games)" -gt 0 ]'
  t send-keys t
  wait_until "the games to stop" settled
  if shows '\*\*'; then break; fi
done
[[ "$(screen | sed -n 6p | cut -c6-7)" =~ ^\ [1-8\ ]$ ]] || fail "the first cell (2, 1) is not open"
# Its cells as the checker reads them: "[]" raised, "**" exploded, "  " blank.
screen | awk 'NR >= 5 && NR <= 20 { row = ""; for (x = 0; x < 30; x++) { c = substr($0, 2 * x + 2, 2)
  row = row (c == "[]" ? "#" : c == "**" ? "X" : c == "  " ? "0" : substr(c, 2)) }; print row }' |
  "$support/lost_field.sh" || fail "the last game's picture"

before=$(screen)
t resize-window -x 60 -y 15
wait_until "the message in a small window" "shows '^Orvanta needs 80 x 22 characters;$'"
t resize-window -x 80 -y 24
wait_until "the whole screen back" '[ "$(screen)" = "$before" ]'

# About, by H, F1 and ?, in keys; any key closes it.
for key in H F1 '?'; do
  t send-keys "$key"
  wait_until "About by $key" "shows '\| Choose a square with the arrow keys and Enter, or click on  \|$'"
  shows '\| Random Guess, F Safest Guess, B Best Guess, C Show Chances, \|' || fail "About's keys"
  about=$(screen)
  t resize-window -x 60 -y 15
  wait_until "the message in a small window" "shows '^Orvanta needs 80 x 22 characters;$'"
  t resize-window -x 80 -y 24
  wait_until "About whole after the resize" '[ "$(screen)" = "$about" ]'
  t send-keys x
  wait_until "About closed" '[ "$(screen)" = "$before" ]'
done

played=$(games)
t send-keys q
ended 0
scores_total_between "$played" "$played"

start
# The rules and Show Chances by their keys, each reaching the options.
t send-keys f c
wait_until "Safest Guess and Show Chances on" "shows '^      F \(\*\) Safest Guess  B \( \) Best Guess  C \[x\] Show Chances$'"
shows 'R \( \) Random Guess$' || fail "Random Guess still marked"
t send-keys r c
wait_until "Random Guess and Show Chances off" "shows '^      F \( \) Safest Guess  B \( \) Best Guess  C \[ \] Show Chances$'"
# A press on cell (5, 3) as the mouse reports it (X10: button 1 at column 12,
# row 8, each plus 32) plays from that cell until a game is won.
t send-keys g n && t send-keys -l $'\e[M ,('
wait_until "a won game" "shows '^Problem solved successfully'"
[[ "$(screen | sed -n 8p | cut -c12-13)" =~ ^\ [1-8\ ]$ ]] || fail "the pressed cell (5, 3) is not open"
kill -HUP -- -"$(pane '#{pane_pid}')"
ended 129
scores_total_between 1 1000000000

start
mkdir "$work/qxscores.txt"  # a folder where the statistics file goes
t send-keys e
ended 2
rmdir "$work/qxscores.txt"

start
t send-keys Escape
ended 0
echo "orvanta-term: options, screen, highlight, play, lost game, resize, About, mouse, q, SIGHUP, E failing, Escape as expected"
