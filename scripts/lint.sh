#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs clang-tidy, with the checks of .clang-tidy, over our own sources: rules/, scores/,
# toneoutput/, ui/, app/, assets/ and tests/ (never the moc and qrc files the build
# generates).
# Fails on any finding.
#   scripts/lint.sh [build-folder]    (default: build-lint/ at the top of the repository)
# The build folder needs a compile_commands.json: a folder without one is configured with
# CMAKE_EXPORT_COMPILE_COMMANDS=ON, and its moc steps run first so that the files they
# generate exist. Set CLANG_TIDY to use another binary, LINT_JOBS for the parallel runs.
# A source found clean is not linted again while it, our headers, .clang-tidy, clang-tidy
# and the compile commands stay the same: <build-folder>/lint-cache/ remembers it (delete
# that folder to lint everything again, say after an upgrade of Qt).
set -euo pipefail
build="${1:-build-lint}"
case "$build" in
    /*) ;;
    *) build="$(pwd)/$build" ;;
esac
cd "$(dirname "$0")/.."
root="$(pwd)"
jobs="${LINT_JOBS:-$(nproc)}"

source "$(dirname "${BASH_SOURCE[0]}")/clang-tool.sh"
clang_tidy="$(clang_tool clang-tidy CLANG_TIDY)"

if [ ! -f "$build/compile_commands.json" ]; then
    if [ -f "$build/CMakeCache.txt" ]; then
        cmake -S . -B "$build" -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null
    else
        cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null
    fi
fi
database="$build/compile_commands.json"

# Our sources, once each, as the build compiles them; nothing under a build folder.
mapfile -t sources < <(sed -n 's/^ *"file": *"\(.*\)",\{0,1\} *$/\1/p' "$database" \
    | awk -v root="$root/" 'index($0, root) == 1 && substr($0, length(root) + 1) ~ /^(rules|scores|toneoutput|ui|app|assets|tests)\//' \
    | sort -u)
if ((${#sources[@]} == 0)); then
    echo "lint: no sources of ours in $database" >&2
    exit 1
fi

# The moc steps (<target>_autogen) of every target, so that the moc files exist.
mapfile -t autogen < <(sed -n 's|^ *"file": *".*/\([^/]*_autogen\)/mocs_compilation\.cpp",\{0,1\} *$|\1|p' "$database" \
    | sort -u)
if ((${#autogen[@]} > 0)); then
    cmake --build "$build" -j"$jobs" --target "${autogen[@]}" >/dev/null
fi

# What a source's findings depend on besides its own text.
cache="$build/lint-cache"
mkdir -p "$cache"
context="$({
    "$clang_tidy" --version
    cat .clang-tidy "$database"
    find rules scores toneoutput ui app assets tests -name '*.h' -print0 | sort -z | xargs -0 sha256sum
} | sha256sum | cut -d' ' -f1)"

version="$("$clang_tidy" --version | sed -n 's/.*version \([0-9.]*\).*/clang-tidy \1/p')"
echo "Lint: $version over ${#sources[@]} sources, $jobs at a time"
results="$(mktemp -d)"
trap 'rm -rf "$results"' EXIT
export clang_tidy build results cache context
# One clang-tidy a source; its findings go to a file of their own.
printf '%s\0' "${sources[@]}" | xargs -0 -P "$jobs" -n 1 sh -c '
    key="$({ echo "$context $1"; cat "$1"; } | sha256sum | cut -d" " -f1)"
    if [ -e "$cache/$key" ]; then
        touch "$results/$key.skipped"
        exit 0
    fi
    out="$results/$(printf "%s" "$1" | tr / _).txt"
    if "$clang_tidy" -p "$build" --quiet "$1" >"$out" 2>&1; then
        touch "$cache/$key"
    else
        touch "$results/$key.failed"
        exit 1
    fi
' lint || true

skipped=("$results"/*.skipped)
if [ -e "${skipped[0]}" ]; then
    echo "Lint: ${#skipped[@]} sources unchanged since they were found clean, not linted again."
fi

failed=("$results"/*.failed)
if [ ! -e "${failed[0]}" ]; then
    echo "Lint: no findings."
    exit 0
fi
# A header's findings come once for every source that includes it: show them once.
for file in "$results"/*.txt; do
    grep -v -E '^[0-9]+ warnings? (and [0-9]+ errors? )?generated\.$|^Suppressed [0-9]+ warnings' "$file" || true
done | awk '/^\// { seen = ($0 in shown); shown[$0] = 1 } !seen' >&2
findings="$(cat "$results"/*.txt | grep -E '^/.*: (warning|error): ' | sort -u | wc -l)"
echo "Lint: $findings findings; clang-tidy failed on ${#failed[@]} of ${#sources[@]} sources." >&2
exit 1
