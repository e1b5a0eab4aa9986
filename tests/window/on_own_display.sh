#!/usr/bin/env bash
# Runs a window test on an Xvfb display of its own, the first free number
# of the given range, so that the window tests can run beside each other
# and beside the rest; the display ends with the test.
# Skips (77) without Xvfb.
#   on_own_display.sh FIRST LAST COMMAND [ARG...]
set -u
first=$1
last=$2
shift 2
command -v Xvfb >/dev/null || { echo "no Xvfb: skipped"; exit 77; }
. "$(dirname "$0")/own_display.sh"
trap own_display_stop EXIT
own_display "$first" "$last" || { echo "no free display for Xvfb in :$first to :$last"; exit 1; }
"$@"
