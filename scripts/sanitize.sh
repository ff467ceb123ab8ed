#!/usr/bin/env bash
# Builds the game and its unit tests with AddressSanitizer and UndefinedBehaviorSanitizer,
# warnings as errors, and runs the unit tests, the randomized game included (shorter than
# its default), failing on the first sanitizer report, leaks included.
#
#   scripts/sanitize.sh          from the source tree's root, no arguments
#   BUILD_DIR                    build folder (default: build-asan in the source tree)
#   MARVESTO_MONKEY_ACTIONS      length of the randomized game (default 50000)
#
# Leaks that Qt and the libraries below it keep on purpose are suppressed in
# tests/sanitizers/lsan.supp; nothing of ours may be listed there.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${BUILD_DIR:-build-asan}
[[ $BUILD_DIR == /* ]] || BUILD_DIR=$ROOT/$BUILD_DIR

# Never turn an ordinary build folder into a sanitizer one.
if grep -qs '^MARVESTO_SANITIZE:BOOL=OFF' "$BUILD_DIR/CMakeCache.txt"; then
  echo "sanitize.sh: $BUILD_DIR is an ordinary build folder; choose another BUILD_DIR" >&2
  exit 2
fi
cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMARVESTO_SANITIZE=ON \
  -DBUILD_TESTING=ON -DMARVESTO_WERROR=ON
cmake --build "$BUILD_DIR" --parallel "$(nproc)"

export ASAN_OPTIONS=halt_on_error=1:abort_on_error=1:detect_leaks=1:check_initialization_order=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export LSAN_OPTIONS=suppressions=$ROOT/tests/sanitizers/lsan.supp:print_suppressions=0
export MARVESTO_MONKEY_ACTIONS=${MARVESTO_MONKEY_ACTIONS:-50000}
ctest --test-dir "$BUILD_DIR" --label-regex '^unit$' --output-on-failure --no-tests=error --parallel 2
