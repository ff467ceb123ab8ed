#!/usr/bin/env bash
# Checks that every C++ file under src/, tests/ and bench/ that git tracks is
# formatted as .clang-format says; names the files that are not. Exits 0 when
# all are, 1 when some are not, 2 when it cannot check.
#
#   scripts/format-check.sh         check, change nothing
#   scripts/format-check.sh --fix   rewrite the files that are not formatted, in place
#
#   CLANG_FORMAT   the clang-format program (default: clang-format; Debian 12 has
#                  version 14, which .clang-format is written for)
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
CLANG_FORMAT=${CLANG_FORMAT:-clang-format}

fix=
case ${1:-} in
  "") ;;
  --fix) fix=1 ;;
  *)
    echo "usage: format-check.sh [--fix]" >&2
    exit 2
    ;;
esac

if ! command -v "$CLANG_FORMAT" >/dev/null; then
  echo "format-check: $CLANG_FORMAT not found; install it with: scripts/install-deps.sh test" >&2
  exit 2
fi
# Another major version may lay out the same code differently: say so, since
# the files were formatted with 14.
version=$("$CLANG_FORMAT" --version | sed -n 's/.*version \([0-9]*\)\..*/\1/p')
if [[ $version != 14 ]]; then
  echo "format-check: note: $CLANG_FORMAT is version ${version:-unknown}, the style is kept with 14" >&2
fi

cd "$ROOT"
files=()
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  while IFS= read -r -d '' file; do
    # A file deleted but not yet committed is still listed.
    [[ -f $file ]] && files+=("$file")
  done < <(git ls-files -z -- 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' \
    'bench/*.cpp' 'bench/*.h')
else
  # A source tree without git (an unpacked tarball): every such file there.
  while IFS= read -r -d '' file; do
    files+=("${file#./}")
  done < <(find ./src ./tests ./bench -type f \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z)
fi
if [[ ${#files[@]} -eq 0 ]]; then
  echo "format-check: no C++ files found under src/, tests/ or bench/" >&2
  exit 2
fi

# One file at a time, so that each one not formatted is named once.
unformatted=()
for file in "${files[@]}"; do
  if ! "$CLANG_FORMAT" --dry-run --Werror "$file" >/dev/null 2>&1; then
    unformatted+=("$file")
  fi
done

if [[ ${#unformatted[@]} -eq 0 ]]; then
  echo "format-check: all ${#files[@]} files are formatted"
  exit 0
fi

if [[ -n $fix ]]; then
  "$CLANG_FORMAT" -i "${unformatted[@]}"
  printf 'format-check: reformatted %s\n' "${unformatted[@]}"
  echo "format-check: ${#unformatted[@]} of ${#files[@]} files rewritten"
  exit 0
fi

printf 'format-check: not formatted: %s\n' "${unformatted[@]}" >&2
echo "format-check: ${#unformatted[@]} of ${#files[@]} files; fix them with: scripts/format-check.sh --fix" >&2
exit 1
