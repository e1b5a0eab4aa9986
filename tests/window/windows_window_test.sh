#!/usr/bin/env bash
# The Windows program's window under Wine on its own Xvfb display: it opens
# at 800 x 525 and shows the same pixels as the Linux program's --screenshot
# picture, a click on a preset button changes the knob texts, and the EXIT
# button ends it with status 0; a file with umlauts and blanks in its name
# dropped onto it (XDND, which Wine hands on as WM_DROPFILES) is loaded, and
# the close key ends it with status 0 too.
#
#   windows_window_test.sh PROGRAM.exe LINUX_PROGRAM XWD_COMPARE XWD_READ [XDND_DROP]
#
# Uses WINEPREFIX when it is set (a prefix made ready beforehand saves the
# start-up of a new one). Skips (77) without wine, Xvfb, xdotool or xwd, or
# without the Linux build's programs.
set -u
exe=$1
linux_program=$2
compare=$3
reader=$4
drop=${5:-}
for tool in wine Xvfb xdotool xwd; do
  command -v "$tool" >/dev/null || { echo "no $tool: skipped"; exit 77; }
done
for linux_tool in "$linux_program" "$compare" "$reader"; do
  [ -x "$linux_tool" ] || { echo "no $linux_tool (the Linux build): skipped"; exit 77; }
done
[ -x "$drop" ] || drop=""

work=$(mktemp -d)
. "$(dirname "$0")/own_display.sh"
# Wine's desktop belongs to its server and opens on the display of the
# program that first wants it: a server that has already run programs
# without a display (the other tests of a Windows check, run before this
# one, never beside it) has a desktop on which no window opens. So the test
# ends the server first; its program starts a new one on the test's display.
# At its end the server is started again as the check had it: without a
# display, kept, its services started by wineboot away from any output.
end_wine_server() {
  wineserver -k 2>/dev/null
  wineserver -w 2>/dev/null
}
pid=""
own_prefix=""
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  own_display_stop
  end_wine_server
  if [ -z "$own_prefix" ]; then
    (unset DISPLAY; wineserver -p </dev/null >/dev/null 2>&1; wineboot -u </dev/null >/dev/null 2>&1)
  fi
  rm -rf "$work"
}
trap cleanup EXIT

# A display of our own, away from the ones the Linux tests use.
own_display 71 79 || { echo "no free display for Xvfb"; exit 1; }

export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
[ -z "${WINEPREFIX:-}" ] && own_prefix=1
export WINEPREFIX=${WINEPREFIX:-$work/wine}
end_wine_server
# The program in a folder of its own: its setups file starts afresh there.
mkdir -p "$work/program" "$work/temp"
cp "$exe" "$work/program/sonoclamper.exe"
# TMPDIR stays: Wine finds its running server through it, and a second
# server over the same prefix would read a registry not yet saved to disk.
export TEMP="$work/temp" HOME="$work" XDG_CONFIG_HOME="$work/config"

failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
window_title=" SONOCLAMPER | DYNAMIC-PROCESSOR | D45a"

"$linux_program" --screenshot "$work/panel.png" || { echo "the Linux screenshot failed"; exit 1; }

# Starts the program ($pid) and waits for its window ($win).
start_program() {
  local started _
  # the window of a program that has just ended may stay a moment under
  # Wine: the new one must not be taken for it
  for _ in $(seq 100); do
    [ -z "$(xdotool search --name "^${window_title}\$" 2>/dev/null)" ] && break
    sleep 0.1
  done
  started=$(date +%s%3N)
  # (its output to files: the Wine services it may start keep them open)
  wine "$work/program/sonoclamper.exe" >"$work/wine.out" 2>"$work/wine.log" &
  pid=$!
  win=""
  for _ in $(seq 300); do
    kill -0 "$pid" 2>/dev/null || { echo "the program ended before its window was seen"; cat "$work/wine.log"; exit 1; }
    win=$(xdotool search --name "^${window_title}\$" 2>/dev/null | head -1)
    [ -n "$win" ] && break
    sleep 0.1
  done
  [ -n "$win" ] || { echo "no window named \"$window_title\" appeared"; exit 1; }
  echo "window after $(( $(date +%s%3N) - started )) ms"
}
# $status: the program's exit status once it has ended (up to 10 s), ""
# while it runs.
wait_for_end() {
  local _
  status=""
  for _ in $(seq 100); do
    if ! kill -0 "$pid" 2>/dev/null; then
      wait "$pid"
      status=$?
      pid=""
      return
    fi
    sleep 0.1
  done
}

start_program

# Texts of the window (tests/window/screen_reading.sh).
source "$(dirname "$0")/screen_reading.sh"

# The pixels, once start-up has finished drawing the panel (up to 10 s).
same=""
for _ in $(seq 30); do
  xwd -silent -id "$win" -out "$work/window.xwd" &&
    "$compare" "$work/window.xwd" "$work/panel.png" ${SC_KEEP_WINDOW_PNG:+"$SC_KEEP_WINDOW_PNG"} >"$work/compare.log" &&
    { same=1; break; }
  sleep 0.3
done
cat "$work/compare.log"
[ -n "$same" ] || fail "the window does not show the Linux picture"

# A preset button: MUS_hard has +6 dB in and 85 ms bass attack.
expect_text 10 25 5 "   4" "IN GAIN at start-up"
# (a click while start-up is still busy goes unserved: then it is given
# again, as a person would)
for _ in 1 2 3; do
  xdotool mousemove --window "$win" 600 330 sleep 0.3 mousedown 1 sleep 0.2 mouseup 1
  for _ in $(seq 15); do
    [ "$(text_at 25 5 4)" = "   6" ] && break 2
    sleep 0.2
  done
done
expect_text 10 25 5 "   6" "IN GAIN after MUS_hard"
expect_text 10 41 37 "  85" "bass attack after MUS_hard"

# EXIT ends the program with status 0.
xdotool mousemove --window "$win" 760 12 sleep 0.3 mousedown 1 sleep 0.2 mouseup 1
wait_for_end
[ "$status" = 0 ] || fail "EXIT: the program ended with status \"$status\" (empty: still running)"

# The close button (Alt + F4 here, where no window manager draws one) ends
# it in order too.
start_program
expect_text 10 25 5 "   4" "IN GAIN at the second start"
if [ -n "$drop" ] && command -v sox >/dev/null; then
  song="$work/Äpfel und Birnen.wav"
  sox -n -r 44100 -c 2 -b 16 "$song" synth 2 pinknoise vol 0.5 || fail "sox"
  # A drop while start-up is still showing its hints goes unserved, as it
  # should: on a slow start the drop is given again, as a person would.
  want="Datei: Z:${song//\//\\}"
  for _ in 1 2 3; do
    "$drop" "$win" "$song" || fail "the drop was not taken"
    for _ in $(seq 15); do
      [ "$(text_at 11 4 "${#want}")" = "$want" ] && break 2
      sleep 0.2
    done
  done
  expect_text 10 11 4 "$want" "the file line after the drop"
else
  echo "no xdnd_drop or sox: the drop is not tried"
fi
xdotool key alt+F4
wait_for_end
[ "$status" = 0 ] || fail "close: the program ended with status \"$status\" (empty: still running)"

[ "$failures" -eq 0 ] || { echo "$failures failures"; exit 1; }
echo "the Windows window passed"
