#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails on an include that points up the layers. Folders are the layers, and each may use
# only itself and those below it:
#   rules <- scores <- ui <- app, and the tone plugin (toneoutput), which ui loads.
set -euo pipefail
cd "$(dirname "$0")/.."

declare -A allowed=(
    [rules]="rules"
    [scores]="rules scores"
    [toneoutput]="toneoutput"
    [ui]="rules scores toneoutput ui"
    [app]="rules scores toneoutput ui app"
)

status=0
for layer in "${!allowed[@]}"; do
    while IFS=: read -r file line text; do
        [ -n "$file" ] || continue
        [[ "$text" == *.moc\"* ]] && continue  # what moc makes of the file itself
        used="$(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^/"]*\)\/.*/\1/p' <<<"$text")"
        if [ -z "$used" ]; then
            echo "$file:$line: include our headers as \"folder/file.h\": $text" >&2
            status=1
        elif [[ " ${allowed[$layer]} " != *" $used "* ]]; then
            echo "$file:$line: $layer/ may not include from $used/: $text" >&2
            status=1
        fi
    done < <(grep -Hn '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$layer"/*.cpp "$layer"/*.h 2>/dev/null || true)
done
if ((status == 0)); then
    echo "Layers: every include points down (rules <- scores <- ui <- app)."
fi
exit "$status"
