#!/usr/bin/env bash
# Starts the real binary on a private Xvfb server, in a program folder of its own, without the right to set the
# clock, and checks that its window comes up, keeps ticking and leaves its settings file behind.
# Usage: huxo_on_x.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)

if [ -z "${HUXO_SMOKE_INNER:-}" ]; then
    export HUXO_SMOKE_INNER=1
    exec xvfb-run -a -s "-screen 0 1280x800x24" "$0" "$@"
fi

folder=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$folder"' EXIT
cp "$build/huxo" "$build"/*.wav "$folder/"

unset QT_QPA_PLATFORM
setpriv --bounding-set=-sys_time "$folder/huxo" &
pid=$!

for _ in $(seq 50); do
    if xwininfo -root -tree | grep -q '"HUXO 5.1"'; then
        break
    fi
    sleep 0.1
done
xwininfo -root -tree | grep -q '"HUXO 5.1"' || { echo "no window captioned HUXO 5.1"; exit 1; }

sleep 2
kill -0 "$pid" || { echo "huxo ended by itself"; exit 1; }
[ -f "$folder/huxo.ini" ] || { echo "no huxo.ini in the program folder"; exit 1; }

# The local time label is green on black: the window must show some pure green pixels.
import -window root "$folder/shot.png"
green=$(convert "$folder/shot.png" -fill black +opaque '#00ff00' -fill white -opaque '#00ff00' \
    -format '%[fx:round(mean*w*h)]' info:)
[ "$green" -gt 20 ] || { echo "no green read-outs on the screen ($green pixels)"; exit 1; }
echo "window up, $green green pixels"
