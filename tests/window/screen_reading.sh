# Reads the program's window back (sourced): its texts and the pixels drawn
# on a box, from dumps of the window $win in $work/w.xwd, read by $reader
# (xwd_read); a failure is told by the test's fail().

# A window dump in $work/w.xwd; kept as PNG under $SC_KEEP_WINDOW_PNG.NAME.png
# when that is set and a name is given.
dump_window() {
  xwd -silent -id "$win" -out "$work/w.xwd" || return 1
  [ -n "${SC_KEEP_WINDOW_PNG:-}" ] && [ -n "${1:-}" ] && "$reader" "$work/w.xwd" --png "$SC_KEEP_WINDOW_PNG.$1.png"
  return 0
}
# The text of $3 characters at (row $1, column $2) as the window shows it now.
text_at() { dump_window && "$reader" "$work/w.xwd" "$1" "$2" "$3"; }
# Waits up to $1 seconds for the text at (row $2, column $3) to read $4
# (blinking texts are read again until they show); fails with $5.
expect_text() {
  local got="" _
  for _ in $(seq $(($1 * 5))); do
    got=$(text_at "$2" "$3" "${#4}")
    [ "$got" = "$4" ] && return 0
    sleep 0.2
  done
  fail "$5: expected \"$4\" at row $2, column $3, saw \"$got\""
  return 1
}
# The pixels drawn on the box x1 y1 x2 y2 of the last dump.
marks() { "$reader" "$work/w.xwd" --marks "$@"; }
# Waits up to $1 seconds for more than $2 pixels drawn on the box $3 ... $6.
expect_marks() {
  local _
  for _ in $(seq $(($1 * 5))); do
    dump_window && [ "$(marks "$3" "$4" "$5" "$6")" -gt "$2" ] && return 0
    sleep 0.2
  done
  fail "$7: $(marks "$3" "$4" "$5" "$6") pixels drawn on $3 $4 $5 $6, not more than $2"
  return 1
}
