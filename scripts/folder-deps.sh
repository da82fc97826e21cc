#!/usr/bin/env bash
# Prints which folder of src/ includes which ("from -> to", with the number of includes), then the folders from the
# lowest layer up. The window folders under src/ui count as the one folder ui: windows ask each other through
# Forms, so they are peers. Exits non-zero when the folders include each other in a circle.
# Usage: scripts/folder-deps.sh
set -euo pipefail

cd "$(dirname "$0")/../src"
layer() { cut -d/ -f1 <<<"$1"; }

edges=$(
    find . -name '*.h' -o -name '*.cpp' | sed 's|^\./||' | sort | while read -r file; do
        from=$(layer "$(dirname "$file")")
        { grep -o '^#include "[^"]*/[^"]*"' "$file" || true; } | sed 's|^#include "||' | while read -r included; do
            to=$(layer "$included")
            if [ "$to" != "$from" ]; then
                echo "$from $to"
            fi
        done
    done
)
sort <<<"$edges" | uniq -c | awk '{ printf "%5d  %s -> %s\n", $1, $2, $3 }'
echo "From the lowest layer up:"
# tsort puts a folder before those it includes; reversed, each folder comes after everything it includes.
if ! order=$(awk '{ print $1, $2 }' <<<"$edges" | tsort 2>&1); then
    echo "$order"
    exit 1
fi
tac <<<"$order" | paste -sd' '
