#!/usr/bin/env bash
# The quick check for the loop between two edits: the format check, then one
# build folder (build-check) with the engine, quorvix-cli and their tests, and
# the unit tests and golden quorvix-cli cases (ctest labels unit and golden).
# No window, no sanitizers, no fuzzers, no install checks: scripts/test.sh
# runs everything, and is what CI runs.
#   scripts/check.sh            all unit and golden tests
#   scripts/check.sh -R Det     only the tests whose names match (ctest -R)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
jobs=$(nproc)

scripts/check-format.sh
cmake -S . -B build-check -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVIX_GUI=OFF -DQUORVIX_BENCH=OFF >/dev/null
cmake --build build-check -j"$jobs"
ctest --test-dir build-check -j"$jobs" -L 'unit|golden' --output-on-failure "$@"
