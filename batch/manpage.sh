#!/usr/bin/env bash
# Writes orvanta-batch's manual page, gzipped: the template with its summary, options and exit statuses
# made from what orvanta-batch --help prints, so that the two never disagree. Fails when the help no
# longer has the shape read here (a summary line, an option list, an "Exit status:" sentence).
# Usage: manpage.sh ORVANTA_BATCH TEMPLATE VERSION DATE OUTPUT.gz
set -euo pipefail
[ $# -eq 5 ] || { echo "usage: manpage.sh ORVANTA_BATCH TEMPLATE VERSION DATE OUTPUT.gz" >&2; exit 2; }
help=$("$1" --help)
page=$(awk -v version="$3" -v date="$4" '
  function trim(s) { sub(/^ +/, "", s); sub(/ +$/, "", s); return s }
  # Text as roff reads it: backslashes and minus signs escaped, no line taken for a request.
  function roff(s) {
    gsub(/\\/, "\\e", s); gsub(/-/, "\\-", s)
    if (s ~ /^[.\047]/) s = "\\&" s
    return s
  }
  # "-n, --games N": the option names in bold, their values in italics.
  function names(s,   words, n, i, word, comma, out) {
    n = split(s, words, " ")
    for (i = 1; i <= n; i++) {
      word = words[i]
      comma = sub(/,$/, "", word) ? "," : ""
      out = out (i > 1 ? " " : "") (word ~ /^-/ ? "\\fB" : "\\fI") roff(word) "\\fR" comma
    }
    return out
  }
  # "... Exit status: 0 done, 1 a worker failed, 130 interrupted.": the sentences before it, then
  # one entry per status.
  function statuses(text,   at, codes, items, n, i, code) {
    at = index(text, "Exit status: ")
    if (!at) return ""
    codes = substr(text, at + 13)
    sub(/\.$/, "", codes)
    gsub(/, [0-9]+ /, "\n&", codes)
    n = split(codes, items, "\n")
    out = trim(substr(text, 1, at - 1)) == "" ? "" : roff(trim(substr(text, 1, at - 1))) "\n"
    for (i = 1; i <= n; i++) {
      sub(/^, /, "", items[i])
      code = substr(items[i], 1, index(items[i], " ") - 1)
      out = out ".TP\n.B " code "\n" roff(substr(items[i], length(code) + 2)) "\n"
    }
    return out
  }
  FNR == NR {
    if (FNR == 2) summary = roff($0)
    else if ($0 == "") part++
    else if (part == 1 && $0 ~ /^ +-/ && $0 !~ /^       /) {  # an option, not a continued line
      line = trim($0)
      split_at = index(line, "  ")
      options = options ".TP\n" names(substr(line, 1, split_at - 1)) "\n" roff(trim(substr(line, split_at))) "\n"
    } else if (part == 1) options = options roff(trim($0)) "\n"
    else if (part > 1) epilogue = epilogue " " trim($0)
    next
  }
  FNR == 1 {
    exit_statuses = statuses(trim(epilogue))
    if (summary == "" || options == "" || exit_statuses == "") { broken = 1; exit 1 }
  }
  $0 == "@OPTIONS@" { printf "%s", options; next }
  $0 == "@EXIT_STATUS@" { printf "%s", exit_statuses; next }
  { gsub(/@VERSION@/, version); gsub(/@DATE@/, date); gsub(/@SUMMARY@/, summary); print }
  END { if (broken) print "manpage.sh: the help text no longer has the shape read here" > "/dev/stderr" }
' <(printf '%s\n' "$help") "$2")
gzip -9n <<<"$page" >"$5.new"
mv "$5.new" "$5"
