# Shared by the window tests (sourced): the display checks, a work folder
# that goes at the end, and the program's window found by its title.

# Skips (77) unless there is a display and the named tools.
require_display() {
  [ -n "${DISPLAY:-}" ] || { echo "no DISPLAY: skipped"; exit 77; }
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null || { echo "no $tool: skipped"; exit 77; }
  done
}

# $work: a folder for the work files and the setups file; $pid: the program
# started in the background, ended when the test ends.
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
export TEMP="$work" TMPDIR="$work" XDG_CONFIG_HOME="$work/config"

window_title=" SONOCLAMPER | DYNAMIC-PROCESSOR | D45a"

# Waits until the program ($pid) shows its window; fails when it ends first.
wait_for_window() {
  local _
  for _ in $(seq 100); do
    sleep 0.2
    kill -0 "$pid" 2>/dev/null || { echo "the program ended before its window was seen"; exit 1; }
    xwd -silent -name "$window_title" -out /dev/null 2>/dev/null && return 0
  done
  echo "no window named \"$window_title\" appeared"
  exit 1
}

# --- the program driven by the job tests (set reader to xwd_read first) ---
# Starts the program on the arguments given; sets pid and win.
start_program() {
  "$program" "$@" >"$work/program.log" 2>&1 &
  pid=$!
  wait_for_window
  win=$(xdotool search --onlyvisible --pid "$pid" --name SONOCLAMPER | head -1)
  [ -n "$win" ] || { echo "xdotool does not find the window"; exit 1; }
}
# Reading the window back: texts and drawn pixels.
source "$(dirname "${BASH_SOURCE[0]}")/screen_reading.sh"
# A press held long enough for the program's pointer readings.
click_at() { xdotool mousemove --window "$win" "$1" "$2" sleep 0.3 mousedown 1 sleep 0.2 mouseup 1; }
# Waits up to $1 seconds for the command after it to succeed.
wait_for() {
  local tenths=$(($1 * 10)) _
  shift
  for _ in $(seq "$tenths"); do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
