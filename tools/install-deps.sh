#!/usr/bin/env bash
# Installs every Debian package the build, the program and the tests need.
# Safe to run again: apt skips what is already there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang
  dpkg-dev file
  qtbase5-dev qttools5-dev qttools5-dev-tools
  libhidapi-dev libudev-dev libpulse-dev libkissfft-dev libsensors-dev libevdev-dev
  libbenchmark-dev
  umockdev libumockdev-dev dbus-daemon
  pulseaudio pulseaudio-utils
  fonts-dejavu-core fonts-wqy-microhei fonts-tlwg-loma-ttf
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo_cmd apt-get update -qq
  $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
