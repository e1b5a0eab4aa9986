#!/usr/bin/env bash
# The desktop files as "cmake --install" puts them under a prefix: the entry
# (valid, when desktop-file-validate is there), its command with the files a
# launcher gives for %F, and the icons in their sizes. One file given so
# loads in the window: its name stands in the file line, its envelope below.
set -u
build=$1
reader=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAILED: $*"; exit 1; }

prefix="$work/prefix with space"
cmake --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install"
entry="$prefix/share/applications/sonoclamper.desktop"
[ -f "$entry" ] || fail "no desktop entry"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$entry" || fail "the entry is not valid"
fi
grep -qx 'MimeType=audio/x-wav;audio/wav;audio/vnd.wave;audio/mpeg;audio/mp3;audio/x-mp3;' "$entry" || fail "MIME types"
grep -qx 'Icon=sonoclamper' "$entry" || fail "icon name"

# each icon a square of its size (width and height from the PNG header)
for size in 64 128 256; do
  icon="$prefix/share/icons/hicolor/${size}x${size}/apps/sonoclamper.png"
  [ -f "$icon" ] || fail "no icon of $size"
  read -r w1 w2 w3 w4 h1 h2 h3 h4 <<<"$(od -An -tu1 -j16 -N8 "$icon")"
  width=$(((w1 << 24) | (w2 << 16) | (w3 << 8) | w4)) height=$(((h1 << 24) | (h2 << 16) | (h3 << 8) | h4))
  [ "$width x $height" = "$size x $size" ] || fail "the icon of $size is $width x $height"
done

# The command of the entry with one file for %F (a picture instead of the window)
song="$work/my song.wav"
if ! command -v sox >/dev/null; then
  echo "no sox: the command of the entry is not tried"
  exit 0
fi
sox -n -r 44100 -c 2 -b 16 "$song" synth 3 pinknoise || fail "sox"
command=$(sed -n 's/^Exec=//p' "$entry")
[ "${command% %F}" != "$command" ] || fail "the command takes no %F: $command"
eval "set -- ${command% %F}"
[ -x "$1" ] || fail "the command names no installed program: $1"
env -u DISPLAY -u WAYLAND_DISPLAY XDG_CONFIG_HOME="$work/config" "$@" "$song" --screenshot "$work/panel.png" </dev/null >/dev/null 2>&1 ||
  fail "the command failed"
line=$("$reader" "$work/panel.png" 11 4 $((7 + ${#song})))
[ "$line" = "Datei: $song" ] || fail "the file line reads \"$line\""
drawn=$("$reader" "$work/panel.png" --marks 9 400 792 456)
[ "$drawn" -gt 4000 ] || fail "no envelope of the file: $drawn pixels drawn on its strip"
echo "entry, icons and the command of the entry as installed"
