#!/usr/bin/env bash
# Speed and memory of the headless job against sox and ffmpeg chains of the
# same kind, all on one 10-minute stereo 44.1 kHz file made from real music,
# in one run on this machine. Prints real-time factors and our ratios.
#
#   bench/run.sh [build-dir]        (default build/release)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
minutes=${SC_BENCH_MINUTES:-10}

need=()
command -v sox >/dev/null || need+=(sox libsox-fmt-all)
command -v ffmpeg >/dev/null || need+=(ffmpeg)
[ -x /usr/bin/time ] || need+=(time)
[ -d /usr/share/games/singularity/music ] || need+=(singularity-music)
if [ ${#need[@]} -gt 0 ]; then
  sudo=""; [ "$(id -u)" -ne 0 ] && sudo=sudo
  DEBIAN_FRONTEND=noninteractive $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${need[@]}"
fi

if [ ! -x "$build/app/sonoclamper" ]; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$build" -j"$(nproc)" --target sonoclamper
fi
sono=$(readlink -f "$build/app/sonoclamper")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
src="$work/music.wav"
one="$work/one.wav"

# The music: the soundtrack pieces one after another, cut to the length.
mapfile -t pieces < <(ls /usr/share/games/singularity/music/*.ogg | sort)
sox -V1 "${pieces[@]}" -r 44100 -c 2 -b 16 "$work/all.wav" gain -3
sox "$work/all.wav" "$src" trim 0 "$((minutes * 60))" repeat 9 trim 0 "$((minutes * 60))"
sox "$src" "$one" trim 0 60
seconds=$(soxi -D "$src")

# elapsed seconds and peak memory (KiB) of one command
measure() {
  /usr/bin/time -o "$work/time" -f "%e %M" "$@" >/dev/null 2>"$work/err" || { cat "$work/err" >&2; return 1; }
  tail -n 1 "$work/time"
}

ours() { "$sono" --process --quiet "$@"; }

sox_chain=(highpass 100 equalizer 100 1q +1 equalizer 160 1q +1 equalizer 250 1q -1 equalizer 400 1q -1
  equalizer 4000 1q +2
  mcompand "0.005,0.3 6:-40,-40,-10,-10,0,-5" 250 "0.002,0.15 6:-40,-40,-9,-9,0,-4.5" 5800
  "0.0005,0.05 6:-40,-40,-14,-14,0,-7"
  compand 0.001,0.13 "6:-1.01,-1.01,0,-1" 0 -90 0.001)
ffmpeg_graph="highpass=f=100,equalizer=f=100:t=q:w=1:g=1,equalizer=f=160:t=q:w=1:g=1,\
equalizer=f=250:t=q:w=1:g=-1,equalizer=f=400:t=q:w=1:g=-1,equalizer=f=4000:t=q:w=1:g=2,\
acrossover=split=250 5800[l][m][h];\
[l]acompressor=threshold=0.316:ratio=2:attack=10:release=800[lc];\
[m]acompressor=threshold=0.355:ratio=2:attack=6:release=380[mc];\
[h]acompressor=threshold=0.25:ratio=2:attack=1.1:release=130[hc];\
[lc][mc][hc]amix=inputs=3:normalize=0,alimiter=limit=0.89:attack=6:release=130"

run_ours() {  # preset
  rm -f "$work"/music---copy.WAV
  measure "$sono" --process --quiet --preset "$1" "$src"
}

echo "SONOCLAMPER benchmark: ${minutes}-minute stereo 44.1 kHz music file, $(nproc) cores"
read -r t_soft m_soft < <(run_ours VOC_soft)
read -r t_deep m_deep < <(run_ours "Strings: general")
read -r t_sox m_sox < <(measure sox "$src" "$work/sox.wav" "${sox_chain[@]}")
read -r t_ff m_ff < <(measure ffmpeg -nostdin -v error -threads 1 -filter_threads 1 -filter_complex_threads 1 \
  -y -i "$src" -filter_complex "$ffmpeg_graph" "$work/ffmpeg.wav")

rt() { awk -v s="$seconds" -v t="$1" 'BEGIN { printf "%8.1fx", (t > 0 ? s / t : 0) }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%6.2f", (a > 0 ? b / a : 0) }'; }

printf "%-34s %8s %12s %10s\n" "run" "seconds" "real time" "peak MiB"
printf "%-34s %8.2f %12s %10.1f\n" "sonoclamper VOC_soft" "$t_soft" "$(rt "$t_soft")" "$(awk -v m="$m_soft" 'BEGIN{print m/1024}')"
printf "%-34s %8.2f %12s %10.1f\n" "sonoclamper Strings (HPF+100 Hz)" "$t_deep" "$(rt "$t_deep")" "$(awk -v m="$m_deep" 'BEGIN{print m/1024}')"
printf "%-34s %8.2f %12s %10.1f\n" "sox chain" "$t_sox" "$(rt "$t_sox")" "$(awk -v m="$m_sox" 'BEGIN{print m/1024}')"
printf "%-34s %8.2f %12s %10.1f\n" "ffmpeg chain (1 thread)" "$t_ff" "$(rt "$t_ff")" "$(awk -v m="$m_ff" 'BEGIN{print m/1024}')"
echo
echo "speed ratio (peer time / our time; above 1 = we are faster):"
echo "  VOC_soft vs sox:    $(ratio "$t_soft" "$t_sox")    vs ffmpeg: $(ratio "$t_soft" "$t_ff")"
echo "  deepest  vs sox:    $(ratio "$t_deep" "$t_sox")    vs ffmpeg: $(ratio "$t_deep" "$t_ff")"

# memory in the file length: a 1-minute file against the long one
rm -f "$work"/one---copy.WAV
read -r t_one m_one < <(measure "$sono" --process --quiet --preset "Strings: general" "$one")
echo
echo "peak memory ${minutes} min / 1 min: $(ratio "$m_one" "$m_deep") (1.00 = flat in the file length)"

# two files at once
cp "$src" "$work/second.wav"
rm -f "$work"/music---copy.WAV "$work"/second---copy.WAV
read -r t_j1 _ < <(measure "$sono" --process --quiet --preset "Strings: general" --jobs 1 "$src" "$work/second.wav")
rm -f "$work"/music---copy.WAV "$work"/second---copy.WAV
read -r t_j2 _ < <(measure "$sono" --process --quiet --preset "Strings: general" --jobs 2 "$src" "$work/second.wav")
echo "two files, --jobs 2 throughput / --jobs 1: $(ratio "$t_j2" "$t_j1") (2.00 = twice)"
