#!/usr/bin/env bash
# After a lost game the exploded mine, the other mines and the flags are
# drawn as the tiles say, and the counts around them agree; a won game too.
source "$(dirname "$0")/lib.sh"

solver_ended() { [ "$(solver_threads)" = 0 ]; }
new_game_started() { [ "$(games_played)" -gt "$1" ]; }

start_program
probe command 108
probe press 200 100
lost_checked=0
for attempt in $(seq 12); do
  before=$(games_played)
  [ "$attempt" = 1 ] || probe command 102
  wait_until 20 "a game started" new_game_started "$before"
  probe command 104
  wait_until 20 "the solver ended after Stop" solver_ended
  result=$(info_value part0)
  field=$(stable_cells "game$attempt")
  note "game $attempt: $result"
  case $result in
    "Bad guess!") check_board "$field" LOST; lost_checked=1; break ;;
    "Problem solved successfully") check_board "$field" WON ;;
    *) fail "unexpected result '$result' with guessing on" ;;
  esac
done
[ "$lost_checked" = 1 ] || fail "no game was lost in 12 tries"
grep -q X <<<"$field" || fail "the exploded mine is not drawn"
exit_from probe command 101
