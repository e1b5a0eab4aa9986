#!/usr/bin/env bash
# Starts the program on the X display, dumps its window with xwd and
# compares the dump with the program's own picture of the start-up panel.
# Skips (77) without a display or without xwd.
set -u
program=$1
compare=$2
[ -n "${DISPLAY:-}" ] || { echo "no DISPLAY: skipped"; exit 77; }
command -v xwd >/dev/null || { echo "no xwd (x11-apps): skipped"; exit 77; }

work=$(mktemp -d)
pid=""
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# The display libraries that SDL loads and unloads keep a few allocations
# to the end of the process; leak checks of our own code are the unit tests'.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
# Work files go to the test's own folder.
export TEMP="$work" TMPDIR="$work"
"$program" --screenshot "$work/panel.png" || { echo "the screenshot failed"; exit 1; }

"$program" &
pid=$!
title=" SONOCLAMPER | DYNAMIC-PROCESSOR | D45a"
for _ in $(seq 100); do
  sleep 0.2
  kill -0 "$pid" 2>/dev/null || { echo "the program ended before its window was seen"; exit 1; }
  if xwd -silent -name "$title" -out "$work/window.xwd" 2>/dev/null; then
    sleep 1  # start-up has drawn the panel by now; dump again
    xwd -silent -name "$title" -out "$work/window.xwd" && break
  fi
done
[ -s "$work/window.xwd" ] || { echo "no window named \"$title\" appeared"; exit 1; }
"$compare" "$work/window.xwd" "$work/panel.png" ${SC_KEEP_WINDOW_PNG:+"$SC_KEEP_WINDOW_PNG"}
