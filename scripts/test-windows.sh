#!/usr/bin/env bash
# The Windows build, checked from Debian: cross-builds the program and its
# tests with MinGW-w64 (cmake/mingw-w64-x86_64.cmake), runs the tests under
# Wine, then processes real music with sonoclamper.exe under Wine and
# compares the results byte for byte with those of the Linux build
# (build/release, made when missing), a file named with umlauts and spaces
# among them. Installs what it needs with apt-get.
set -euo pipefail
cd "$(dirname "$0")/.."
started=$(date +%s)
jobs=$(nproc)

packages=(
  cmake ccache g++ zlib1g-dev console-setup-linux libgtest-dev libgmock-dev
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix wine wine64
  sox libsox-fmt-all singularity-music
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update
  $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi

launcher=()
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
  # paths below the checkout count relatively: another checkout hits too
  export CCACHE_BASEDIR="$PWD"
fi

# Wine keeps its own Windows below build/; no prompts for Mono or Gecko, no
# debug chatter, UTF-8 names on the command line.
export WINEPREFIX="$PWD/build/wine" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C.UTF-8
# One Wine server for the whole check, ended with it. Its services start
# with the first program and keep that program's output open: wineboot
# starts them (and makes the prefix the first time) while the build runs,
# so that they hold none of the tests' output.
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
mkdir -p "$WINEPREFIX"
wineserver -p
wineboot -u >/dev/null 2>&1 </dev/null &
wine_boot=$!

echo "== Windows build (MinGW-w64)"
cmake -S . -B build/windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release \
  -DSC_BUILD_BENCH=OFF -DCMAKE_UNITY_BUILD=ON "${launcher[@]}" >/dev/null
cmake --build build/windows -j"$jobs"
wait "$wine_boot" || true

echo "== Windows tests under Wine"
ctest --test-dir build/windows --output-on-failure -j"$jobs"

echo "== sonoclamper.exe under Wine against the Linux build"
linux=build/release/app/sonoclamper
if [ ! -x "$linux" ]; then
  cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" >/dev/null
  cmake --build build/release -j"$jobs" --target sonoclamper
fi
exe=build/windows/app/sonoclamper.exe
work=$(mktemp -d)
cleanup() { rm -rf "$work"; wineserver -k >/dev/null 2>&1 || true; }
trap cleanup EXIT
music=/usr/share/games/singularity/music
mkdir -p "$work/src/Grüße aus Köln"
sox "$music/Awakening.ogg" -r 44100 -c 2 -b 16 "$work/src/stereo 16.wav" trim 20 12
sox "$music/Coherence.ogg" -r 48000 -c 1 -b 24 "$work/src/mono 24.wav" trim 30 12
sox "$music/Aberrations.ogg" -r 44100 -c 1 -b 16 "$work/src/mono16.wav" trim 10 12
cp "$work/src/stereo 16.wav" "$work/src/Grüße aus Köln/Lied mit Ümlaut und Ä.wav"

# A Wine run that ends with a failure status is told with its output and
# given once more: Wine itself has failed a run now and then without a word
# from the program. A second failure ends the check.
wine_run() {
  local out status=0
  out=$(wine "$exe" "$@" 2>&1) || status=$?
  [ -n "$out" ] && printf '%s\n' "$out"
  [ "$status" -eq 0 ] && return 0
  echo "   wine $exe $*: status $status; once more"
  wine "$exe" "$@"
}

checked=0
compare() {  # name, options...
  local name=$1
  shift
  rm -rf "$work/linux" "$work/windows"
  mkdir -p "$work/linux" "$work/windows"
  local files=("$work/src/stereo 16.wav" "$work/src/mono 24.wav" "$work/src/mono16.wav")
  "$linux" --process --quiet "$@" --output-dir "$work/linux" -- "${files[@]}"
  wine_run --process --quiet "$@" --output-dir "$work/windows" -- "${files[@]}"
  for f in "$work/linux"/*; do
    cmp "$f" "$work/windows/$(basename "$f")"
    checked=$((checked + 1))
  done
  echo "   $name: $(ls "$work/linux" | wc -l) results byte-identical"
}
compare "VOC_soft" --preset VOC_soft
compare "MUS_hard, leveler slow" --preset MUS_hard --leveler slow
compare "Strings: general, HPF 120, EQ" --preset "Strings: general" --hpf 120 --eq 1k=+3.5 --eq 100=-2
compare "VOC_hard, bypass, input +6 dB" --preset VOC_hard --bypass --input-gain 6
compare "MUS_soft, two files at once" --preset MUS_soft --jobs 2

# a name with umlauts and spaces, written beside its source
umlaut="$work/src/Grüße aus Köln/Lied mit Ümlaut und Ä.wav"
wine_run --process --quiet --preset MUS_soft "Z:${umlaut//\//\\}"
"$linux" --process --quiet --preset MUS_soft --output-dir "$work/linux" "$umlaut"
cmp "$work/src/Grüße aus Köln/Lied mit Ümlaut und Ä---copy.WAV" "$work/linux/Lied mit Ümlaut und Ä---copy.WAV"
checked=$((checked + 1))
echo "   \"Grüße aus Köln/Lied mit Ümlaut und Ä.wav\": processed beside itself, byte-identical"

echo "== Windows check passed: $checked results compared, $(($(date +%s) - started)) s"
