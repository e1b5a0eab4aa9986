#!/usr/bin/env bash
# A signal that asks the program to end ends the window in order: its work
# files go, and the exit status is 128 + the signal number.
# Skips (77) without a display or without xwd.
set -u
program=$1
[ -n "${DISPLAY:-}" ] || { echo "no DISPLAY: skipped"; exit 77; }
command -v xwd >/dev/null || { echo "no xwd (x11-apps): skipped"; exit 77; }

work=$(mktemp -d)
pid=""
cleanup() {
  [ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
export TEMP="$work" TMPDIR="$work" XDG_CONFIG_HOME="$work/config"
title=" SONOCLAMPER | DYNAMIC-PROCESSOR | D45a"
rehearsal="$work/000-SONOCLAMPER-Rehearsal.WAV"

for signal in TERM INT HUP; do
  "$program" &
  pid=$!
  for _ in $(seq 100); do
    sleep 0.2
    kill -0 "$pid" 2>/dev/null || { echo "the program ended before its window was seen"; exit 1; }
    xwd -silent -name "$title" -out /dev/null 2>/dev/null && break
  done
  echo "left by the window" >"$rehearsal"
  kill -"$signal" "$pid"
  wait "$pid"
  status=$?
  pid=""
  expected=$((128 + $(kill -l "$signal")))
  [ "$status" -eq "$expected" ] || { echo "SIG$signal: exit status $status, not $expected"; exit 1; }
  [ ! -e "$rehearsal" ] || { echo "SIG$signal: the rehearsal file was left"; exit 1; }
done
echo "SIGTERM, SIGINT and SIGHUP end the window in order"
