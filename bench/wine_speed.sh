#!/usr/bin/env bash
# The Windows build's speed under Wine against the Linux build, in one run
# on this machine: the same 10-minute stereo music file (and its mono 24-bit
# form) processed by both with each kernel build the processor runs
# (SONOCLAMPER_CPU). Prints the seconds of each job as the program measures
# them (--json: wall time from the first read to the renamed result, so
# other load on the machine counts) and the ratio Windows/Linux; Wine's own
# start is not in it.
#
#   bench/wine_speed.sh [linux-build] [windows-build]
#       (default build/release build/windows, both built by
#        scripts/test-windows.sh)
#
# SC_BENCH_MINUTES (default 10) sets the length of the input.
set -euo pipefail
cd "$(dirname "$0")/.."
linux="${1:-build/release}/app/sonoclamper"
windows="${2:-build/windows}/app/sonoclamper.exe"
minutes=${SC_BENCH_MINUTES:-10}
for p in "$linux" "$windows"; do
  [ -x "$p" ] || { echo "missing $p: run scripts/test-windows.sh first" >&2; exit 1; }
done
export WINEPREFIX="$PWD/build/wine" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C.UTF-8
work=$(mktemp -d)
trap 'rm -rf "$work"; wineserver -k >/dev/null 2>&1 || true' EXIT
mkdir -p "$WINEPREFIX"
wineserver -p
wineboot -u >/dev/null 2>&1 </dev/null || true

mapfile -t pieces < <(ls /usr/share/games/singularity/music/*.ogg | sort)
sox -V1 "${pieces[@]}" -r 44100 -c 2 -b 16 "$work/stereo.wav" gain -3 trim 0 $((minutes * 60))
sox "$work/stereo.wav" -c 1 -b 24 "$work/mono24.wav"

seconds_of() { sed -n 's/.*"seconds": \([0-9.]*\).*/\1/p'; }
printf '%-10s %-8s %10s %10s %8s\n' file kernels linux_s windows_s win/lin
for file in stereo mono24; do
  for cpu in generic avx2 avx512; do
    mkdir -p "$work/out"
    l=$(SONOCLAMPER_CPU=$cpu "$linux" --process --quiet --json --output-dir "$work/out" "$work/$file.wav" | seconds_of)
    rm -f "$work/out"/*
    w=$(SONOCLAMPER_CPU=$cpu wine "$windows" --process --quiet --json --output-dir "$work/out" "$work/$file.wav" | seconds_of)
    rm -f "$work/out"/*
    printf '%-10s %-8s %10s %10s %8s\n' "$file" "$cpu" "$l" "$w" "$(awk -v w="$w" -v l="$l" 'BEGIN { printf "%.2f", w / l }')"
  done
done
echo "(a kernel build the processor does not run falls back to the widest it runs)"
