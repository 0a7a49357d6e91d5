#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package in build-package/, lists it, checks its contents, runs lintian
# on it, and starts the packaged game on a headless Wayland compositor (weston). Fails on
# any lintian error or failed check.
#
# lintian: the package shows no tag at all, not even with --pedantic or informational ones,
# so none is overridden or explained here. Its line "running with root privileges is not
# recommended!" when run as root (as CI is) is a notice, not a tag.
set -euo pipefail
cd "$(dirname "$0")/.."
umask 022

scripts/install-deps.sh dpkg-dev lintian man-db weston

build=build-package
say() { printf '== %s ==\n' "$*"; }
fail() { printf 'package.sh: %s\n' "$*" >&2; exit 1; }

say "Building the package in $build/"
# The compiler and linker flags Debian builds its packages with (hardening included).
eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
export CXXFLAGS="$CPPFLAGS $CXXFLAGS"
rm -rf "$build"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF
cmake --build "$build" -j"$(nproc)"
(cd "$build" && cpack -G DEB)
deb=$(ls "$build"/drovane_*.deb)

say "The package: $deb"
dpkg-deb --info "$deb"
dpkg-deb --contents "$deb"

say "Checking its contents"
contents=$(dpkg-deb --contents "$deb")
for entry in \
    '-rwxr-xr-x root/root .* ./usr/games/drovane$' \
    '-rw-r--r-- root/root .* ./usr/lib/games/drovane/libdrovane_tone_output.so$' \
    '-rw-r--r-- root/root .* ./usr/share/man/man6/drovane.6.gz$' \
    '-rw-r--r-- root/root .* ./usr/share/doc/drovane/copyright$' \
    '-rw-r--r-- root/root .* ./usr/share/doc/drovane/changelog.gz$' \
    '-rw-r--r-- root/root .* ./usr/share/applications/org.example.drovane.desktop$' \
    '-rw-r--r-- root/root .* ./usr/share/metainfo/org.example.drovane.metainfo.xml$' \
    '-rw-r--r-- root/root .* ./usr/share/icons/hicolor/256x256/apps/drovane.png$'; do
    grep -Eq -- "^$entry" <<<"$contents" || fail "no entry like '$entry' in the package"
done
if grep -Ev '^(drwxr-xr-x|-rw-r--r--|-rwxr-xr-x) root/root ' <<<"$contents"; then
    fail "the entries above have other permissions or owners than Debian's usual ones"
fi
dpkg-deb --field "$deb" Recommends | grep -q qt6-wayland || fail "the package does not recommend qt6-wayland"

say "lintian"
lintian --info --display-info --pedantic --fail-on error "$deb"

unpacked=$(mktemp -d)
runtime=$(mktemp -d)  # mktemp makes it 0700, as XDG_RUNTIME_DIR must be
weston_pid=
game_pid=
cleanup() {
    [ -z "$game_pid" ] || kill "$game_pid" 2>/dev/null || true
    [ -z "$weston_pid" ] || kill "$weston_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$unpacked" "$runtime"
}
trap cleanup EXIT
dpkg-deb --extract "$deb" "$unpacked"
game="$unpacked/usr/games/drovane"

say "The packaged game without a display it can reach"
dead=87
while [ -e "/tmp/.X11-unix/X$dead" ] || [ -e "/tmp/.X$dead-lock" ]; do dead=$((dead + 1)); done
set +e
message=$(env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_SESSION_TYPE \
    DISPLAY=":$dead" XDG_RUNTIME_DIR="$runtime" "$game" 2>&1 >/dev/null)
status=$?
set -e
printf '%s\n' "$message"
[ "$status" -eq 1 ] || fail "exit status $status with a dead DISPLAY, not 1"
[ "$(printf '%s\n' "$message" | wc -l)" -eq 1 ] || fail "more than one line with a dead DISPLAY"

say "The packaged game on a headless Wayland compositor (weston)"
socket="drovane-check-$$"
env -u DISPLAY XDG_RUNTIME_DIR="$runtime" \
    weston --backend=headless-backend.so --use-pixman --socket="$socket" --idle-time=0 \
    --width=1024 --height=768 --debug >"$build/weston.log" 2>&1 &
weston_pid=$!
for _ in $(seq 50); do
    [ -S "$runtime/$socket" ] && break
    sleep 0.1
done
[ -S "$runtime/$socket" ] || { cat "$build/weston.log"; fail "weston did not start"; }

# WAYLAND_DEBUG logs the protocol on standard error, one '[time] request' line each: the
# menu window must get its title and a buffer; every other line is a message from the game.
(cd "$unpacked" && exec env -u DISPLAY -u QT_QPA_PLATFORM -u XDG_SESSION_TYPE XDG_RUNTIME_DIR="$runtime" \
    WAYLAND_DISPLAY="$socket" WAYLAND_DEBUG=client HOME="$unpacked" "$game") \
    >"$build/wayland-game.log" 2>&1 &
game_pid=$!
sleep 5
kill -0 "$game_pid" 2>/dev/null || { cat "$build/wayland-game.log"; fail "the game did not stay up on Wayland"; }
grep -q 'libqwayland' "/proc/$game_pid/maps" || fail "the game is not using Qt's Wayland platform"
grep -Eq 'xdg_toplevel@[0-9]+\.set_title\("menu"\)' "$build/wayland-game.log" ||
    fail "no menu window on Wayland (see $build/wayland-game.log)"
grep -Eq 'wl_surface@[0-9]+\.attach\(wl_buffer' "$build/wayland-game.log" ||
    fail "the menu window drew nothing on Wayland (see $build/wayland-game.log)"
if grep -Ev '^\[ *[0-9]+\.[0-9]+\] ' "$build/wayland-game.log"; then
    fail "the game said the lines above on Wayland"
fi
# A picture of the screen, for a person to look at (weston's screenshooter needs --debug).
if (cd "$build" && rm -f wayland-screenshot-*.png &&
    XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY="$socket" timeout 10 weston-screenshooter); then
    mv "$build"/wayland-screenshot-*.png "$build/wayland-menu.png"
    echo "Screenshot: $build/wayland-menu.png"
fi
kill "$game_pid"
wait "$game_pid" 2>/dev/null || true
game_pid=

say "Done"
echo "Package $deb: contents checked, no lintian error, runs on Wayland."
