#!/usr/bin/env bash
# A job in the real program under X, driven as a person would:
#  - started with one WAV it shows the file and its envelope; a click on
#    START writes the result, byte for byte what --process writes for the
#    same file and preset, then shows the result envelope and the ready hint;
#  - a file dropped onto the window (XDND, as from a file manager) is loaded;
#  - STOP during its job keeps the older result and leaves no ".buf".
# Skips (77) without a display, xdotool, xwd or sox.
set -u
program=$1
reader=$2
drop=$3
source "$(dirname "$0")/window_support.sh"
require_display xdotool xwd sox
export HOME="$work" SDL_AUDIODRIVER=dummy

song="$work/song.wav"
sox -n -r 44100 -c 2 -b 16 "$song" synth 4 pinknoise tremolo 3 90 vol 0.5 || fail "sox"
# long enough for a STOP in the middle
long="$work/long take.wav"
sox -n -r 44100 -c 1 -b 16 "$long" synth 120 pinknoise vol 0.3 || fail "sox"
mkdir "$work/cli"
"$program" --process --quiet --preset VOC_soft --output-dir "$work/cli" "$song" || fail "the command line failed"

# --- one file: its envelope, START, the result --------------------------------
start_program "$song"
expect_text 10 11 4 "Datei: $song" "the file line after start-up"
source_strip="9 400 792 456"
result_strip="9 461 792 521"
expect_marks 10 4000 $source_strip "the source envelope"
dump_window loaded
empty_result=$(marks $result_strip)
click_at 760 85
wait_for 30 test -e "$work/song---copy.WAV" || fail "no result after START"
expect_text 20 46 3 " Fertig. Zieldatei ist" "the ready hint"
dump_window ready
cmp "$work/song---copy.WAV" "$work/cli/song---copy.WAV" || fail "the window's result differs from --process"
[ "$(marks $result_strip)" -gt $((empty_result + 4000)) ] ||
  fail "no result envelope: $(marks $result_strip) pixels drawn, $empty_result before"
xdotool key --window "$win" Return
# the program waits again: the field under the pointer is explained
expect_text 10 46 3 " KLICK= Prozessor starten." "the hover text of START after the job"

# --- a file dropped onto the window ---------------------------------------------
echo "the older result" >"$work/long take---copy.WAV"
wait_for 5 "$drop" "$win" "$long" || fail "the drop was not taken"
expect_text 10 11 4 "Datei: $long" "the file line after the drop"
expect_text 10 46 3 " KLICK= Prozessor starten." "the hover text of START after the drop"
dump_window dropped
[ "$(marks $result_strip)" -le $((empty_result + 50)) ] ||
  fail "the result strip of the dropped file is not empty: $(marks $result_strip) pixels drawn"

# --- STOP during its job -------------------------------------------------------------
click_at 760 85
wait_for 10 test -e "$work/long take---copy.WAV.buf" || fail "the long job did not start"
sleep 0.3
dump_window running
click_at 760 85
expect_text 10 46 3 " Abbruch durch Nutzer." "the hint after STOP"
dump_window stopped
[ "$(cat "$work/long take---copy.WAV")" = "the older result" ] || fail "STOP did not keep the older result"
[ ! -e "$work/long take---copy.WAV.buf" ] || fail "STOP left the .buf file"
kill -0 "$pid" || fail "the program ended"

[ "$failures" -eq 0 ] || exit 1
echo "one file processed as by --process, a dropped file loaded, STOP kept the older result"
