#!/usr/bin/env bash
# Installs the Debian packages Quorvix needs to build, test and run, when missing.
set -euo pipefail
packages=(cmake ninja-build g++ clang clang-format libclang-rt-14-dev qt6-base-dev libgl-dev libgtest-dev
          libbenchmark-dev libeigen3-dev liblapacke-dev libopenblas-dev fp-utils xvfb xauth python3 python3-pil
          xdotool desktop-file-utils appstream shared-mime-info man-db groff-base dpkg-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
