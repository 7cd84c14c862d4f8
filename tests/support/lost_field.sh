#!/usr/bin/env bash
# lost_field.sh: checks the picture of a lost game on the 30 by 16 field, read
# from standard input one row a line: 0-8 an opened cell, F a flag, * a mine,
# X the exploded mine, # a raised cell. One exploded mine, 99 mines in all,
# every count as the mines around it say; else fails, saying what is wrong.
exec awk '
  function complain(text) { print text > "/dev/stderr"; bad = 1 }
  { row[NR] = "." $0 "." }  # a column without mines on either side
  END {
    for (y = 1; y <= NR; y++) for (x = 1; x <= 30; x++) {
      c = substr(row[y], x + 1, 1); count[c]++; n = 0
      for (d = 0; d < 9; d++) n += d != 4 && substr(row[y + int(d / 3) - 1], x + d % 3, 1) ~ /[F*X]/
      if (c !~ /^[0-8F*X#]$/ || c ~ /[0-8]/ && n != c) complain("cell " x - 1 "," y - 1 " shows \"" c "\" beside " n " mines")
    }
    if (NR != 16 || count["X"] != 1 || count["F"] + count["*"] + count["X"] != 99) complain("not a lost game with its 99 mines")
    exit bad
  }'
