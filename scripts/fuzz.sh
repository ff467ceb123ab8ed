#!/usr/bin/env bash
# Fuzzes the amounts as text with libFuzzer for a bounded time. Builds the fuzz
# target alone (CMake's fuzz preset: MARVESTO_FUZZ, clang) into its own folder;
# exits non-zero when the build or the target fails.
#
#   scripts/fuzz.sh              from the source tree's root, no arguments
#   FUZZ_SECONDS                 how long to fuzz (default 60)
#   BUILD_DIR                    build folder (default: build-fuzz in the source tree)
#   FUZZ_CXX                     the compiler (default: clang++; another clang only)
#
# Inputs found along the way collect in $BUILD_DIR/corpus; the committed seeds in
# tests/fuzz/corpus are only read. A failing input is saved as $BUILD_DIR/crash-*;
# replay it with: $BUILD_DIR/fuzz_amounts $BUILD_DIR/crash-...
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${BUILD_DIR:-build-fuzz}
[[ $BUILD_DIR == /* ]] || BUILD_DIR=$ROOT/$BUILD_DIR
FUZZ_SECONDS=${FUZZ_SECONDS:-60}
CXX=${FUZZ_CXX:-clang++}

# Never turn an ordinary build folder into a fuzz one.
if [[ -f $BUILD_DIR/CMakeCache.txt ]] \
  && ! grep -qs '^MARVESTO_FUZZ:BOOL=ON' "$BUILD_DIR/CMakeCache.txt"; then
  echo "fuzz.sh: $BUILD_DIR is not a fuzz build folder; choose another BUILD_DIR" >&2
  exit 2
fi
# The fuzz target alone (tests/fuzz/CMakeLists.txt), configured by the fuzz
# preset in CMakePresets.json, into BUILD_DIR and with FUZZ_CXX.
cmake -S "$ROOT" --preset fuzz -B "$BUILD_DIR" -DCMAKE_CXX_COMPILER="$CXX"
cmake --build "$BUILD_DIR" --parallel "$(nproc)"
mkdir -p "$BUILD_DIR/corpus"

# A smaller quarantine keeps the memory of a long run modest.
export ASAN_OPTIONS=halt_on_error=1:abort_on_error=1:detect_leaks=1:quarantine_size_mb=64
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export LSAN_OPTIONS=suppressions=$ROOT/tests/sanitizers/lsan.supp:print_suppressions=0
"$BUILD_DIR/fuzz_amounts" -max_total_time="$FUZZ_SECONDS" -timeout=10 -print_final_stats=1 \
  -dict="$ROOT/tests/fuzz/amounts.dict" -artifact_prefix="$BUILD_DIR/" \
  "$BUILD_DIR/corpus" "$ROOT/tests/fuzz/corpus"
