#!/usr/bin/env bash
# The real program under X, driven as a person would: the pointer moves,
# left and right clicks, keys; what the window shows is read back from its
# pixels. Skips (77) without a display, xdotool or xwd.
set -u
program=$1
reader=$2
source "$(dirname "$0")/window_support.sh"
require_display xdotool xwd
export HOME="$work"
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }

"$program" &
pid=$!
wait_for_window
win=$(xdotool search --name "^${window_title}\$" | head -1)
[ -n "$win" ] || { echo "xdotool does not find the window"; exit 1; }
sleep 1

point() { xdotool mousemove --window "$win" "$1" "$2"; sleep 0.6; }
click() { xdotool mousemove --window "$win" "$1" "$2" click "$3"; sleep 0.6; }

# Hover texts: EXIT, then the INFO button.
point 760 12
expect_text 10 46 3 " KLICK= BEENDE SONOCLAMPER." "hover over EXIT"
point 760 36
expect_text 10 46 3 " KLICK= Mehrseitige Informationen." "hover over INFO"

# A preset button changes the knob texts: MUS_hard has +6 dB in and 85 ms
# bass attack where the start-up preset has +4 dB and 14 ms.
expect_text 10 25 5 "   4" "IN GAIN at start-up"
expect_text 10 41 37 "  14" "bass attack at start-up"
click 600 330 1
expect_text 10 25 5 "   6" "IN GAIN after MUS_hard"
expect_text 10 41 37 "  85" "bass attack after MUS_hard"

# Three right clicks on IN GAIN: +3 dB, one step each.
click 40 180 3
expect_text 10 25 5 "   7" "IN GAIN after one right click"
click 40 180 3
expect_text 10 25 5 "   8" "IN GAIN after two right clicks"
click 40 180 3
expect_text 10 25 5 "   9" "IN GAIN after three right clicks"
click 40 180 1
expect_text 10 25 5 "   8" "IN GAIN after a left click"

# The equalizer: two left clicks on the 1 kHz band, then the 0 key with the
# pointer over the bars; the hover text tells the band's gain.
click 65 240 1
point 66 240
expect_text 10 46 3 " KLICK  links/rechts = Equalizer.    1 kHz  +0.5 dB" "1 kHz raised by one click"
click 65 240 1
point 66 240
expect_text 10 46 3 " KLICK  links/rechts = Equalizer.    1 kHz  +1.0 dB" "1 kHz raised by two clicks"
xdotool key 0
sleep 0.6
point 65 240
expect_text 10 46 3 " KLICK  links/rechts = Equalizer.    1 kHz  +0.0 dB" "the 0 key over the equalizer"

# The vocal selection screen: the box opens over the setup block, a click on
# "VOKAL: Bass_Soft" chooses it (bass attack 40 ms) and the panel comes back.
click 660 258 1
expect_text 10 50 77 "VOKAL: Bass_Soft" "the vocal selection screen"
click 650 392 1
expect_text 10 41 37 "  40" "bass attack after VOKAL: Bass_Soft"
expect_text 10 33 81 "MEHR V" "the panel after the selection screen"

# The language field switches the panel.
click 760 332 1
expect_text 10 42 95 "DEU" "language field in English"
expect_text 10 33 81 "MORE V" "vocal button in English"
point 760 12
expect_text 10 46 3 " CLICK= EXIT SONOCLAMPER." "hover over EXIT in English"

# EXIT ends the program with status 0.
click 760 12 1
for _ in $(seq 50); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
  fail "EXIT did not end the program"
else
  wait "$pid"
  status=$?
  pid=""
  [ "$status" -eq 0 ] || fail "EXIT ended the program with status $status"
fi

[ "$failures" -eq 0 ] || exit 1
echo "the window answered every move, click and key"
