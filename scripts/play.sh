#!/usr/bin/env bash
# Installs what is missing to build and play (scripts/install-deps.sh play: no
# test tool, no sound server), builds Marvesto and starts it.
# Needs a display: a Wayland or X11 desktop session, or an X server such as
# Xvfb. Qt chooses how to draw: natively on Wayland when WAYLAND_DISPLAY is set,
# on the X server in DISPLAY otherwise (QT_QPA_PLATFORM=xcb or =wayland
# chooses one). The sound goes to the desktop's sound server, PulseAudio or
# PipeWire's Pulse service.
#
#   MARVESTO_BUILD_DIR   build folder (default: build/ in the source tree)
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${MARVESTO_BUILD_DIR:-$ROOT/build}

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  echo "play: no display (neither WAYLAND_DISPLAY nor DISPLAY is set)." >&2
  echo "Start it from a desktop session, or under Xvfb:" >&2
  echo "  xvfb-run -s '-screen 0 1280x1024x24' $0" >&2
  exit 1
fi

"$ROOT/scripts/install-deps.sh" play

# The game alone: no tests, no benchmarks. A folder scripts/test.sh configured
# keeps its settings; only the game is built here.
if [[ -f $BUILD_DIR/CMakeCache.txt ]]; then
  cmake -S "$ROOT" -B "$BUILD_DIR"
else
  cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF
fi
cmake --build "$BUILD_DIR" --target marvesto --parallel "$(nproc)"

exec "$BUILD_DIR/app/marvesto" "$@"
