#!/usr/bin/env bash
# Batches in the real program under X, driven as a person would:
#  - started with three WAV files it shows the two batch hints and loads the
#    first; F12 processes all three and ends with the finished hint and title;
#  - several files dropped onto the window (XDND) become a batch list with
#    the same hints.
# Skips (77) without a display, xdotool, xwd or sox.
set -u
program=$1
reader=$2
drop=$3
source "$(dirname "$0")/window_support.sh"
require_display xdotool xwd sox
export HOME="$work" SDL_AUDIODRIVER=dummy

for name in a b c; do
  sox -n -r 44100 -c 2 -b 16 "$work/$name.wav" synth 3 pinknoise tremolo 2 80 vol 0.5 || fail "sox"
done
# The two hints of a batch list, each ended by a key.
batch_hints() {
  expect_text 10 46 3 " Empfehlung: langsames Attack und Release." "the first hint of $1" &&
    xdotool key --window "$win" Return
  expect_text 10 46 3 " Suche bei der ersten Datei" "the second hint of $1" &&
    xdotool key --window "$win" Return
  expect_text 10 11 4 "Datei: $work/a.wav" "the first file of $1"
}
# The program waits again when it explains EXIT under the pointer.
waits_again() {
  xdotool mousemove --window "$win" 760 12
  expect_text 10 46 3 " KLICK= BEENDE SONOCLAMPER." "the hover text of EXIT $1"
}

# --- three files from the command line, F12 --------------------------------------
start_program "$work/a.wav" "$work/b.wav" "$work/c.wav"
batch_hints "the command line"
waits_again "before F12"
xdotool key --window "$win" F12
wait_for 20 test -e "$work/b---copy.WAV" || fail "the batch did not reach the second file"
dump_window batch
expect_text 30 46 3 " Stapel ist fertig abgearbeitet." "the finished hint"
dump_window finished
for name in a b c; do
  [ -s "$work/$name---copy.WAV" ] || fail "no result of $name.wav"
done
[ "$(xdotool getwindowname "$win")" = "Fertig SONOCLAMPER" ] || fail "title \"$(xdotool getwindowname "$win")\""
xdotool key --window "$win" Return
waits_again "after the batch"

# --- several files dropped ------------------------------------------------------------
wait_for 5 "$drop" "$win" "$work/a.wav" "$work/notes.txt" "$work/c.wav" || fail "the drop was not taken"
batch_hints "the drop"
expect_text 10 11 4 "Datei: $work/a.wav" "the first file of the dropped batch"
kill -0 "$pid" || fail "the program ended"

[ "$failures" -eq 0 ] || exit 1
echo "a batch of three ran with F12; a drop of several files became a batch"
