#!/usr/bin/env bash
# The program's sound under X. SDL's "disk" audio driver writes what the
# device receives to a file:
#  - a click on the source strip plays the whole source;
#  - after a job, space over the result strip plays the faded zoom area;
#  - P during a long job is accepted and plays a rehearsal of five faded
#    output chunks while the job goes on;
#  - without any sound device the program starts, works and shows the hint.
# A fourth argument runs one part alone, on its own: "played" (the first
# two), "rehearsal" or "no-device"; without it, all of them.
# Skips (77) without a display, xdotool or sox.
set -u
program=$1
check=$2
read_text=$3
part=${4:-all}
wanted() { [ "$part" = all ] || [ "$part" = "$1" ]; }
[ -n "${DISPLAY:-}" ] || { echo "no DISPLAY: skipped"; exit 77; }
for tool in xdotool sox; do
  command -v "$tool" >/dev/null || { echo "no $tool: skipped"; exit 77; }
done

work=$(mktemp -d)
pid=""
stop_program() {
  if [ -n "$pid" ]; then
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  fi
  pid=""
}
cleanup() {
  stop_program
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAILED: $*"
  exit 1
}

export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
export TEMP="$work" TMPDIR="$work" HOME="$work" XDG_CONFIG_HOME="$work/config"
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/device.raw"
rehearsal="$work/000-SONOCLAMPER-Rehearsal.WAV"

# Starts the program on the files given; sets pid and wid.
start_program() {
  "$program" "$@" >"$work/program.log" 2>&1 &
  pid=$!
  wid=""
  for _ in $(seq 100); do
    sleep 0.2
    kill -0 "$pid" 2>/dev/null || fail "the program ended (log: $(cat "$work/program.log"))"
    wid=$(xdotool search --onlyvisible --pid "$pid" --name "SONOCLAMPER" 2>/dev/null | head -n 1)
    [ -n "$wid" ] && break
  done
  [ -n "$wid" ] || fail "no window appeared"
  sleep 3  # start-up, the file's envelope
}
# A press held long enough for the program's pointer readings.
click_at() {
  xdotool mousemove --window "$wid" "$1" "$2" sleep 0.4 mousedown 1 sleep 0.3 mouseup 1
}
key_at() { xdotool mousemove --window "$wid" "$1" "$2" sleep 0.3 key --window "$wid" "$3"; }
# The text at a row and column of the window (blinking texts are read again
# until they show), starting with the expected text.
expect_text() {
  local row=$1 column=$2 want=$3 got=""
  for _ in $(seq 12); do
    xwd -silent -id "$wid" -out "$work/window.xwd" 2>/dev/null &&
      got=$("$read_text" "$work/window.xwd" "$row" "$column" "${#want}")
    [ "$got" = "$want" ] && return 0
    sleep 0.25
  done
  echo "row $row, column $column: \"$got\", not \"$want\""
  return 1
}
# Waits up to $1 seconds for the command after it to succeed.
wait_for() {
  local seconds=$1
  shift
  for _ in $(seq $((seconds * 4))); do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.25
  done
  "$@"
}

sox -n -r 44100 -c 2 -b 16 "$work/song.wav" synth 12 pinknoise vol 0.3 || fail "sox"

# --- a click on the source strip plays the whole source -----------------------
if wanted played; then
  start_program "$work/song.wav"
  click_at 400 430
  sleep 1
  expect_text 23 14 "PLAY $work/song.wav" || fail "no player box"
  wait_for 20 "$check" device "$work/device.raw" "$work/song.wav" || fail "the source did not sound whole"
  echo "ok: the source strip plays the source"

  # --- START, then space over the result strip plays the faded zoom area --------
  click_at 760 85
  result="$work/song---copy.WAV"
  wait_for 60 test -s "$result" || fail "no result"
  sleep 3
  xdotool key --window "$wid" Return  # the ready hint
  sleep 1
  key_at 400 490 space
  wait_for 10 test -s "$rehearsal" || fail "no zoom clip"
  wait_for 10 "$check" device "$work/device.raw" "$rehearsal" || fail "the zoom clip did not sound"
  "$check" clip "$rehearsal" "$result" 2000 floor || fail "the zoom clip is not the faded area of the result"
  echo "ok: space over the result strip plays its faded zoom area"
  stop_program
fi

# --- P during a long job ----------------------------------------------------------
if wanted rehearsal; then
  rm -f "$rehearsal" "$work/device.raw"
  # 20 minutes of mono: a job estimated well above 22 s
  sox -n -r 44100 -c 1 -b 16 "$work/minute.wav" synth 60 pinknoise vol 0.3 || fail "sox"
  sox "$work/minute.wav" "$work/long.wav" repeat 19 || fail "sox"
  start_program "$work/long.wav"
  click_at 760 85
  long_result="$work/long---copy.WAV.buf"
  # P counts once the job writes; on a busy machine a press may come before
  # that, so it is given again as a person would.
  wait_for 30 test -s "$long_result" || fail "the long job did not start"
  sleep 2
  for _ in 1 2 3; do
    xdotool key --window "$wid" p
    wait_for 6 test -s "$rehearsal" && break
  done
  test -s "$rehearsal" || fail "P was not accepted"
  sleep 1
  "$check" clip "$rehearsal" "$long_result" 6000 round 5 || fail "the rehearsal is not five faded chunks"
  wait_for 10 "$check" device "$work/device.raw" "$rehearsal" || fail "the rehearsal did not sound"
  kill -0 "$pid" || fail "the program ended"
  click_at 760 85  # STOP
  echo "ok: P during a long job plays five faded chunks"
  stop_program
fi

# --- no sound device ------------------------------------------------------------------
if wanted no-device; then
  # The hint that the playing time cannot be told comes at load time and again
  # at the click, instead of sound; the program goes on working.
  export SDL_AUDIODRIVER=no-such-driver
  rm -f "$work/device.raw"
  start_program "$work/song.wav"
  expect_text 46 3 " Spieldauer via Windows nicht ermittelbar." || fail "no hint at load time"
  xdotool key --window "$wid" Return
  sleep 1
  # On a busy machine the key may not have been taken yet, so that the click
  # ends the first hint instead: then a second click is what a person gives.
  clicked=""
  for _ in 1 2 3; do
    click_at 400 430
    sleep 1
    expect_text 46 3 " Spieldauer via Windows nicht ermittelbar. Vermutlich nicht abspielbar." &&
      { clicked=yes; break; }
  done
  [ -n "$clicked" ] || fail "no hint at the click"
  xdotool key --window "$wid" Return
  sleep 1
  kill -0 "$pid" 2>/dev/null || fail "the program ended without a sound device"
  [ ! -e "$work/device.raw" ] || fail "a device was opened"
  echo "ok: without a sound device the program shows the hint and runs on"
fi
