#!/usr/bin/env bash
# Data-race check: the program built with ThreadSanitizer processes several
# short real files at once (--process --jobs 4), in every sample format and
# both rates; any report, a failed job or a missing result fails the check.
#
#   scripts/race_check.sh [build-dir]        (default build/race)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/race}
launcher=()
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
# Optimised lightly (-O1, line tables only) and built with clang: quick to
# build, and the reports still name file and line.
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=None -DSC_BUILD_TESTS=OFF -DSC_BUILD_BENCH=OFF -DSC_WITH_SDL=OFF \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_C_FLAGS="-fsanitize=thread -O1 -g1" -DCMAKE_CXX_FLAGS="-fsanitize=thread -O1 -g1" \
  -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=thread "${launcher[@]}" >/dev/null
cmake --build "$build" -j"$(nproc)" --target sonoclamper

music=/usr/share/games/singularity/music
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Fifteen seconds each: stereo at both rates, mono, 24-bit mono, and one
# long enough to still run when the others are done.
sox -V1 "$music/Awakening.ogg" -r 44100 -c 2 -b 16 "$work/stereo.wav" trim 20 15
sox -V1 "$music/Coherence.ogg" -r 48000 -c 2 -b 16 "$work/stereo48.wav" trim 10 15
sox -V1 "$music/Inevitable.ogg" -r 44100 -c 1 -b 16 "$work/mono.wav" trim 30 15
sox -V1 "$music/Deprecation.ogg" -r 44100 -c 1 -b 24 "$work/mono24.wav" trim 5 15
sox -V1 "$music/By-Product.ogg" -r 44100 -c 2 -b 16 "$work/longer.wav" trim 0 40
files=(stereo stereo48 mono mono24 longer)
paths=()
for f in "${files[@]}"; do paths+=("$work/$f.wav"); done

run() {  # preset
  rm -f "$work"/*---copy.WAV
  local status=0
  TSAN_OPTIONS="halt_on_error=1 exitcode=66 second_deadlock_stack=1" \
    "$build/app/sonoclamper" --process --quiet --jobs 4 --preset "$1" "${paths[@]}" \
    >"$work/out.txt" 2>"$work/err.txt" || status=$?
  if [ "$status" -ne 0 ] || grep -q "ThreadSanitizer" "$work/err.txt"; then
    echo "race check failed with $1 (exit $status):" >&2
    cat "$work/out.txt" "$work/err.txt" >&2
    return 1
  fi
  for f in "${files[@]}"; do
    [ -s "$work/$f---copy.WAV" ] || { echo "race check: no result for $f.wav with $1" >&2; return 1; }
  done
}

start=$(date +%s)
run "Strings: general"   # deepest filter, leveler
run VOC_soft
echo "race check: ${#files[@]} files with --jobs 4, two presets, no report ($(($(date +%s) - start)) s)"
