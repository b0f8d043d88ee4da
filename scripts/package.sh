#!/usr/bin/env bash
# Builds the Debian package build-release/quorvix_<version>_<arch>.deb: the
# programs without tests (BUILD_TESTING=OFF) in the folder scripts/run.sh builds in,
# then cpack. Install it with  sudo apt install ./build-release/quorvix_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build=build-release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" -j"$(nproc)"
(cd "$build" && cpack -G DEB)
ls "$build"/quorvix_*.deb
