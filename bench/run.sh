#!/usr/bin/env bash
# Speed and memory of the headless job against sox and ffmpeg chains of the
# same kind, in one run on this machine. CPU seconds (user + system) decide,
# so that other load on the machine does not; real-time factors are audio
# seconds per CPU second.
#
#   bench/run.sh [build-dir]        (default build/release)
#
# SC_BENCH_MINUTES (default 10) sets the length of every input; SC_BENCH_LONG=1
# adds a 60-minute file to the memory comparison.
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
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$build" -j"$(nproc)" --target sonoclamper
fi
sono=$(readlink -f "$build/app/sonoclamper")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
seconds=$((minutes * 60))

# The music: the soundtrack pieces one after another, cut to the length, in
# the formats the program reads.
mapfile -t pieces < <(ls /usr/share/games/singularity/music/*.ogg | sort)
sox -V1 "${pieces[@]}" -r 44100 -c 2 -b 16 "$work/all.wav" gain -3
sox "$work/all.wav" "$work/stereo.wav" trim 0 "$seconds" repeat 9 trim 0 "$seconds"
sox "$work/stereo.wav" -c 1 "$work/mono.wav"
sox "$work/stereo.wav" -c 1 -b 24 "$work/mono24.wav"
sox "$work/stereo.wav" -r 48000 "$work/stereo48.wav"
sox "$work/stereo.wav" "$work/one.wav" trim 0 60
rm "$work/all.wav"
# Constant levels whose equalizer sums all lie next to a rounding boundary
# under the preset named with them: stereo 44.1 kHz, the same length.
constant() {  # level name
  perl -e 'my $f = pack("s<s<", $ARGV[0], $ARGV[0]); my $b = $f x 44100;
           print $b for 1 .. $ARGV[1];' -- "$1" "$seconds" >"$work/$2.raw"
  sox -t raw -r 44100 -e signed -b 16 -c 2 "$work/$2.raw" "$work/$2.wav"
  rm "$work/$2.raw"
}
constant -13834 level13834
constant -12167 level12167
constant -25432 level25432
constant -27827 level27827

# CPU seconds, elapsed seconds and peak memory (KiB) of one command
measure() {
  /usr/bin/time -o "$work/time" -f "%U %S %e %M" "$@" >/dev/null 2>"$work/err" || { cat "$work/err" >&2; return 1; }
  awk '{ printf "%.3f %.2f %d\n", $1 + $2, $3, $4 }' <(tail -n 1 "$work/time")
}

ours() {  # preset file
  rm -f "$work"/*---copy.WAV
  measure "$sono" --process --quiet --preset "$1" "$2"
}

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
sox_on() { measure sox "$1" "$work/sox.wav" "${sox_chain[@]}"; }

rt() { awk -v s="$seconds" -v t="$1" 'BEGIN { printf "%.0fx", (t > 0 ? s / t : 0) }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", (a > 0 ? b / a : 0) }'; }
mib() { awk -v m="$1" 'BEGIN { printf "%.1f", m / 1024 }'; }

echo "SONOCLAMPER benchmark: ${minutes}-minute inputs, $(nproc) cores, CPU seconds (user + system)"
printf "%-46s %8s %9s %8s %8s %9s\n" "input, preset" "CPU s" "real time" "MiB" "sox CPU" "sox/ours"
declare -A cpu
row() {  # key label preset file
  local c e m sc se sm
  read -r c e m < <(ours "$3" "$4")
  read -r sc se sm < <(sox_on "$4")
  cpu[$1]=$c
  printf "%-46s %8.2f %9s %8s %8.2f %9s\n" "$2" "$c" "$(rt "$c")" "$(mib "$m")" "$sc" "$(ratio "$c" "$sc")"
}
deep="Strings: general"
row stereo "music stereo 44.1 kHz, $deep" "$deep" "$work/stereo.wav"
row mono "music mono 16 bit, $deep" "$deep" "$work/mono.wav"
row mono24 "music mono 24 bit, $deep" "$deep" "$work/mono24.wav"
row stereo48 "music stereo 48 kHz, $deep" "$deep" "$work/stereo48.wav"
row c13834 "level -13834 stereo, $deep" "$deep" "$work/level13834.wav"
row m12167 "music stereo, SETUP_SOPRAN_MEDIUM" SETUP_SOPRAN_MEDIUM "$work/stereo.wav"
row c12167 "level -12167 stereo, SETUP_SOPRAN_MEDIUM" SETUP_SOPRAN_MEDIUM "$work/level12167.wav"
row m25432 "music stereo, SETUP_ALT_MEDIUM" SETUP_ALT_MEDIUM "$work/stereo.wav"
row c25432 "level -25432 stereo, SETUP_ALT_MEDIUM" SETUP_ALT_MEDIUM "$work/level25432.wav"
row m27827 "music stereo, SETUP_SN_ALLG" SETUP_SN_ALLG "$work/stereo.wav"
row c27827 "level -27827 stereo, SETUP_SN_ALLG" SETUP_SN_ALLG "$work/level27827.wav"
row soft "music stereo 44.1 kHz, VOC_soft" VOC_soft "$work/stereo.wav"

# ffmpeg: the same kind of chain, one thread
read -r t_ff _ _ < <(measure ffmpeg -nostdin -v error -threads 1 -filter_threads 1 -filter_complex_threads 1 \
  -y -i "$work/stereo.wav" -filter_complex "$ffmpeg_graph" "$work/ffmpeg.wav")
echo
echo "deepest stereo vs ffmpeg chain (1 thread): ffmpeg ${t_ff} CPU s, ffmpeg/ours $(ratio "${cpu[stereo]}" "$t_ff")"
# Per sample: mono has half the samples of stereo.
echo "mono cost per sample / stereo:      16 bit $(ratio "${cpu[stereo]}" "$(awk -v m="${cpu[mono]}" 'BEGIN { print 2 * m }')")," \
  "24 bit $(ratio "${cpu[stereo]}" "$(awk -v m="${cpu[mono24]}" 'BEGIN { print 2 * m }')")  (goal: at most 1.25)"
echo "constant level / music, same preset: -13834 $(ratio "${cpu[stereo]}" "${cpu[c13834]}")," \
  "-12167 $(ratio "${cpu[m12167]}" "${cpu[c12167]}"), -25432 $(ratio "${cpu[m25432]}" "${cpu[c25432]}")," \
  "-27827 $(ratio "${cpu[m27827]}" "${cpu[c27827]}")  (goal: at most 1.5)"

# memory in the file length
read -r _ _ m_one < <(ours "$deep" "$work/one.wav")
read -r _ _ m_long < <(ours "$deep" "$work/stereo.wav")
echo "peak memory: 1 min $(mib "$m_one") MiB, ${minutes} min $(mib "$m_long") MiB"
if [ "${SC_BENCH_LONG:-0}" = 1 ]; then
  sox "$work/stereo.wav" "$work/hour.wav" repeat $((60 / minutes - 1))
  read -r _ _ m_hour < <(ours "$deep" "$work/hour.wav")
  echo "peak memory: 60 min $(mib "$m_hour") MiB"
  rm -f "$work/hour.wav"
fi

# two files at once
cp "$work/stereo.wav" "$work/second.wav"
rm -f "$work"/*---copy.WAV
read -r _ e_j1 _ < <(measure "$sono" --process --quiet --preset "$deep" --jobs 1 "$work/stereo.wav" "$work/second.wav")
rm -f "$work"/*---copy.WAV
read -r _ e_j2 _ < <(measure "$sono" --process --quiet --preset "$deep" --jobs 2 "$work/stereo.wav" "$work/second.wav")
echo "two files, --jobs 2 throughput / --jobs 1 (elapsed): $(ratio "$e_j2" "$e_j1") (2.00 = twice)"
