#!/usr/bin/env bash
# A user setup saved and loaded in the real window, driven by xdotool:
# a right click on u05, a typed name and Enter write the record into the
# setups file; the program started again shows the name in the slot's hover
# text, and a left click on the slot brings the saved setting back.
# Skips (77) without a display, xdotool or xwd.
set -u
program=$1
read=$2
[ -n "${DISPLAY:-}" ] || { echo "no DISPLAY: skipped"; exit 77; }
command -v xdotool >/dev/null || { echo "no xdotool: skipped"; exit 77; }
command -v xwd >/dev/null || { echo "no xwd (x11-apps): skipped"; exit 77; }

work=$(mktemp -d)
pid=""
cleanup() {
  [ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  [ -n "${SC_KEEP_WINDOW_PNG:-}" ] && cp "$work"/*.png "$SC_KEEP_WINDOW_PNG"/ 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
export TEMP="$work" TMPDIR="$work" HOME="$work" XDG_CONFIG_HOME="$work/config"
setups="$work/config/sonoclamper/SONOCLAMPER-SETUP-308"
title=" SONOCLAMPER | DYNAMIC-PROCESSOR | D45a"
fail() { echo "$*"; exit 1; }

start() {
  "$program" &
  pid=$!
  wid=""
  for _ in $(seq 100); do
    sleep 0.2
    kill -0 "$pid" 2>/dev/null || fail "the program ended before its window was seen"
    wid=$(xdotool search --name "^$title\$" 2>/dev/null | head -n 1)
    [ -n "$wid" ] && xwd -silent -id "$wid" -out /dev/null 2>/dev/null && break
  done
  [ -n "$wid" ] || fail "no window named \"$title\" appeared"
  sleep 1  # start-up has drawn the panel by now
  xdotool windowfocus "$wid" 2>/dev/null
}
stop() {
  kill -TERM "$pid"
  wait "$pid" 2>/dev/null
  pid=""
}
# The main loop reads the buttons about ten times a second: hold each press.
click() {  # x y button
  xdotool mousemove --window "$wid" "$1" "$2"
  sleep 0.3
  xdotool mousedown "$3"
  sleep 0.4
  xdotool mouseup "$3"
  sleep 0.8
}
dump() { xwd -silent -id "$wid" -out "$work/$1.xwd" && "$read" "$work/$1.xwd" --png "$work/$1.png"; }
hpf_switch() { "$read" "$work/$1.xwd" 25 11 5; }  # "off" or the frequency
info_line() { "$read" "$work/$1.xwd" 46 1 100; }

# 1. the high-pass filter on, then saved under a name in u05 (x 683-713, y 277-291)
start
click 100 188 1
dump set
click 698 284 3
dump prompt
xdotool type --delay 120 "Podcast"
sleep 0.5
dump typed
xdotool key Return
sleep 1.5
[ -s "$setups" ] || fail "no setups file after the save"
record=$((120 * 5 + 130))
name=$(dd if="$setups" bs=1 skip="$record" count=31 2>/dev/null)
[ "$name" = "Podcast                       3" ] || fail "slot 5 holds \"$name\""
hpf=$(od -An -tu1 -j $((record + 91)) -N1 "$setups" | tr -d ' ')
[ "$hpf" = 100 ] || fail "slot 5 stores the high-pass filter $hpf, not 100"
stop

# 2. started again: the start preset, the name in the hover text, a left click loads
start
dump restarted
hpf_switch set | grep -q 100 || fail "the high-pass switch shows \"$(hpf_switch set)\", not 100"
hpf_switch restarted | grep -q off || fail "the new start shows the high-pass filter \"$(hpf_switch restarted)\""
xdotool mousemove --window "$wid" 698 284
sleep 1
dump hover
info_line hover | grep -q "Podcast" || fail "the hover text of u05 does not name the setup: $(info_line hover)"
click 698 284 1
xdotool mousemove --window "$wid" 400 100
sleep 0.5
dump loaded
hpf_switch loaded | grep -q 100 || fail "a left click on u05 shows the high-pass filter \"$(hpf_switch loaded)\", not 100"
stop
echo "u05 saved, named in its hover text after a restart, and loaded"
