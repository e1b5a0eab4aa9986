#!/usr/bin/env bash
# Starts the program on the X display, dumps its window with xwd and
# compares the dump with the program's own picture of the start-up panel.
# Skips (77) without a display or without xwd.
set -u
program=$1
compare=$2
source "$(dirname "$0")/window_support.sh"
require_display xwd

"$program" --screenshot "$work/panel.png" || { echo "the screenshot failed"; exit 1; }

"$program" &
pid=$!
wait_for_window
sleep 1  # start-up has drawn the panel by now
xwd -silent -name "$window_title" -out "$work/window.xwd" || { echo "no window dump"; exit 1; }
"$compare" "$work/window.xwd" "$work/panel.png" ${SC_KEEP_WINDOW_PNG:+"$SC_KEEP_WINDOW_PNG"}
