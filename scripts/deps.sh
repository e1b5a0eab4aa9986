#!/usr/bin/env bash
# Installs what building, running and testing need, from Debian's packages.
# Does nothing when everything is already there.
set -euo pipefail

packages=(
  build-essential cmake g++ clang libclang-rt-14-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libsdl2-dev libpng-dev zlib1g-dev
  console-setup-linux
  xvfb xauth x11-apps xdotool libx11-dev desktop-file-utils
  ccache
  lame sox libsox-fmt-all singularity-music
  ffmpeg libebur128-dev
  strace
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update
$sudo apt-get install -y --no-install-recommends "${missing[@]}"
