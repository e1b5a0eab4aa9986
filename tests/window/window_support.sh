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
