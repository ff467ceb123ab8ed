#!/usr/bin/env bash
# The source tree's shape: includes under src/ run one way only (app -> ui ->
# core), the core includes no header of Qt Gui or Widgets, no part of the
# core includes another part's header nor the game's (the game wires them),
# the toolkit includes from the core only the services and values, a window
# includes no other window's header nor the desk's, and the original design's
# names appear only in the design table.
#
#   check-layers.sh SOURCE_ROOT QTCORE_HEADER_DIR
set -euo pipefail

ROOT=$1
QTCORE=$2
cd "$ROOT"
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# "path/file.h" includes of a file, one per line.
local_includes() { sed -n 's/^#include "\([^"]*\)".*/\1/p' "$1"; }
# <Header> includes of a file that name a Qt class or module.
qt_includes() { sed -n 's/^#include <\(Q[^>]*\)>.*/\1/p' "$1"; }

windows=(marketwindow consolewindow auctionroom wonboxeswindow offerdialog howtoplay)
# The core's parts, side by side: each names none of the others.
parts=(market console auction wonboxes offer)
# What the toolkit may know of the core: the services and the values.
toolkit_core=(core/services.h core/clock.h core/amounts.h core/boxlines.h core/cues.h)

while IFS= read -r file; do
  layer=${file#src/}
  layer=${layer%%/*}
  while IFS= read -r inc; do
    case $layer in
      core)
        [[ $inc == core/* ]] || fail "$file includes $inc: the core includes only the core"
        base=$(basename "${file%.*}")
        if [[ " ${parts[*]} " == *" $base "* ]]; then
          for p in "${parts[@]}" game; do
            [[ $p == "$base" || $inc != "core/$p.h" ]] \
              || fail "$file includes $inc: a part of the core includes no other part, nor the game"
          done
        fi
        ;;
      ui)
        [[ $inc == core/* || $inc == ui/* ]] || fail "$file includes $inc: the ui includes only ui and core"
        if [[ $file == src/ui/toolkit/* && $inc == ui/* && $inc != ui/toolkit/* ]]; then
          fail "$file includes $inc: the toolkit knows no window"
        fi
        if [[ $file == src/ui/toolkit/* && $inc == core/* && " ${toolkit_core[*]} " != *" $inc "* ]]; then
          fail "$file includes $inc: the toolkit knows only the core's services and values"
        fi
        base=$(basename "${file%.*}")
        if [[ $file != src/ui/desk.* && $file != src/ui/toolkit/* ]]; then
          [[ $inc != ui/desk.h ]] || fail "$file includes the desk's header"
          for w in "${windows[@]}"; do
            [[ $inc != "ui/$w.h" || $w == "$base" ]] || fail "$file includes another window's header $inc"
          done
        fi
        ;;
    esac
  done < <(local_includes "$file")
  if [[ $layer == core ]]; then
    while IFS= read -r inc; do
      [[ -e $QTCORE/$inc || -e $QTCORE/${inc#QtCore/} ]] \
        || fail "$file includes <$inc>, which is not a Qt Core header"
    done < <(qt_includes "$file")
  fi
done < <(git ls-files 'src/*.cpp' 'src/*.h')

# The original design's names, as identifiers.
if git grep -nE '\b(Form[1-5]|MDIForm1|Command[12]|Text[12]|Timer[123]|Offerte|Module1|PlayCue|List1|Label[12]|Picture100)\b|\b[A-Za-z0-9]+_(Click|DblClick|Timer|Load|Resize)\b' \
  -- src tests bench ':!src/ui/toolkit/designs.cpp' ':!tests/layering/check-layers.sh' ':!bench/out' >&2; then
  fail "original design names outside the design table (above)"
fi

if ((failures > 0)); then
  echo "$failures layering failure(s)" >&2
  exit 1
fi
echo "layers: app -> ui -> core, core parts side by side, original names in the design table only"
