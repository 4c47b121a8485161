#!/usr/bin/env bash
# Installs the Debian packages needed to build, run and test Pemmaro.
# Idempotent: only packages that are missing are installed.
set -euo pipefail

packages=(
  # build
  build-essential cmake pkg-config python3
  qt6-base-dev qt6-multimedia-dev qt6-webengine-dev
  libsndfile1-dev libcdio-dev libcdio-cdda-dev libcdio-paranoia-dev
  libjpeg62-turbo-dev libfftw3-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  # run (xdg-utils: the desktop opens the readme and web pages with xdg-open)
  fonts-liberation qt6-qpa-plugins xdg-utils
  # headless runs and fixtures
  xvfb xauth x11-apps x11-utils xdotool imagemagick pulseaudio pulseaudio-utils sox ffmpeg espeak-ng
  # the desktop entry's and metadata's validators, the package build (dpkg-shlibdeps)
  desktop-file-utils appstream dpkg-dev
)
# `install-deps.sh fuzz`: also clang and its libFuzzer and sanitizer runtimes.
if [ "${1:-}" = fuzz ]; then
  packages+=(clang libclang-rt-dev)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "install-deps: installing ${missing[*]}" >&2
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}"
