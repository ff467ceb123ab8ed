#!/usr/bin/env bash
# The Debian package, made both ways the README gives: CPack in a build folder
# configured with MARVESTO_DEB_PACKAGE=ON, and dpkg-buildpackage from debian/.
# Both carry Debian's hardening (hardening-check), both are free of lintian
# errors and warnings, and both hold the same files with the same relations.
# Then apt-get installs the CPack one on this machine, the installed game
# starts from /usr/games on a private X server and plays with its backdrop and
# sounds from /usr/share/games/marvesto, and apt-get removes it again.
#
#   deb-test.sh BUILD_DIR [ARTIFACT_ROOT]
#
# The packages are built in BUILD_DIR/deb-cpack and BUILD_DIR/deb-debhelper
# (a copy of the sources, as dpkg-buildpackage writes beside its tree).
# Runs as root, or as a user with sudo, which it uses for apt-get alone. It
# changes the system: it installs the "marvesto" package (and any of its
# dependencies that are missing) and removes it at the end, whatever happens.
# It never touches a "marvesto" package it did not install: when one is
# installed already, it stops before building anything.
# Logs, the lintian reports and screenshots go to ARTIFACT_ROOT/deb/ (default
# BUILD_DIR/artifacts).
set -euo pipefail

HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
ROOT=$(cd "$HERE/../.." && pwd)
# shellcheck source=tests/install/lib-install.sh
source "$HERE/lib-install.sh"

BUILD=$(cd "${1:?usage: deb-test.sh BUILD_DIR [ARTIFACT_ROOT]}" && pwd)
ARTIFACT_ROOT=${2:-$BUILD/artifacts}
PACKAGE=marvesto
PROGRAM=/usr/games/marvesto
DATADIR=/usr/share/games/marvesto
CPACK_BUILD=$BUILD/deb-cpack
DH_BUILD=$BUILD/deb-debhelper

rw_init deb "$ARTIFACT_ROOT"
inst_require cmake cpack lintian dpkg-deb dpkg-shlibdeps dpkg-buildpackage dh hardening-check \
  apt-get desktop-file-validate appstreamcli strace

as_root=()
if ((EUID != 0)); then
  command -v sudo >/dev/null || rw_fail "run as root, or install sudo: apt-get installs and removes the package"
  as_root=(sudo)
fi
apt() {
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get "$@" >>"$RW_ARTIFACTS/apt.log" 2>&1
}

package_installed() {
  [[ $(dpkg-query -W -f='${db:Status-Status}' "$PACKAGE" 2>/dev/null || true) == installed ]]
}

if package_installed; then
  rw_fail "the $PACKAGE package $(dpkg-query -W -f='${Version}' "$PACKAGE") is installed on this machine." \
    "This test installs and removes that package, and never removes one it did not install:" \
    "remove it first (sudo apt-get remove $PACKAGE), or run the test on another machine."
fi

# Whatever happens, remove the package this test installed.
INSTALLED=
deb_cleanup() {
  local status=$?
  set +e
  if [[ -n $INSTALLED ]] && package_installed; then
    apt remove -y "$PACKAGE" || rw_log "could not remove $PACKAGE: see $RW_ARTIFACTS/apt.log"
  fi
  (exit "$status")
  rw_cleanup
}
trap deb_cleanup EXIT

VERSION=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$BUILD/CMakeCache.txt")
[[ -n $VERSION ]] || rw_fail "no CMAKE_PROJECT_VERSION in $BUILD/CMakeCache.txt"
dh_version=$(cd "$ROOT" && dpkg-parsechangelog -S Version)
[[ $dh_version == "$VERSION" ]] || rw_fail "debian/changelog is at $dh_version, the project at $VERSION"

# --- Build with CPack, from scratch, as a release is.
started=$SECONDS
rm -rf "$CPACK_BUILD"
{
  cmake -S "$ROOT" -B "$CPACK_BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMARVESTO_DEB_PACKAGE=ON \
    -DBUILD_TESTING=OFF -DMARVESTO_WERROR=ON &&
    cmake --build "$CPACK_BUILD" --parallel "$(nproc)" --verbose &&
    (cd "$CPACK_BUILD" && cpack)
} >"$RW_ARTIFACTS/cpack.log" 2>&1 || rw_fail "the CPack package build failed: $(tail -n 20 "$RW_ARTIFACTS/cpack.log")"
debs=("$CPACK_BUILD/${PACKAGE}_${VERSION}"_*.deb)
((${#debs[@]} == 1)) && [[ -f ${debs[0]} ]] ||
  rw_fail "cpack made no single ${PACKAGE}_${VERSION}_*.deb in $CPACK_BUILD"
DEB=${debs[0]}
rw_log "cpack made $DEB in $((SECONDS - started)) s"

# --- Build with dpkg-buildpackage, from a copy of what the build reads.
started=$SECONDS
rm -rf "$DH_BUILD"
mkdir -p "$DH_BUILD/src"
cp -a "$ROOT"/{CMakeLists.txt,LICENSE,README.md,data,debian,packaging,src,translations} "$DH_BUILD/src/"
(cd "$DH_BUILD/src" && dpkg-buildpackage -us -uc -b) >"$RW_ARTIFACTS/dpkg-buildpackage.log" 2>&1 ||
  rw_fail "dpkg-buildpackage failed: $(tail -n 20 "$RW_ARTIFACTS/dpkg-buildpackage.log")"
debs=("$DH_BUILD/${PACKAGE}_${VERSION}"_*.deb)
((${#debs[@]} == 1)) && [[ -f ${debs[0]} ]] ||
  rw_fail "dpkg-buildpackage made no single ${PACKAGE}_${VERSION}_*.deb in $DH_BUILD"
DH_DEB=${debs[0]}
rw_log "dpkg-buildpackage made $DH_DEB in $((SECONDS - started)) s"

# --- Both packages: fields, files, hardening, lintian.
field() { dpkg-deb -f "$1" "$2"; }
# contents DEB: "mode owner path" of every entry (a link's target after it),
# sizes and times left out.
contents() { dpkg-deb -c "$1" | awk '{ $3 = $4 = $5 = ""; print }' | tr -s ' ' | sort -k 3; }

check_package() { # DEB NAME BUILD_LOG
  local deb=$1 name=$2 log=$3 depends dependency elsewhere compiles unfortified elves tree=$RW_TMP/$2-root status=0
  [[ $(field "$deb" Package) == "$PACKAGE" ]] || rw_fail "$name: the package is named $(field "$deb" Package)"
  [[ $(field "$deb" Version) == "$VERSION" ]] || rw_fail "$name: the version is $(field "$deb" Version), not $VERSION"
  [[ $(field "$deb" Section) == games ]] || rw_fail "$name: the section is $(field "$deb" Section), not games"
  depends=$(field "$deb" Depends)
  for dependency in libqt6gui6 libqt6widgets6 libqt6multimedia6 qt6-translations-l10n fonts-dejavu-core; do
    [[ ", $depends," == *", $dependency"[\ ,]* ]] || rw_fail "$name does not depend on $dependency: $depends"
  done
  [[ $(field "$deb" Recommends) == qt6-wayland ]] ||
    rw_fail "$name recommends '$(field "$deb" Recommends)', not qt6-wayland"
  [[ -z $(field "$deb" Homepage) ]] || rw_fail "$name names a home page nobody set: $(field "$deb" Homepage)"

  contents "$deb" >"$RW_ARTIFACTS/contents-$name.txt"
  grep -q '^-rwxr-xr-x root/root \./usr/games/marvesto$' "$RW_ARTIFACTS/contents-$name.txt" ||
    rw_fail "$name has no program usr/games/marvesto, a file of mode 755 owned by root"
  grep -q "^-rw-r--r-- root/root \./usr/share/games/marvesto/DeskTop.jpg$" "$RW_ARTIFACTS/contents-$name.txt" ||
    rw_fail "$name has no usr/share/games/marvesto/DeskTop.jpg"
  for cue in "${INST_CUES[@]}"; do
    grep -q "^-rw-r--r-- root/root \./usr/share/games/marvesto/Sound/$cue.wav$" "$RW_ARTIFACTS/contents-$name.txt" ||
      rw_fail "$name has no usr/share/games/marvesto/Sound/$cue.wav"
  done
  for file in share/games/marvesto/translations/marvesto_en.qm share/man/man6/marvesto.6.gz \
    share/man/it/man6/marvesto.6.gz; do
    grep -q "^-rw-r--r-- root/root \./usr/$file\$" "$RW_ARTIFACTS/contents-$name.txt" ||
      rw_fail "$name has no usr/$file"
  done
  # The program and the data nowhere else (they were in usr/lib/marvesto once).
  elsewhere=$(grep -E '^[-l]' "$RW_ARTIFACTS/contents-$name.txt" |
    grep -vE ' \./usr/(games/marvesto|share/games/marvesto/.*)$' |
    grep -E '/(marvesto|DeskTop\.jpg|[0-9]+\.wav)( -> .*)?$' || true)
  [[ -z $elsewhere ]] || rw_fail "$name has the program or its data elsewhere too: $elsewhere"
  ! grep -q ' \./usr/bin/' "$RW_ARTIFACTS/contents-$name.txt" || rw_fail "$name installs into usr/bin"

  # Every ELF file (the program, the sound module) has the stack protector,
  # RELRO and BIND_NOW, and the program is a PIE. Debian 12's dpkg-buildflags
  # turn on no control-flow protection, so it is not asked for.
  # hardening-check tells fortification by the checking variants
  # (__memcpy_chk...) a binary calls, and the game makes no call whose buffer
  # size the compiler knows (its memcpy, memmove and memset come from Qt's
  # containers), so it reports none whatever the flags; the build log shows
  # every source compiled with _FORTIFY_SOURCE instead.
  dpkg-deb -x "$deb" "$tree"
  mapfile -t elves < <(find "$tree" -type f -exec sh -c 'head -c 4 "$1" | grep -q "^.ELF"' sh {} \; -print | sort)
  [[ ${elves[*]} == *"$tree/usr/games/marvesto"* ]] || rw_fail "$name: no ELF program usr/games/marvesto"
  hardening-check --nocfprotection --nofortify "${elves[@]}" >"$RW_ARTIFACTS/hardening-$name.txt" 2>&1 || status=$?
  cat "$RW_ARTIFACTS/hardening-$name.txt" >&2
  ((status == 0)) || rw_fail "$name: hardening-check found a protection missing"
  compiles=$(grep -E ' -c [^ ]+\.cpp$' "$log" || true)
  [[ -n $compiles ]] || rw_fail "$name: $log shows no compile command"
  unfortified=$(grep -v -e '-D_FORTIFY_SOURCE=2' <<<"$compiles" || true)
  [[ -z $unfortified ]] || rw_fail "$name: compiled without _FORTIFY_SOURCE: $(head -n 1 <<<"$unfortified")"
  rw_log "$name: $(wc -l <<<"$compiles") sources compiled with _FORTIFY_SOURCE=2"

  status=0
  lintian --fail-on error,warning --display-info "$deb" >"$RW_ARTIFACTS/lintian-$name.txt" 2>&1 || status=$?
  cat "$RW_ARTIFACTS/lintian-$name.txt" >&2
  ((status == 0)) || rw_fail "$name: lintian found errors or warnings (exit $status)"
  ! grep -qE '^[EW]: ' "$RW_ARTIFACTS/lintian-$name.txt" || rw_fail "$name: lintian reported errors or warnings"
  rw_log "$name: fields and files in place, hardened, lintian: no error, no warning"
}
check_package "$DEB" cpack "$RW_ARTIFACTS/cpack.log"
check_package "$DH_DEB" debhelper "$RW_ARTIFACTS/dpkg-buildpackage.log"

# Both routes install the same files through the same CMake install rules,
# and debian/control names what packaging/CMakeLists.txt gives CPack.
diff -u "$RW_ARTIFACTS/contents-cpack.txt" "$RW_ARTIFACTS/contents-debhelper.txt" >&2 ||
  rw_fail "the CPack and the debhelper packages hold different files"
# relations: the field's relations one a line, sorted (the two tools order them differently).
relations() { field "$1" "$2" | sed 's/, */\n/g' | sort; }
for name in Depends Recommends; do
  [[ $(relations "$DEB" "$name") == "$(relations "$DH_DEB" "$name")" ]] ||
    rw_fail "the packages' $name differ: '$(field "$DEB" "$name")' (CPack), '$(field "$DH_DEB" "$name")' (debian/)"
done
for name in Maintainer Section Priority Description; do
  [[ $(field "$DEB" "$name") == "$(field "$DH_DEB" "$name")" ]] ||
    rw_fail "the packages' $name fields differ: '$(field "$DEB" "$name")' (CPack), '$(field "$DH_DEB" "$name")' (debian/control)"
done
rw_log "the CPack and the debhelper packages hold the same files and fields"

# --- Install it as a user would. Without recommended packages, so that the
# package's own dependencies are shown to be enough.
INSTALLED=1
if ! apt install -y --no-install-recommends "$DEB"; then
  rw_log "apt-get install failed; updating the package lists and trying again"
  apt update || true
  apt install -y --no-install-recommends "$DEB" ||
    rw_fail "apt-get install $DEB failed: $(tail -n 20 "$RW_ARTIFACTS/apt.log")"
fi
package_installed || rw_fail "$PACKAGE is not installed after apt-get install"
[[ $(dpkg-query -W -f='${Version}' "$PACKAGE") == "$VERSION" ]] || rw_fail "the installed version is not $VERSION"
rw_log "apt-get installed $PACKAGE $VERSION"

desktop=$(dpkg -L "$PACKAGE" | grep '^/usr/share/applications/.*\.desktop$') ||
  rw_fail "the package installs no desktop entry"
metainfo=$(dpkg -L "$PACKAGE" | grep '^/usr/share/metainfo/.*\.metainfo\.xml$') ||
  rw_fail "the package installs no metainfo"
desktop-file-validate "$desktop" || rw_fail "desktop-file-validate $desktop failed"
appstreamcli validate --no-net "$metainfo" >"$RW_ARTIFACTS/appstreamcli.log" 2>&1 ||
  rw_fail "appstreamcli validate: $(cat "$RW_ARTIFACTS/appstreamcli.log")"

# --- Play the installed game, started by name from the PATH a desktop
# session has, as the desktop entry's Exec=marvesto does.
rw_start_xvfb
inst_start_game /usr/local/bin:/usr/bin:/bin:/usr/local/games:/usr/games
inst_wait_prompt
inst_check_program "$PROGRAM"
rw_screenshot first-prompt
inst_answer_prompts
inst_check_backdrop "$DATADIR"
inst_check_sounds "$DATADIR"
inst_check_qt_runtime
inst_stop_game

# --- Remove it.
apt remove -y "$PACKAGE" || rw_fail "apt-get remove $PACKAGE failed: $(tail -n 20 "$RW_ARTIFACTS/apt.log")"
package_installed && rw_fail "$PACKAGE is still installed after apt-get remove"
INSTALLED=
for path in "$PROGRAM" "$DATADIR" "$desktop" "$metainfo"; do
  [[ ! -e $path && ! -L $path ]] || rw_fail "$path is still there after apt-get remove"
done
rw_log "PASS: built by CPack and by dpkg-buildpackage, hardened, lintian-clean, installed, played from $PROGRAM, removed"
