#!/usr/bin/env bash
# Every translation is whole and up to date with the code: lupdate, run over
# the sources as `cmake --build build --target update_translations` runs it,
# into a copy of each .ts file, finds no text it lacks (lupdate would add it
# unfinished), none that has gone from the code (vanished) and no unfinished
# translation; the copy comes out as the file is.
#
#   check-translations.sh LUPDATE SOURCE_ROOT
set -euo pipefail

LUPDATE=$1
ROOT=$2
cd "$ROOT"
work=$(mktemp -d "${TMPDIR:-/tmp}/marvesto-translations.XXXXXX")
trap 'rm -rf "$work"' EXIT
mapfile -t sources < <(find src -name '*.cpp' -o -name '*.h' | LC_ALL=C sort)
failures=0
for ts in translations/*.ts; do
  copy=$work/${ts##*/}
  cp "$ts" "$copy"
  "$LUPDATE" -silent -locations none -I src "${sources[@]}" -ts "$copy"
  if grep -n -B3 'type="\(unfinished\|vanished\|obsolete\)"' "$copy" >&2; then
    echo "FAIL: $ts has texts without translation, or translations of texts no longer in the code (above)" >&2
    failures=$((failures + 1))
  elif ! diff -u "$ts" "$copy" >&2; then
    echo "FAIL: $ts is not as lupdate makes it from the code (above)" >&2
    failures=$((failures + 1))
  else
    echo "$ts: $(grep -c '<message>' "$ts") texts, all translated"
  fi
done
((failures == 0))
