#!/usr/bin/env bash
# Installs every Debian package rewind needs to build, run and test. Safe to run again.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  libgtest-dev libgmock-dev
  libsdl2-dev
  libegl-dev libgl-dev libegl-mesa0 libgl1-mesa-dri
  libjpeg62-turbo-dev libpng-dev
  libsndfile1-dev libopenmpt-dev libkissfft-dev
  libfreetype-dev libfontconfig-dev fonts-liberation2
  libavcodec-dev libavformat-dev libavutil-dev libswscale-dev libswresample-dev
  xvfb xauth xdotool sox
  file
)

if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null 2>&1; then
    exec sudo --preserve-env=DEBIAN_FRONTEND bash "$0" "$@"
  fi
  echo "setup: run as root (or install sudo) to install: ${packages[*]}" >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
apt_log=$(mktemp)
trap 'rm -f "$apt_log"' EXIT
if ! { apt-get update -qq && apt-get install -y -qq --no-install-recommends "${packages[@]}"; } >"$apt_log" 2>&1; then
  cat "$apt_log" >&2
  echo "setup: installing packages failed" >&2
  exit 1
fi
echo "setup: packages installed"
