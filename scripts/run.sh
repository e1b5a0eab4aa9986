#!/usr/bin/env bash
# Builds SONOCLAMPER and starts it; arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/release -j"$(nproc)" --target sonoclamper
exec build/release/app/sonoclamper "$@"
