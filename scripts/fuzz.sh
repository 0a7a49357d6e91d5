#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the fuzz targets (tests/fuzz) with clang's libFuzzer and runs each in turn for
# the given number of seconds (10 by default), from the seed files in tests/fuzz/corpus.
# Inputs found to reach new code are kept in build-fuzz/corpus/, crashes in
# build-fuzz/crashes/; the script fails on the first crash.
#
#   scripts/fuzz.sh [seconds per target] [target...]
#   nice -n 10 scripts/fuzz.sh 7200 fuzz_journal     # two hours of the journal alone
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-10}"
shift || true
targets=("$@")
((${#targets[@]} > 0)) || targets=(fuzz_journal fuzz_table)

launcher=()
command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S tests/fuzz -B build-fuzz -DCMAKE_CXX_COMPILER=clang++-14 "${launcher[@]}" >/dev/null
cmake --build build-fuzz -j"$(nproc)" >/dev/null
mkdir -p build-fuzz/crashes
for target in "${targets[@]}"; do
    seeds="tests/fuzz/corpus/${target#fuzz_}"
    found="build-fuzz/corpus/${target#fuzz_}"
    mkdir -p "$found"
    echo "== $target: $seconds s =="
    log="build-fuzz/$target.log"
    status=0
    "build-fuzz/$target" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix=build-fuzz/crashes/"$target"- "$found" "$seeds" >"$log" 2>&1 || status=$?
    grep -E '^stat::(number_of_executed_units|new_units_added)|^Done [0-9]+ runs' "$log" || true
    if [ "$status" -ne 0 ]; then
        tail -n 60 "$log"
        echo "$target failed; the input is in build-fuzz/crashes/" >&2
        exit 1
    fi
done
