#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks that every tracked C++ source (*.cpp, *.h) is formatted as .clang-format says.
#   scripts/check-format.sh          list the files that are not, and fail
#   scripts/check-format.sh --fix    format those files in place
# clang-format 14 is the reference (Debian 12); set CLANG_FORMAT to use another binary.
set -euo pipefail
cd "$(dirname "$0")/.."

fix=false
case "${1:-}" in
    "") ;;
    --fix) fix=true ;;
    *) echo "usage: $0 [--fix]" >&2; exit 2 ;;
esac

source "$(dirname "${BASH_SOURCE[0]}")/clang-tool.sh"
clang_format="$(clang_tool clang-format CLANG_FORMAT)"
version="$("$clang_format" --version | sed -n 's/.*version \([0-9]*\)\..*/\1/p')"
if [ "$version" != 14 ]; then
    echo "note: $clang_format is version ${version:-unknown}; the style is checked against clang-format 14." >&2
fi

# Our sources: tracked files, never a build folder.
sources=()
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    while IFS= read -r -d '' file; do
        sources+=("$file")
    done < <(git ls-files -z -- '*.cpp' '*.h' ':(exclude,glob)build*/**')
else
    while IFS= read -r -d '' file; do
        sources+=("${file#./}")
    done < <(find . \( -path './build*' -o -path './.git' \) -prune -o \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z)
fi

unformatted=()
for file in "${sources[@]}"; do
    if ! "$clang_format" --style=file "$file" | cmp -s - "$file"; then
        unformatted+=("$file")
    fi
done

if ((${#unformatted[@]} == 0)); then
    echo "Format: all ${#sources[@]} C++ sources are formatted."
    exit 0
fi

if $fix; then
    "$clang_format" --style=file -i "${unformatted[@]}"
    printf 'Formatted: %s\n' "${unformatted[@]}"
    exit 0
fi

echo "Format: ${#unformatted[@]} of ${#sources[@]} C++ sources are not formatted as .clang-format says:" >&2
printf '  %s\n' "${unformatted[@]}" >&2
echo "Fix them with: scripts/check-format.sh --fix" >&2
exit 1
