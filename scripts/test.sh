#!/usr/bin/env bash
# Builds and runs every test: the format check, the normal build with every
# ctest test (unit, golden, window, stress, install, manual), its install tree
# and Debian package, the same suite under AddressSanitizer and
# UndefinedBehaviorSanitizer, the threaded numeric kernels under
# ThreadSanitizer, and short fuzzer runs. Each stage prints how long it took.
# scripts/check.sh is the quick part of this for the loop between two edits.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

started=$SECONDS
stage_started=$SECONDS
# stage NAME: the stage before it has ended; say how long it took.
stage() {
  if [ -n "${stage_name:-}" ]; then
    printf '== %s: %d:%02d\n' "$stage_name" $(((SECONDS - stage_started) / 60)) $(((SECONDS - stage_started) % 60))
  fi
  stage_name=$1
  stage_started=$SECONDS
  [ -n "$stage_name" ] && printf '== %s\n' "$stage_name"
  return 0
}

stage "format check"
scripts/check-format.sh

stage "build and every ctest test"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build -j"$jobs" --output-on-failure

# Installed like a desktop program: the install tree, its validators, the man
# pages and the Debian package, all from the build above.
stage "install tree and Debian package"
tests/install/check_install.sh build

stage "AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUORVIX_SANITIZE=ON -DQUORVIX_BENCH=OFF >/dev/null
cmake --build build-sanitize -j"$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-sanitize -j"$jobs" --output-on-failure

# The kernels, the reader and the writer split their loops over threads:
# their tests (and the commands' and Auto's, which run them) again under
# ThreadSanitizer, with more threads than this machine has cores. OpenBLAS,
# which the double-precision operations call, runs on one thread here: its
# own threads are not instrumented, so their writes would look like races.
stage "ThreadSanitizer"
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVIX_TSAN=ON -DQUORVIX_GUI=OFF >/dev/null
cmake --build build-tsan -j"$jobs" --target core_tests textio_tests commands_tests files_tests cli_tests
for suite in core textio commands files cli; do
  TSAN_OPTIONS=halt_on_error=1 QUORVIX_THREADS=4 OPENBLAS_NUM_THREADS=1 build-tsan/tests/${suite}_tests --gtest_brief=1
done

stage "fuzzers"
if [ -x scripts/fuzz-short.sh ]; then
  scripts/fuzz-short.sh
fi

stage ""
printf '== all stages: %d:%02d\n' $(((SECONDS - started) / 60)) $(((SECONDS - started) % 60))
