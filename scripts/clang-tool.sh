# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by check-format.sh and lint.sh: finds a clang tool of Debian 12's version.
#   clang_tool NAME VARIABLE    prints the binary to use: $VARIABLE when it is set, else
#                               NAME-14, else NAME; fails with a hint when there is none.
clang_tool() {
    local name=$1 chosen=${!2:-} candidate
    if [ -z "$chosen" ]; then
        for candidate in "$name-14" "$name"; do
            if command -v "$candidate" >/dev/null; then
                chosen=$candidate
                break
            fi
        done
    fi
    if [ -z "$chosen" ]; then
        echo "$name is missing: scripts/install-deps.sh installs it." >&2
        return 1
    fi
    echo "$chosen"
}
