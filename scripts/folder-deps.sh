#!/usr/bin/env bash
# Prints which folder of src/ includes which ("from -> to", with the number of includes), then the folders from the
# lowest layer up. The window folders under src/ui count as the one folder ui: windows ask each other through
# Forms, so they are peers. Exits non-zero when the folders include each other in a circle, when two windows
# include each other (a window is the files X.h, X.cpp and X_*.cpp under src/ui/<folder>/), or when a window
# outside ui/main includes the main window's class rather than its narrow interface.
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

# "window included-window" for every include of one window's header by another window's file.
window_edges=$(
    for file in ui/*/*.h ui/*/*.cpp; do
        window=$(basename "$file" | sed 's/[_.].*//')
        { grep -o '^#include "ui/[a-z]*/[A-Za-z0-9]*\.h"' "$file" || true; } | sed 's|.*/||; s|\.h"$||' |
            while read -r included; do
                if [ "$included" != "$window" ]; then
                    echo "$window $included"
                fi
            done
    done | sort -u
)
failed=0
while read -r window included; do
    if [[ "$window" < "$included" ]] && grep -qx "$included $window" <<<"$window_edges"; then
        echo "The windows $window and $included include each other: let one ask the other through a narrow interface."
        failed=1
    fi
done <<<"$window_edges"
if wide=$(grep -l '^#include "ui/main/huxofrm\.h"' ui/*/*.h ui/*/*.cpp ui/*.h ui/*.cpp | grep -v '^ui/main/'); then
    echo "Outside ui/main, these include huxofrm.h rather than the main window's narrow interface:" "${wide//$'\n'/ }"
    failed=1
fi
exit "$failed"
