#!/usr/bin/env bash
# Fuzzes the amounts as text (src/shell/amounts.cpp) with libFuzzer for a bounded
# time. Builds with clang into its own folder; exits non-zero when the target fails.
#
#   scripts/fuzz.sh              from the source tree's root, no arguments
#   FUZZ_SECONDS                 how long to fuzz (default 60)
#   BUILD_DIR                    build folder (default: build-fuzz in the source tree)
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

mkdir -p "$BUILD_DIR/corpus"
# Qt's headers as system headers, so that the warnings asked for are about our code.
QT_CFLAGS=$(pkg-config --cflags Qt6Core | sed 's/-I/-isystem /g')
# shellcheck disable=SC2086
"$CXX" -std=c++20 -g -O1 -fPIC -Wall -Wextra -Wpedantic -Werror \
  -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I"$ROOT/src" $QT_CFLAGS \
  "$ROOT/src/shell/amounts.cpp" "$ROOT/tests/fuzz/fuzz_amounts.cpp" \
  $(pkg-config --libs Qt6Core) -o "$BUILD_DIR/fuzz_amounts"

# A smaller quarantine keeps the memory of a long run modest.
export ASAN_OPTIONS=halt_on_error=1:abort_on_error=1:detect_leaks=1:quarantine_size_mb=64
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export LSAN_OPTIONS=suppressions=$ROOT/tests/sanitizers/lsan.supp:print_suppressions=0
"$BUILD_DIR/fuzz_amounts" -max_total_time="$FUZZ_SECONDS" -timeout=10 -print_final_stats=1 \
  -dict="$ROOT/tests/fuzz/amounts.dict" -artifact_prefix="$BUILD_DIR/" \
  "$BUILD_DIR/corpus" "$ROOT/tests/fuzz/corpus"
