#!/usr/bin/env bash
# Builds everything and runs every test: the optimised build, the build with
# AddressSanitizer and UndefinedBehaviorSanitizer, the program with
# ThreadSanitizer on several files at once, and the fuzz targets for a
# bounded time. The window tests start an Xvfb display each.
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

echo "== optimised build"
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" >/dev/null
cmake --build build/release -j"$jobs"
# Twice as many tests as cores: the window tests spend most of their time
# waiting for the window and the sound.
ctest --test-dir build/release --output-on-failure -j"$((jobs * 2))"

# The window tests ran above on this very code; under the sanitizers the
# unit tests drive the same window code through the scripted platform.
# Built with clang (the same sanitizers, a build of half the time) and line
# tables only for the reports.
echo "== sanitizer build"
cmake -S . -B build/sanitize -DCMAKE_BUILD_TYPE=Debug -DSC_SANITIZE=ON -DSC_BUILD_BENCH=OFF \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_FLAGS_DEBUG=-g1 -DCMAKE_CXX_FLAGS_DEBUG=-g1 \
  "${launcher[@]}" >/dev/null
cmake --build build/sanitize -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp \
  ctest --test-dir build/sanitize --output-on-failure -j"$jobs" --label-exclude window

echo "== race check (ThreadSanitizer, --jobs 4 on real files)"
scripts/race_check.sh build/race

if [ -d tests/fuzz ]; then
  echo "== fuzzing (${fuzz_seconds} s per target)"
  cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=Debug -DSC_FUZZ=ON -DSC_WITH_SDL=OFF \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ "${launcher[@]}" >/dev/null
  fuzz_targets=$(sed -n 's/^sc_add_fuzzer(\(fuzz_[a-z_0-9]*\).*/\1/p' tests/fuzz/CMakeLists.txt)
  # shellcheck disable=SC2086
  cmake --build build/fuzz -j"$jobs" --target $fuzz_targets
  # The targets run side by side, one a core; each one's summary follows.
  work=$(mktemp -d)
  pids=()
  for target in build/fuzz/tests/fuzz/fuzz_*; do
    [ -x "$target" ] || continue
    name=$(basename "$target")
    mkdir -p "$work/$name"
    cp -r "tests/fuzz/corpus/${name#fuzz_}"/. "$work/$name"/ 2>/dev/null || true
    "$target" -max_total_time="$fuzz_seconds" -print_final_stats=1 "$work/$name" >"$work/$name.log" 2>&1 &
    pids+=("$!:$name")
  done
  failed=0
  for entry in "${pids[@]}"; do
    name=${entry#*:}
    echo "-- $name"
    if wait "${entry%%:*}"; then
      tail -n 3 "$work/$name.log"
    else
      tail -n 40 "$work/$name.log"
      failed=1
    fi
  done
  rm -rf "$work"
  [ "$failed" -eq 0 ] || { echo "fuzzing found a fault"; exit 1; }
fi
echo "== all tests passed"
