#!/usr/bin/env bash
# Installs what is missing, builds Quorvix and starts the calculator.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)"
if [ -x build/quorvix ] && { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }; then
  exec build/quorvix "$@"
fi
# Without a window (none built, or no display): the start state's A and A+B.
exec build/quorvix-cli A A+B
