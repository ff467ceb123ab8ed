#!/usr/bin/env bash
# Installs what is missing, builds Marvesto and starts it.
# Needs a display: a desktop session, or an X server such as Xvfb in DISPLAY.
#
#   MARVESTO_BUILD_DIR   build folder (default: build/ in the source tree)
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${MARVESTO_BUILD_DIR:-$ROOT/build}

"$ROOT/scripts/install-deps.sh"

cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$BUILD_DIR" --target marvesto --parallel "$(nproc)"

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  echo "play: no display. Start the game from a desktop session, or under Xvfb:" >&2
  echo "  xvfb-run -s '-screen 0 1280x1024x24' $BUILD_DIR/app/marvesto" >&2
  exit 1
fi

exec "$BUILD_DIR/app/marvesto" "$@"
