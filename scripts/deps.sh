#!/usr/bin/env bash
# Installs every Debian package the build needs. Safe to run again: packages that are
# already installed are skipped without touching the network.
set -euo pipefail

packages=(
  build-essential cmake pkg-config clang-format
  libgtest-dev libgmock-dev libbenchmark-dev
  libopenimageio-dev openimageio-tools
  libembree-dev libtbb-dev
  nlohmann-json3-dev libcli11-dev
  libcairo2-dev libfreetype-dev fonts-dejavu-core
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "deps: installing ${missing[*]}"
  sudo_cmd=()
  [[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
