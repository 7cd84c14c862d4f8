#!/usr/bin/env bash
# ways_out_test.sh BATCH TERM: the ways out that once lost work or said
# nothing: signals, a file-size limit, a device that is always full, a
# repeated or broken merge input, control bytes in an argument, two runs
# logging into one named pipe, and orvanta-term ended by a signal or unable
# to write. Each case runs in a folder of its own beside an old statistics
# file and log; afterwards no temporary is left, the reason is named, and
# either every finished game is in both files or the old ones are untouched.
set -uo pipefail
batch=$(realpath "$1") term=$(realpath "$2") work=$(mktemp -d)
cd "$work" && echo "set -g remain-on-exit on" >tmux.conf || exit 1
# A tmux server in the foreground, as daemon() would need /dev/null.
tmux -S "$work/tmux" -f tmux.conf -D >/dev/null 2>&1 &
trap 'kill $server; rm -rf "$work"' EXIT
server=$! && exec 4>&2  # the test's own standard error, where a case's is a file
t() { tmux -S "$work/tmux" "$@"; }
fail() { echo "FAIL: $*" >&4; exit 1; }
poll() { for _ in $(seq 1500); do eval "$1" && return; sleep 0.02; done; fail "waited for: $1"; }
"$batch" -n 50 -s 1 --log p1.log --scores p1.txt >/dev/null && ln p1.txt hard.txt && printf x >one || fail "set-up"
printf '0\t0\r1\t0\r' >cr

# A run too long to end by itself, sent the signal once its log has lines.
signalled() {
  "$batch" -n 100000000 -s 1 -j 2 --log v.log --scores s.txt & poll '[ -n "$(find . -name "v.log.*" -size +0)" ]'
  kill "-$1" $! && wait $!
}
# Two runs logging into one named pipe, read into v.log; merged with their
# statistics files, whose sum lands in s.txt, every line is whole.
two_runs_into_a_pipe() {
  mkfifo fifo && { cat fifo >v.log & } && local reader=$! && exec 3>fifo
  "$batch" -n 20000 -s 1 -j 2 --log fifo --scores a.txt & "$batch" -n 20000 -s 7 -j 2 --log fifo --scores b.txt
  wait $! && exec 3>&- && wait $reader && "$batch" merge a.txt b.txt v.log --scores s.txt
}
# orvanta-term in tmux under the limits, made to play and stop, then sent the
# signal. What it leaves on the screen goes to standard error; its statistics
# file, if written, to s.txt, and then the games it showed, a line each, to
# v.log. Its terminal's modes must be as before.
term_signalled() {  # LIMITS SIGNAL
  t new-session -d -x 200 -y 24 -c "$PWD" "ulimit -c 0 $1; stty -g >before; \"$term\"; echo \$? >status; stty -g >after"
  poll 't capture-pane -p | grep -q "Games played"' && t send-keys g s
  poll 't capture-pane -p | grep -q "Games played: [1-9]"' && t send-keys t
  poll 'a=$(t capture-pane -p) && sleep 1 && [ "$a" = "$(t capture-pane -p)" ]'
  shown=$(t capture-pane -p | sed -n 's/.*Games played: \([0-9]*\),.*/\1/p')
  kill "-$2" "$(cat "/proc/$(t display -p '#{pane_pid}')/task/"*/children)" && poll '[ -s after ]'
  t capture-pane -p -S -100 | sed '/^$/d' >&2
  [ "$(t display -p '#{alternate_on}#{mouse_any_flag}#{keypad_flag}')" = 000 ] && cmp before after || fail "terminal not put back"
  t kill-session && rm before after && { [ ! -e qxscores.txt ] || { mv qxscores.txt s.txt && seq "$shown" >v.log; }; }
  return "$(cat status)"
}

n=0
# STATUS|REASON (an extended regular expression for standard error; empty: nothing said)|COMMAND
while IFS='|' read -r want reason command; do
  mkdir "$work/$((++n))" && cd "$work/$n" && mknod full c 1 7 && echo old >s.txt && echo old >v.log || fail "set-up"
  eval "$command" >out 2>err
  got=$?
  [ "$got" = "$want" ] || fail "$command: status $got, not $want: $(cat err)"
  if [ -z "$reason" ]; then [ ! -s err ]; else grep -Eq -- "$reason" err; fi || fail "$command: said $(cat err)"
  ! grep -q $'\e' err || fail "$command: control bytes on standard error"
  [ -z "$(find . -regextype posix-extended -regex '.*\.[[:alnum:]]{6}')" ] || fail "$command: temporaries left: $(ls)"
  case $want in  # done, or stopped by a signal with all written; or nothing written
    0 | 13?) games=$(awk '{ t += $2 } END { print t }' s.txt)
      [ "$games" -gt 0 ] && [ "$games" = "$(wc -l <v.log)" ] || fail "$command: $games games counted, $(wc -l <v.log) logged" ;;
    *) [ "$(cat s.txt v.log)" = "$(printf 'old\nold')" ] || fail "$command: the old files were touched" ;;
  esac
  cd "$work" || exit 1
done <<'EOF'
130||signalled HUP
130||signalled PIPE
130||signalled USR1
2|^orvanta-batch: cannot write 'v.log': File too large$|(ulimit -f 1; exec "$batch" -n 2000 -s 1 -j 1 --log v.log --scores s.txt)
2|^orvanta-batch: cannot write 's.txt': File too large$|(ulimit -f 2; exec "$batch" -n 20 -s 1 -j 2 --scores s.txt)
2|^orvanta-batch: cannot write 's.txt': File too large$|(ulimit -f 2; exec "$batch" merge ../p1.txt --scores s.txt)
2|^orvanta-batch: cannot write 'full': No space left on device$|"$batch" -n 100 -s 1 -j 2 --log full --scores s.txt
2|^orvanta-batch: cannot write standard output: No space left on device$|"$batch" -n 10 -s 1 --scores new.txt >full
2|^orvanta-batch: cannot write standard output: No space left on device$|"$batch" merge ../p1.log --scores x >full
2|^orvanta-batch: cannot write standard output: No space left on device$|"$batch" --help >full
2|^orvanta-batch: '../p1.txt' and '../hard.txt' are the same file$|"$batch" merge ../p1.txt ../hard.txt --scores s.txt
2|^orvanta-batch: '../one': line 1: neither|"$batch" merge ../one --scores s.txt
2|^orvanta-batch: '../cr': line 1: it ends in CR alone|"$batch" merge ../cr --scores s.txt
2|--games: '\?\[31mRED\?\[0m' is not a whole number|"$batch" --games $'\e[31mRED\e[0m'
0||two_runs_into_a_pipe
143|^orvanta-term: Cannot write ".*/qxscores.txt": File too large$|term_signalled "-f 2" TERM
131|^bash: line 1: [0-9]+ Quit .*orvanta-term"$|term_signalled "" QUIT
138|^bash: line 1: [0-9]+ User defined signal 1 .*orvanta-term"$|term_signalled "" USR1
EOF
echo "every way out kept what was done, or the old files, and named its reason"
