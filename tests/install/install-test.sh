#!/usr/bin/env bash
# `cmake --install` into a fresh prefix gives a working game: every file is
# where the desktop expects it, the desktop entry and the AppStream metainfo
# validate, and bin/marvesto, started by name as the desktop entry does, plays
# on a private X server with its backdrop and sound cues found beside it.
#
#   install-test.sh BUILD_DIR [ARTIFACT_ROOT]
#
# Logs and screenshots go to ARTIFACT_ROOT/install/ (default BUILD_DIR/artifacts).
set -euo pipefail

HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
ROOT=$(cd "$HERE/../.." && pwd)
# shellcheck source=tests/install/lib-install.sh
source "$HERE/lib-install.sh"

BUILD=$(cd "${1:?usage: install-test.sh BUILD_DIR [ARTIFACT_ROOT]}" && pwd)
ARTIFACT_ROOT=${2:-$BUILD/artifacts}

rw_init install "$ARTIFACT_ROOT"
inst_require cmake desktop-file-validate appstreamcli strace identify gzip pgrep

cache_value() { sed -n "s/^$1:[A-Z]*=//p" "$BUILD/CMakeCache.txt"; }
APP_ID=$(cache_value MARVESTO_APP_ID)
VERSION=$(cache_value CMAKE_PROJECT_VERSION)
APPDIR_REL=$(cache_value MARVESTO_INSTALL_APPDIR)
[[ -n $APP_ID && -n $VERSION && -n $APPDIR_REL ]] ||
  rw_fail "$BUILD/CMakeCache.txt lacks MARVESTO_APP_ID, CMAKE_PROJECT_VERSION or MARVESTO_INSTALL_APPDIR"

# --- Install. The prefix's path has a space, as a home folder may.
PREFIX="$RW_TMP/install prefix"
cmake --install "$BUILD" --prefix "$PREFIX" >"$RW_ARTIFACTS/install.log" 2>&1 ||
  rw_fail "cmake --install failed: $(tail -n 20 "$RW_ARTIFACTS/install.log")"
find "$PREFIX" | sed "s|^$PREFIX||" | sort >"$RW_ARTIFACTS/files.txt"
rw_log "installed $(grep -c . "$RW_ARTIFACTS/files.txt") paths into $PREFIX"

APPDIR=$PREFIX/$APPDIR_REL
DESKTOP=$PREFIX/share/applications/$APP_ID.desktop
METAINFO=$PREFIX/share/metainfo/$APP_ID.metainfo.xml

# --- The program, with the data it reads from its own folder.
[[ -f $APPDIR/marvesto && -x $APPDIR/marvesto ]] || rw_fail "no executable $APPDIR_REL/marvesto"
[[ $(head -c 4 "$APPDIR/marvesto" | od -An -c | tr -d ' ') == 177ELF ]] ||
  rw_fail "$APPDIR_REL/marvesto is not an ELF program"
cmp -s "$ROOT/data/DeskTop.jpg" "$APPDIR/DeskTop.jpg" ||
  rw_fail "$APPDIR_REL/DeskTop.jpg is missing or differs from data/DeskTop.jpg"
for cue in "${INST_CUES[@]}"; do
  cmp -s "$ROOT/data/Sound/$cue.wav" "$APPDIR/Sound/$cue.wav" ||
    rw_fail "$APPDIR_REL/Sound/$cue.wav is missing or differs from data/Sound/$cue.wav"
done

# --- bin/marvesto: a relative link to the program, so the prefix can move.
LAUNCHER=$PREFIX/bin/marvesto
[[ -L $LAUNCHER ]] || rw_fail "bin/marvesto is not a symbolic link"
link=$(readlink "$LAUNCHER")
[[ $link != /* ]] || rw_fail "bin/marvesto points to the absolute path $link"
[[ $(realpath "$LAUNCHER") == "$(realpath "$APPDIR/marvesto")" ]] ||
  rw_fail "bin/marvesto points to $link, not to $APPDIR_REL/marvesto"
[[ ! -e $PREFIX/games ]] || rw_fail "games/ is only for the Debian package"

# --- Desktop entry.
[[ -f $DESKTOP ]] || rw_fail "no share/applications/$APP_ID.desktop"
desktop-file-validate "$DESKTOP" >"$RW_ARTIFACTS/desktop-file-validate.log" 2>&1 ||
  rw_fail "desktop-file-validate: $(cat "$RW_ARTIFACTS/desktop-file-validate.log")"
for line in 'Type=Application' 'Name=Marvesto' 'Exec=marvesto' 'Icon=marvesto' \
  'Terminal=false' 'Categories=Game;'; do
  grep -qxF "$line" "$DESKTOP" || rw_fail "the desktop entry lacks the line $line"
done
grep -Eq '^Comment=.+' "$DESKTOP" || rw_fail "the desktop entry has no Comment"
grep -Eq '^Comment\[it\]=.+' "$DESKTOP" || rw_fail "the desktop entry has no Comment[it]"

# --- AppStream metainfo.
[[ -f $METAINFO ]] || rw_fail "no share/metainfo/$APP_ID.metainfo.xml"
appstreamcli validate --no-net "$METAINFO" >"$RW_ARTIFACTS/appstreamcli.log" 2>&1 ||
  rw_fail "appstreamcli validate: $(cat "$RW_ARTIFACTS/appstreamcli.log")"
for text in "<id>$APP_ID</id>" '<component type="desktop-application">' \
  "<launchable type=\"desktop-id\">$APP_ID.desktop</launchable>" \
  "<release version=\"$VERSION\" " '<metadata_license>CC0-1.0</metadata_license>' \
  '<content_rating type="oars-1.1">' '<summary xml:lang="it">' '<p xml:lang="it">'; do
  grep -qF "$text" "$METAINFO" || rw_fail "the metainfo lacks $text"
done
# The screenshot it names is the one in data/screenshots/, at its real size.
image=$(grep -o '<image type="source"[^<]*</image>' "$METAINFO" | head -n 1)
[[ $image =~ width=\"([0-9]+)\"\ height=\"([0-9]+)\"\>https://[^\<]+/data/screenshots/([^/\<]+)\</image\> ]] ||
  rw_fail "the metainfo names no https URL of a picture in data/screenshots/: $image"
shot=$ROOT/data/screenshots/${BASH_REMATCH[3]}
[[ -f $shot ]] || rw_fail "the metainfo's screenshot ${BASH_REMATCH[3]} is not in data/screenshots/"
[[ $(identify -format '%wx%h' "$shot") == "${BASH_REMATCH[1]}x${BASH_REMATCH[2]}" ]] ||
  rw_fail "$shot is $(identify -format '%wx%h' "$shot"), the metainfo says ${BASH_REMATCH[1]}x${BASH_REMATCH[2]}"

# --- Icons in the hicolor theme, each of its own size.
for size in 16 32 48 64 128 256; do
  icon=$PREFIX/share/icons/hicolor/${size}x${size}/apps/marvesto.png
  [[ -f $icon ]] || rw_fail "no icon share/icons/hicolor/${size}x${size}/apps/marvesto.png"
  [[ $(identify -format '%m %wx%h' "$icon") == "PNG ${size}x${size}" ]] ||
    rw_fail "the ${size}x${size} icon is $(identify -format '%m %wx%h' "$icon")"
done

# --- Manual page and documents.
gzip -t "$PREFIX/share/man/man6/marvesto.6.gz" 2>/dev/null || rw_fail "no gzipped manual page man6/marvesto.6.gz"
grep -q 'MIT' "$PREFIX/share/doc/marvesto/copyright" 2>/dev/null || rw_fail "no share/doc/marvesto/copyright"
rw_log "every installed file is in place; desktop-file-validate and appstreamcli validate pass"

# --- Play the installed game.
rw_start_xvfb
inst_start_game "$PREFIX/bin:/usr/bin:/bin"
inst_wait_prompt
inst_check_program "$(realpath "$APPDIR/marvesto")"
inst_answer_prompts
inst_check_backdrop "$(realpath "$APPDIR")"
inst_check_sounds "$(realpath "$APPDIR")"
inst_check_qt_runtime
inst_stop_game
rw_log "PASS: installed into a fresh prefix; bin/marvesto played with its backdrop and sounds"
