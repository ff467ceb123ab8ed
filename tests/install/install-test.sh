#!/usr/bin/env bash
# `cmake --install` into a fresh prefix gives a working game: every file is
# where the desktop expects it, the desktop entry and the AppStream metainfo
# validate (as built, and with a home page and a screenshot set), and
# bin/marvesto, started by name as the desktop entry does, plays on a private X
# server with its backdrop and sound cues found in share/games/marvesto.
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
# The id the program gives itself (its Wayland app_id), which names the files.
APP_ID=io.github.marvesto.Marvesto
VERSION=$(cache_value CMAKE_PROJECT_VERSION)
[[ -n $VERSION ]] || rw_fail "$BUILD/CMakeCache.txt lacks CMAKE_PROJECT_VERSION"

# --- Install. The prefix's path has a space, as a home folder may.
PREFIX="$RW_TMP/install prefix"
cmake --install "$BUILD" --prefix "$PREFIX" >"$RW_ARTIFACTS/install.log" 2>&1 ||
  rw_fail "cmake --install failed: $(tail -n 20 "$RW_ARTIFACTS/install.log")"
find "$PREFIX" | sed "s|^$PREFIX||" | sort >"$RW_ARTIFACTS/files.txt"
rw_log "installed $(grep -c . "$RW_ARTIFACTS/files.txt") paths into $PREFIX"

PROGRAM=$PREFIX/bin/marvesto
DATADIR=$PREFIX/share/games/marvesto
DESKTOP=$PREFIX/share/applications/$APP_ID.desktop
METAINFO=$PREFIX/share/metainfo/$APP_ID.metainfo.xml

# --- The program in bin/, the data it reads in share/games/marvesto/.
[[ -f $PROGRAM && ! -L $PROGRAM && -x $PROGRAM ]] || rw_fail "no executable file bin/marvesto"
[[ $(head -c 4 "$PROGRAM" | od -An -c | tr -d ' ') == 177ELF ]] ||
  rw_fail "bin/marvesto is not an ELF program"
cmp -s "$ROOT/data/DeskTop.jpg" "$DATADIR/DeskTop.jpg" ||
  rw_fail "share/games/marvesto/DeskTop.jpg is missing or differs from data/DeskTop.jpg"
for cue in "${INST_CUES[@]}"; do
  cmp -s "$ROOT/data/Sound/$cue.wav" "$DATADIR/Sound/$cue.wav" ||
    rw_fail "share/games/marvesto/Sound/$cue.wav is missing or differs from data/Sound/$cue.wav"
done
# Nothing but the program in bin/; games/ is the Debian package's, and the
# program and its data are nowhere else (they were in lib/marvesto/ once).
[[ $(ls -A "$PREFIX/bin") == marvesto ]] || rw_fail "bin/ holds more than the program: $(ls -A "$PREFIX/bin")"
[[ ! -e $PREFIX/games ]] || rw_fail "the install made games/"
elsewhere=$(cd "$PREFIX" && find . \( -name marvesto -o -name DeskTop.jpg -o -name '[0-9].wav' \) ! -type d |
  grep -vE '^\./(bin/marvesto|share/games/marvesto/.*)$' || true)
[[ -z $elsewhere ]] || rw_fail "the program or its data is installed elsewhere too: $elsewhere"

# --- Desktop entry.
[[ -f $DESKTOP ]] || rw_fail "no share/applications/$APP_ID.desktop"
desktop-file-validate "$DESKTOP" >"$RW_ARTIFACTS/desktop-file-validate.log" 2>&1 ||
  rw_fail "desktop-file-validate: $(cat "$RW_ARTIFACTS/desktop-file-validate.log")"
for line in 'Type=Application' 'Name=Marvesto' 'Exec=marvesto' 'Icon=marvesto' \
  'Terminal=false' 'Categories=Game;StrategyGame;'; do
  grep -qxF "$line" "$DESKTOP" || rw_fail "the desktop entry lacks the line $line"
done
grep -Eq '^Comment=.+' "$DESKTOP" || rw_fail "the desktop entry has no Comment"
grep -Eq '^Comment\[it\]=.+' "$DESKTOP" || rw_fail "the desktop entry has no Comment[it]"
grep -Eq '^Keywords=.+;$' "$DESKTOP" || rw_fail "the desktop entry has no Keywords"

# --- AppStream metainfo. It names a home page and a screenshot only when the
# build sets them (by default it does not: nobody has published them);
# check_metainfo FILE [HOMEPAGE SHOT] validates one and checks them when given.
check_metainfo() {
  local file=$1 homepage=${2:-} shot_url=${3:-} image shot
  [[ -f $file ]] || rw_fail "no metainfo $file"
  appstreamcli validate --no-net "$file" >"$RW_ARTIFACTS/appstreamcli.log" 2>&1 ||
    rw_fail "appstreamcli validate $file: $(cat "$RW_ARTIFACTS/appstreamcli.log")"
  for text in "<id>$APP_ID</id>" '<component type="desktop-application">' \
    "<launchable type=\"desktop-id\">$APP_ID.desktop</launchable>" \
    "<release version=\"$VERSION\" " '<metadata_license>CC0-1.0</metadata_license>' \
    '<content_rating type="oars-1.1">' '<summary xml:lang="it">' '<p xml:lang="it">'; do
    grep -qF "$text" "$file" || rw_fail "the metainfo lacks $text"
  done
  if [[ -z $homepage ]]; then
    ! grep -qE '<url|<screenshot' "$file" || rw_fail "the metainfo names a URL or screenshot nobody set"
    return 0
  fi
  grep -qF "<url type=\"homepage\">$homepage</url>" "$file" || rw_fail "the metainfo lacks the home page $homepage"
  # The screenshot it names is the one in data/screenshots/, at its real size.
  image=$(grep -o '<image type="source"[^<]*</image>' "$file" | head -n 1)
  [[ $image =~ width=\"([0-9]+)\"\ height=\"([0-9]+)\"\>([^\<]+)\</image\> ]] ||
    rw_fail "the metainfo names no screenshot: $image"
  [[ ${BASH_REMATCH[3]} == "$shot_url" ]] || rw_fail "the metainfo's screenshot is ${BASH_REMATCH[3]}, not $shot_url"
  shot=$ROOT/data/screenshots/marvesto.png
  [[ $(identify -format '%wx%h' "$shot") == "${BASH_REMATCH[1]}x${BASH_REMATCH[2]}" ]] ||
    rw_fail "$shot is $(identify -format '%wx%h' "$shot"), the metainfo says ${BASH_REMATCH[1]}x${BASH_REMATCH[2]}"
}
check_metainfo "$METAINFO" "$(cache_value MARVESTO_HOMEPAGE_URL)" "$(cache_value MARVESTO_SCREENSHOT_IMAGE_URL)"
# Set when packaging: a configure of its own, which writes the metainfo.
homepage=https://marvesto.example.org
shot_url=https://marvesto.example.org/screenshots/marvesto.png
cmake -S "$ROOT" -B "$RW_TMP/configured" -DBUILD_TESTING=OFF -DMARVESTO_HOMEPAGE_URL="$homepage" \
  -DMARVESTO_SCREENSHOT_IMAGE_URL="$shot_url" >"$RW_ARTIFACTS/configure-urls.log" 2>&1 ||
  rw_fail "configuring with a home page and a screenshot failed: $(tail -n 20 "$RW_ARTIFACTS/configure-urls.log")"
check_metainfo "$RW_TMP/configured/packaging/$APP_ID.metainfo.xml" "$homepage" "$shot_url"

# --- Icons in the hicolor theme, each of its own size.
for size in 16 32 48 64 128 256; do
  icon=$PREFIX/share/icons/hicolor/${size}x${size}/apps/marvesto.png
  [[ -f $icon ]] || rw_fail "no icon share/icons/hicolor/${size}x${size}/apps/marvesto.png"
  [[ $(identify -format '%m %wx%h' "$icon") == "PNG ${size}x${size}" ]] ||
    rw_fail "the ${size}x${size} icon is $(identify -format '%m %wx%h' "$icon")"
done

# --- The English translation, and the manual pages: English in man6, Italian in it/man6.
[[ -s $DATADIR/translations/marvesto_en.qm ]] || rw_fail "no share/games/marvesto/translations/marvesto_en.qm"
for page in man6 it/man6; do
  gzip -t "$PREFIX/share/man/$page/marvesto.6.gz" 2>/dev/null || rw_fail "no gzipped manual page $page/marvesto.6.gz"
done
zgrep -q '^\.SH DESCRIPTION' "$PREFIX/share/man/man6/marvesto.6.gz" || rw_fail "man6/marvesto.6.gz is not the English page"
zgrep -q '^\.SH DESCRIZIONE' "$PREFIX/share/man/it/man6/marvesto.6.gz" || rw_fail "it/man6/marvesto.6.gz is not the Italian page"
grep -q 'MIT' "$PREFIX/share/doc/marvesto/copyright" 2>/dev/null || rw_fail "no share/doc/marvesto/copyright"
rw_log "every installed file is in place; desktop-file-validate and appstreamcli validate pass"

# --- Play the installed game.
rw_start_xvfb
inst_start_game "$PREFIX/bin:/usr/bin:/bin"
inst_wait_prompt
inst_check_program "$(realpath "$PROGRAM")"
inst_answer_prompts
inst_check_backdrop "$(realpath "$DATADIR")"
inst_check_sounds "$(realpath "$DATADIR")"
inst_check_qt_runtime
inst_stop_game
rw_log "PASS: installed into a fresh prefix; bin/marvesto played with its backdrop and sounds from share/games/marvesto"
