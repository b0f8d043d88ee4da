#!/usr/bin/env bash
# Builds and runs every test: the normal build, its install tree and Debian
# package, the same suite under AddressSanitizer and UndefinedBehaviorSanitizer,
# the threaded numeric kernels under ThreadSanitizer, and short fuzzer runs.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

# The code keeps the repository's style (.clang-format).
clang-format --dry-run -Werror $(git ls-files 'src/*.cpp' 'src/*.h' 'programs/*.cpp' 'tests/*.cpp' 'tests/*.h' \
  'bench/*.cpp' 'bench/*.h')

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build -j"$jobs" --output-on-failure

# Installed like a desktop program: the install tree, its validators, the man
# pages and the Debian package, all from the build above.
tests/install/check_install.sh build

cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUORVIX_SANITIZE=ON -DQUORVIX_BENCH=OFF >/dev/null
cmake --build build-sanitize -j"$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-sanitize -j"$jobs" --output-on-failure

# The kernels, the reader and the writer split their loops over threads:
# their tests (and the commands' and Auto's, which run them) again under
# ThreadSanitizer, with more threads than this machine has cores.
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVIX_TSAN=ON -DQUORVIX_GUI=OFF >/dev/null
cmake --build build-tsan -j"$jobs" --target core_tests textio_tests commands_tests files_tests cli_tests
for suite in core textio commands files cli; do
  TSAN_OPTIONS=halt_on_error=1 QUORVIX_THREADS=4 build-tsan/tests/${suite}_tests --gtest_brief=1
done

if [ -x scripts/fuzz-short.sh ]; then
  scripts/fuzz-short.sh
fi
