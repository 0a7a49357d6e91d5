#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages Drovane needs to build, test and play; only those missing.
# Package names given as arguments are wanted too (scripts/package.sh names its tools).
# As root it runs apt-get; otherwise through sudo; without sudo it names what is missing and
# the command to run as root, and fails.
set -euo pipefail

packages=(
    cmake g++ make pkg-config
    qt6-base-dev libpulse-dev libxkbcommon-dev
    qt6-wayland qt6-translations-l10n
    fonts-comic-neue fonts-dejavu-core
    desktop-file-utils appstream
    clang-format clang-tidy
    clang-14 libclang-rt-14-dev
    "$@"
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
((${#missing[@]} > 0)) || exit 0

install=(apt-get install -y -qq --no-install-recommends "${missing[@]}")
if [ "$(id -u)" -eq 0 ]; then
    as_root=(env DEBIAN_FRONTEND=noninteractive)
elif command -v sudo >/dev/null 2>&1; then
    # sudo resets the environment: the setting has to be given inside it.
    as_root=(sudo env DEBIAN_FRONTEND=noninteractive)
else
    echo "install-deps.sh: missing Debian packages: ${missing[*]}; install them as root with:" \
         "su -c 'apt-get update && apt-get install --no-install-recommends ${missing[*]}'" >&2
    exit 1
fi
echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" "${install[@]}"
