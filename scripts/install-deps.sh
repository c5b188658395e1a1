#!/usr/bin/env bash
# Installs every Debian package that building, testing, fuzzing and running Plax need.
# Safe to run again: it only calls apt-get when something is missing.
set -euo pipefail

packages=(
  build-essential cmake make pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev
  # the peer benchmark only (bench/peer_bench.cpp); the build and the tests do without it
  libboost-graph-dev
  clang libclang-rt-dev clang-format
  fonts-liberation xvfb xauth
  libwmf-bin fonts-urw-base35
  imagemagick libmagickcore-6.q16-6-extra
  # the checks of the installed files: the desktop entry and the AppStream metainfo
  desktop-file-utils appstream
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

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
