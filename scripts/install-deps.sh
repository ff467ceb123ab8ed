#!/usr/bin/env bash
# Installs the Debian 12 packages Marvesto needs, for one purpose. Runs apt-get
# only when a package is missing, so repeated runs are fast. Needs root, or
# sudo when run as another user.
#
#   scripts/install-deps.sh play   build and play the game (scripts/play.sh)
#   scripts/install-deps.sh test   that, and every test tool (scripts/test.sh)
#   scripts/install-deps.sh --list play|test   print the packages, install nothing
#
#   MARVESTO_SKIP_DEPS=1   skip this step entirely (for machines set up by hand)
set -euo pipefail

PLAY_PACKAGES=(
  # Build: compiler, CMake and Qt 6 (Widgets, Multimedia; qt6-base-dev holds
  # Qt Test's CMake package as well). qt6-base-dev pulls in the OpenGL and
  # Vulkan headers Qt6Gui's CMake package looks for (libgl-dev, libglx-dev,
  # libopengl-dev, libvulkan-dev); libgl-dev is named here too because
  # find_package(Qt6 Gui) fails without it.
  build-essential
  cmake
  qt6-base-dev
  qt6-multimedia-dev
  libgl-dev
  # lupdate and lrelease, and their CMake package (qt6-tools-dev): the game's
  # translations are built into .qm files.
  qt6-l10n-tools
  qt6-tools-dev
  # Run time: the X11 platform plugin ships in libqt6gui6, the Wayland one in
  # qt6-wayland (without it Qt draws through XWayland on a Wayland desktop);
  # the multimedia plugins, and the PulseAudio client QSoundEffect plays
  # through, in libqt6multimedia6; the Italian "OK"/"Annulla" of the standard
  # dialogs in qt6-translations-l10n. No sound server: the sound goes to the
  # desktop's own, PulseAudio or PipeWire's Pulse service.
  libqt6gui6
  qt6-wayland
  libqt6multimedia6
  qt6-translations-l10n
  fonts-dejavu-core
)

TEST_PACKAGES=(
  # Real-window tests: a private X server, input, window queries, screenshots;
  # a private Wayland compositor (weston, nested in that X server).
  xvfb
  xauth
  xdotool
  x11-utils
  imagemagick
  weston
  # Sound: a private sound server the tests start themselves, and tools to
  # measure the cues. Never needed to play.
  pulseaudio
  pulseaudio-utils
  sox
  # Scripts that analyse recordings and screenshots.
  python3
  # What a screen reader hears, for the play test: a session bus, the AT-SPI
  # bus and its Python bindings.
  dbus
  at-spi2-core
  python3-gi
  gir1.2-atspi-2.0
  # The Orca screen reader itself, speaking through speech-dispatcher and
  # espeak-ng into a null ALSA device; its debug log says what it spoke.
  orca
  speech-dispatcher
  speech-dispatcher-espeak-ng
  espeak-ng
  # Packaging checks: validators, dpkg-shlibdeps and dpkg-buildflags for the
  # package build, debhelper for debian/, lintian, hardening-check (devscripts),
  # and strace to see which files the installed game opens.
  desktop-file-utils
  appstream
  dpkg-dev
  debhelper
  lintian
  devscripts
  strace
  # Fuzzing.
  clang
  libclang-rt-14-dev
  # The code style check (scripts/format-check.sh).
  clang-format
)

usage() {
  echo "usage: install-deps.sh [--list] play|test" >&2
  exit 2
}
list_only=
if [[ ${1:-} == --list ]]; then
  list_only=1
  shift
fi
case ${1:-} in
  play) PACKAGES=("${PLAY_PACKAGES[@]}") ;;
  test) PACKAGES=("${PLAY_PACKAGES[@]}" "${TEST_PACKAGES[@]}") ;;
  *) usage ;;
esac
if [[ -n $list_only ]]; then
  printf '%s\n' "${PACKAGES[@]}"
  exit 0
fi

if [[ "${MARVESTO_SKIP_DEPS:-}" == 1 ]]; then
  echo "install-deps: skipped (MARVESTO_SKIP_DEPS=1)"
  exit 0
fi

if ! command -v dpkg-query >/dev/null || ! command -v apt-get >/dev/null; then
  echo "install-deps: this script needs Debian 12 (dpkg and apt-get)" >&2
  exit 1
fi

is_installed() {
  # One status line per installed architecture; any fully installed one counts.
  dpkg-query -W -f='${db:Status-Status}\n' "$1" 2>/dev/null | grep -qx installed
}

missing=()
for package in "${PACKAGES[@]}"; do
  is_installed "$package" || missing+=("$package")
done

if [[ ${#missing[@]} -eq 0 ]]; then
  echo "install-deps: all ${#PACKAGES[@]} packages are installed"
  exit 0
fi

echo "install-deps: installing ${missing[*]}"

as_root=()
if [[ $(id -u) -ne 0 ]]; then
  if command -v sudo >/dev/null; then
    as_root=(sudo)
  else
    echo "install-deps: run as root, or install sudo, to install: ${missing[*]}" >&2
    exit 1
  fi
fi

"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
  apt-get install -y --no-install-recommends "${missing[@]}"

# Check again: apt-get can succeed without leaving a package configured.
still_missing=()
for package in "${missing[@]}"; do
  is_installed "$package" || still_missing+=("$package")
done
if [[ ${#still_missing[@]} -gt 0 ]]; then
  echo "install-deps: still not installed: ${still_missing[*]}" >&2
  exit 1
fi
echo "install-deps: done"
