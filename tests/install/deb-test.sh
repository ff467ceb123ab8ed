#!/usr/bin/env bash
# The Debian package: CPack builds it, lintian finds no error in it, apt-get
# installs it on this machine, the installed game starts from /usr/games on a
# private X server and plays with its backdrop, and apt-get removes it again.
#
#   deb-test.sh BUILD_DIR [ARTIFACT_ROOT]
#
# Needs root and changes the system: it installs and removes the package
# "marvesto" (and any of its dependencies that are missing), so it is no CTest
# test; run it on a machine you can throw away, such as CI's. A "marvesto"
# package already installed is removed first, so the test can run again.
# Logs, the lintian report and screenshots go to ARTIFACT_ROOT/deb/ (default
# BUILD_DIR/artifacts).
set -euo pipefail

HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=tests/install/lib-install.sh
source "$HERE/lib-install.sh"

BUILD=$(cd "${1:?usage: deb-test.sh BUILD_DIR [ARTIFACT_ROOT]}" && pwd)
ARTIFACT_ROOT=${2:-$BUILD/artifacts}
PACKAGE=marvesto
APPDIR=/usr/lib/marvesto
LAUNCHER=/usr/games/marvesto

rw_init deb "$ARTIFACT_ROOT"
((EUID == 0)) || rw_fail "run as root: the test installs and removes the package"
inst_require cpack lintian dpkg-deb dpkg-shlibdeps apt-get desktop-file-validate appstreamcli strace

package_installed() {
  [[ $(dpkg-query -W -f='${db:Status-Status}' "$PACKAGE" 2>/dev/null || true) == installed ]]
}

remove_package() {
  DEBIAN_FRONTEND=noninteractive apt-get remove -y "$PACKAGE" >>"$RW_ARTIFACTS/apt.log" 2>&1
}

# Whatever happens, leave the machine without the package.
deb_cleanup() {
  local status=$?
  if package_installed; then
    remove_package || rw_log "could not remove $PACKAGE: see $RW_ARTIFACTS/apt.log"
  fi
  (exit "$status")
  rw_cleanup
}
trap deb_cleanup EXIT

if package_installed; then
  rw_log "removing the $PACKAGE package a previous run left installed"
  remove_package || rw_fail "apt-get remove $PACKAGE failed: $(tail -n 20 "$RW_ARTIFACTS/apt.log")"
fi

# --- Build the package.
VERSION=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$BUILD/CMakeCache.txt")
[[ -n $VERSION ]] || rw_fail "no CMAKE_PROJECT_VERSION in $BUILD/CMakeCache.txt"
rm -f "$BUILD/${PACKAGE}_${VERSION}"_*.deb
started=$SECONDS
(cd "$BUILD" && cpack -G DEB) >"$RW_ARTIFACTS/cpack.log" 2>&1 ||
  rw_fail "cpack -G DEB failed: $(tail -n 20 "$RW_ARTIFACTS/cpack.log")"
debs=("$BUILD/${PACKAGE}_${VERSION}"_*.deb)
((${#debs[@]} == 1)) && [[ -f ${debs[0]} ]] ||
  rw_fail "cpack made no single ${PACKAGE}_${VERSION}_*.deb in $BUILD"
DEB=${debs[0]}
rw_log "cpack made $DEB in $((SECONDS - started)) s"

field() { dpkg-deb -f "$DEB" "$1"; }
[[ $(field Package) == "$PACKAGE" ]] || rw_fail "the package is named $(field Package)"
[[ $(field Version) == "$VERSION" ]] || rw_fail "the package's version is $(field Version), not $VERSION"
[[ $(field Section) == games ]] || rw_fail "the package's section is $(field Section), not games"
depends=$(field Depends)
for dependency in libqt6gui6 libqt6widgets6 libqt6multimedia6 qt6-translations-l10n fonts-dejavu-core; do
  [[ ", $depends," == *", $dependency"[\ ,]* ]] || rw_fail "the package does not depend on $dependency: $depends"
done
dpkg-deb -c "$DEB" >"$RW_ARTIFACTS/contents.txt"
grep -q '^-rwxr-xr-x root/root .* \./usr/lib/marvesto/marvesto$' "$RW_ARTIFACTS/contents.txt" ||
  rw_fail "the package has no program usr/lib/marvesto/marvesto, mode 755, owned by root"
grep -q '^l.* \./usr/games/marvesto -> \.\./lib/marvesto/marvesto$' "$RW_ARTIFACTS/contents.txt" ||
  rw_fail "the package has no relative link usr/games/marvesto"

# --- lintian: no error (warnings and notes are in the report).
lintian_status=0
lintian --fail-on error --display-info "$DEB" >"$RW_ARTIFACTS/lintian.txt" 2>&1 || lintian_status=$?
cat "$RW_ARTIFACTS/lintian.txt" >&2
((lintian_status == 0)) || rw_fail "lintian found errors (exit $lintian_status)"
grep -q '^E: ' "$RW_ARTIFACTS/lintian.txt" && rw_fail "lintian reported errors"
rw_log "lintian: $(grep -c '^W: ' "$RW_ARTIFACTS/lintian.txt" || true) warnings, no error"

# --- Install it as a user would. Without recommended packages, so that the
# package's own dependencies are shown to be enough.
install_package() {
  DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "$DEB" \
    >>"$RW_ARTIFACTS/apt.log" 2>&1
}
if ! install_package; then
  rw_log "apt-get install failed; updating the package lists and trying again"
  DEBIAN_FRONTEND=noninteractive apt-get update >>"$RW_ARTIFACTS/apt.log" 2>&1 || true
  install_package || rw_fail "apt-get install $DEB failed: $(tail -n 20 "$RW_ARTIFACTS/apt.log")"
fi
package_installed || rw_fail "$PACKAGE is not installed after apt-get install"
[[ $(dpkg-query -W -f='${Version}' "$PACKAGE") == "$VERSION" ]] || rw_fail "the installed version is not $VERSION"
rw_log "apt-get installed $PACKAGE $VERSION"

[[ -L $LAUNCHER && $(realpath "$LAUNCHER") == "$APPDIR/marvesto" ]] ||
  rw_fail "$LAUNCHER is no link to $APPDIR/marvesto"
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
inst_check_program "$APPDIR/marvesto"
rw_screenshot first-prompt
inst_answer_prompts
inst_check_backdrop "$APPDIR"
inst_check_sounds "$APPDIR"
inst_check_qt_runtime
inst_stop_game

# --- Remove it.
remove_package || rw_fail "apt-get remove $PACKAGE failed: $(tail -n 20 "$RW_ARTIFACTS/apt.log")"
package_installed && rw_fail "$PACKAGE is still installed after apt-get remove"
for path in "$LAUNCHER" "$APPDIR" "$desktop" "$metainfo"; do
  [[ ! -e $path && ! -L $path ]] || rw_fail "$path is still there after apt-get remove"
done
rw_log "PASS: built, lintian-clean, installed, played from $LAUNCHER, removed"
