#!/usr/bin/env bash
# Builds every fuzz target of tests/fuzz (*_fuzz.cpp) with clang, libFuzzer,
# AddressSanitizer and UndefinedBehaviorSanitizer, and runs each for about
# 30 seconds from its seed corpus (tests/fuzz/corpus/<name without _fuzz>/).
# New inputs go to a scratch folder, so the committed corpus is not changed.
# Exits non-zero when a target crashes; the crashing input is kept under
# <build>/fuzz-artifacts/.
#   QUORVIX_FUZZ_BUILD    build folder (default build-fuzz)
#   QUORVIX_FUZZ_SECONDS  seconds per target (default 30)
set -euo pipefail
cd "$(dirname "$0")/.."

build=${QUORVIX_FUZZ_BUILD:-build-fuzz}
seconds=${QUORVIX_FUZZ_SECONDS:-30}
jobs=$(nproc)

shopt -s nullglob
sources=(tests/fuzz/*_fuzz.cpp)
if [ ${#sources[@]} -eq 0 ]; then
  echo "fuzz-short: no fuzz targets"
  exit 0
fi
targets=()
for source in "${sources[@]}"; do
  targets+=("$(basename "$source" .cpp)")
done

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DQUORVIX_FUZZ=ON -DQUORVIX_GUI=OFF -DQUORVIX_BENCH=OFF >/dev/null
cmake --build "$build" -j"$jobs" --target "${targets[@]}"

artifacts="$build/fuzz-artifacts"
mkdir -p "$artifacts"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

failed=()
for target in "${targets[@]}"; do
  binary="$build/tests/fuzz/$target"
  corpus="tests/fuzz/corpus/${target%_fuzz}"
  work="$scratch/$target"
  mkdir -p "$work"
  inputs=("$work")
  [ -d "$corpus" ] && inputs+=("$corpus")
  echo "== $target (${seconds}s)"
  if ! ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
      "$binary" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$artifacts/$target-" \
      "${inputs[@]}"; then
    failed+=("$target")
  fi
done

if [ ${#failed[@]} -ne 0 ]; then
  echo "fuzz-short: crashed: ${failed[*]} (inputs in $artifacts)"
  exit 1
fi
echo "fuzz-short: ${#targets[@]} target(s) ran clean"
