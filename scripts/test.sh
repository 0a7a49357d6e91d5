#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, checks the format and that includes point down the layers,
# then builds and runs every test twice: once as built for players (and lints that build
# with clang-tidy), once under AddressSanitizer and UndefinedBehaviorSanitizer; last, runs
# each fuzz target for 10 seconds.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
jobs="$(nproc)"

echo "== Format and layers =="
scripts/check-format.sh
scripts/check-layers.sh

echo "== Tests =="
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_EXPORT_COMPILE_COMMANDS=ON
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

echo "== clang-tidy =="
scripts/lint.sh build

echo "== Tests under AddressSanitizer and UndefinedBehaviorSanitizer =="
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DDROVANE_SANITIZE=ON
cmake --build build-asan -j"$jobs"
ctest --test-dir build-asan --output-on-failure -j"$jobs"

echo "== Fuzz targets, 10 s each =="
scripts/fuzz.sh 10
