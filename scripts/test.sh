#!/usr/bin/env bash
# Builds everything and runs every test: the optimised build, the build with
# AddressSanitizer and UndefinedBehaviorSanitizer, the program with
# ThreadSanitizer on several files at once, and the fuzz targets for a
# bounded time. Window tests run on Xvfb when no display is there.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
jobs=$(nproc)
# A compiler cache, when there is one, makes rebuilds in other checkouts cheap.
launcher=()
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
fuzz_seconds=${SC_FUZZ_SECONDS:-20}

xvfb_pid=""
cleanup() { [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true; }
trap cleanup EXIT
if [ -z "${DISPLAY:-}" ]; then
  for n in 97 98 99 100 101; do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
      Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
      xvfb_pid=$!
      export DISPLAY=":$n"
      for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
      break
    fi
  done
fi

echo "== optimised build"
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" >/dev/null
cmake --build build/release -j"$jobs"
ctest --test-dir build/release --output-on-failure -j"$jobs"

# The window tests ran above on this very code; under the sanitizers the
# unit tests drive the same window code through the scripted platform.
echo "== sanitizer build"
cmake -S . -B build/asan -DCMAKE_BUILD_TYPE=Debug -DSC_SANITIZE=ON -DSC_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build build/asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp \
  ctest --test-dir build/asan --output-on-failure -j"$jobs" --label-exclude window

echo "== race check (ThreadSanitizer, --jobs 4 on real files)"
scripts/race_check.sh build/tsan

if [ -d tests/fuzz ]; then
  echo "== fuzzing (${fuzz_seconds} s per target)"
  cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=Debug -DSC_FUZZ=ON -DSC_WITH_SDL=OFF \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ "${launcher[@]}" >/dev/null
  fuzz_targets=$(sed -n 's/^sc_add_fuzzer(\(fuzz_[a-z_0-9]*\).*/\1/p' tests/fuzz/CMakeLists.txt)
  # shellcheck disable=SC2086
  cmake --build build/fuzz -j"$jobs" --target $fuzz_targets
  for target in build/fuzz/tests/fuzz/fuzz_*; do
    [ -x "$target" ] || continue
    name=$(basename "$target")
    corpus="tests/fuzz/corpus/${name#fuzz_}"
    work=$(mktemp -d)
    cp -r "$corpus"/. "$work"/ 2>/dev/null || true
    echo "-- $name"
    "$target" -max_total_time="$fuzz_seconds" -print_final_stats=1 "$work" 2>&1 | tail -n 3
    rm -rf "$work"
  done
fi
echo "== all tests passed"
