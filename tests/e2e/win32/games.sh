#!/usr/bin/env bash
# After a lost game the exploded mine, the other mines and the flags are drawn
# as the tiles say, and the counts around them agree; a won game too. Then
# closing the window while solving at full speed. The program runs alone in a
# folder, with no DLL beside it.
source "$(dirname "$0")/lib.sh"

alone=$work/alone
mkdir -p "$alone"
cp "$ORVANTA_EXE" "$alone/orvanta.exe"
start_program "$alone" "$alone/orvanta.exe"
probe command 108
probe press 200 100
lost_checked=0
for attempt in $(seq 12); do
  play_one_game
  result=$(info_value part0)
  field=$(stable_cells "game$attempt")
  note "game $attempt: $result"
  case $result in
    "Bad guess!") check_board "$field" LOST; lost_checked=1; break ;;
    "Problem solved successfully") check_board "$field" WON ;;
    "Stop requested") ;;  # the Stop came between two games: the last result is not known
    *) fail "unexpected result '$result' with guessing on" ;;
  esac
done
[ "$lost_checked" = 1 ] || fail "no game was lost in 12 tries"
grep -q X <<<"$field" || fail "the exploded mine is not drawn"

note "closing the window while solving at full speed"
end_while_solving "$alone" probe post 0x112 0xF060 0  # WM_SYSCOMMAND SC_CLOSE
[ "$(ls "$alone")" = "$(printf 'orvanta.exe\nqxscores.txt')" ] || fail "the folder holds: $(ls "$alone" | tr '\n' ' ')"
