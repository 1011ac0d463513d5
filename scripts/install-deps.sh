#!/usr/bin/env bash
# Installs the whole build and test stack from Debian packages. Idempotent and
# quiet when everything is already there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  clang-14 libclang-rt-14-dev clang-format
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-multimedia-dev
  qt6-image-formats-plugins qt6-qpa-plugins libqt6svg6 libqt6opengl6-dev libgl-dev
  libwmf-dev libemf2svg-dev libuemf-dev
  libogg-dev libvorbis-dev vorbis-tools sox libsdl2-dev libsdl2-image-dev
  libavformat-dev libavcodec-dev libswscale-dev libavutil-dev ffmpeg
  pulseaudio xvfb xauth xdotool x11-utils imagemagick python3 fonts-urw-base35
  desktop-file-utils appstream shared-mime-info xdg-utils libfile-mimeinfo-perl
  man-db groff-base bash-completion dpkg-dev file
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "install-deps: missing packages (${missing[*]}); run as root to install them" >&2
  exit 1
fi

echo "install-deps: installing ${#missing[@]} packages: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
