#!/usr/bin/env bash
# Installs what is missing, builds Marvesto and runs every test.
# Needs no display: each real-window test starts its own Xvfb (and the
# Wayland one its own weston in it). Runs as root, or as a user who has sudo
# for what needs root (apt-get). Warnings are errors in every build here.
# Exits non-zero as soon as a stage fails.
#
#   scripts/test.sh              run every stage, in order
#   scripts/test.sh build ctest  run only the stages named
#
#   MARVESTO_BUILD_DIR   build folder (default: build/ in the source tree)
#
# Adding a stage: write a function stage_NAME below and add NAME to STAGES.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${MARVESTO_BUILD_DIR:-$ROOT/build}
JOBS=$(nproc)

STAGES=(deps format build ctest sanitize fuzz deb)

# --- deps: the Debian packages every later stage uses (the game's and the
# test tools).
stage_deps() {
  "$ROOT/scripts/install-deps.sh" test
}

# --- format: every C++ file under src/, tests/ and bench/ laid out as
# .clang-format says (scripts/format-check.sh); early, so that a style slip
# fails in seconds rather than after the build.
stage_format() {
  "$ROOT/scripts/format-check.sh"
}

# --- build: the game and its test programs, into $BUILD_DIR.
stage_build() {
  cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON \
    -DMARVESTO_WERROR=ON
  cmake --build "$BUILD_DIR" --parallel "$JOBS"
}

# --- ctest: every registered test. Unit tests run headless two at a time;
# real-window tests hold one CTest resource lock, so they run one at a time,
# each on its own Xvfb. Screenshots and logs go to $BUILD_DIR/artifacts/.
stage_ctest() {
  ctest --test-dir "$BUILD_DIR" --output-on-failure --no-tests=error --parallel 2
}

# --- sanitize: unit tests and a 50,000-action monkey under ASan/UBSan with leak
# checks, in build-asan/ (BUILD_DIR to change; never the main build folder).
stage_sanitize() {
  "$ROOT/scripts/sanitize.sh"
}

# --- fuzz: the amounts as text under libFuzzer for 60 s (FUZZ_SECONDS), in build-fuzz/.
stage_fuzz() {
  "$ROOT/scripts/fuzz.sh"
}

# --- deb: the Debian package, built by CPack and by debian/ (dpkg-buildpackage),
# each with Debian's hardening flags, in folders of their own under
# $BUILD_DIR; lintian and hardening-check; then apt-get installs it, plays it
# and removes it again (with sudo unless root). Refuses to start when a
# "marvesto" package is already installed: it never removes one it did not
# install.
stage_deb() {
  "$ROOT/tests/install/deb-test.sh" "$BUILD_DIR" "$BUILD_DIR/artifacts"
}

run_stage() {
  local name=$1 started=$SECONDS
  echo
  echo "==== stage: $name"
  "stage_$name"
  echo "==== stage $name passed in $((SECONDS - started)) s"
}

selected=("$@")
if [[ ${#selected[@]} -eq 0 ]]; then
  selected=("${STAGES[@]}")
fi
for name in "${selected[@]}"; do
  if ! declare -F "stage_$name" >/dev/null; then
    echo "test.sh: no stage '$name' (stages: ${STAGES[*]})" >&2
    exit 2
  fi
done

for name in "${selected[@]}"; do
  run_stage "$name"
done
echo
echo "==== all stages passed (${selected[*]}) in $SECONDS s"
