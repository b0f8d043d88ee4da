#!/usr/bin/env bash
# The code keeps the repository's style (.clang-format): every C++ file under
# version control, checked without changing it. `clang-format -i FILE` mends one.
set -euo pipefail
cd "$(dirname "$0")/.."
clang-format --dry-run -Werror $(git ls-files 'src/*.cpp' 'src/*.h' 'programs/*.cpp' 'tests/*.cpp' 'tests/*.h' \
  'bench/*.cpp' 'bench/*.h')
