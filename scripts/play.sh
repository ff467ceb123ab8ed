#!/usr/bin/env bash
# Installs what is missing, builds Marvesto and starts it.
# Needs an X display (DISPLAY): a desktop session (on Wayland, through
# XWayland), or an X server such as Xvfb.
#
#   MARVESTO_BUILD_DIR   build folder (default: build/ in the source tree)
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${MARVESTO_BUILD_DIR:-$ROOT/build}

if [[ -z "${DISPLAY:-}" ]]; then
  echo "play: no display. Start it from a desktop session, or under Xvfb:" >&2
  echo "  xvfb-run -s '-screen 0 1280x1024x24' $0" >&2
  exit 1
fi

"$ROOT/scripts/install-deps.sh"

cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$BUILD_DIR" --target marvesto --parallel "$(nproc)"

# The game draws through Qt's X11 platform plugin (installed with Qt itself).
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-xcb}
exec "$BUILD_DIR/app/marvesto" "$@"
