#!/usr/bin/env bash
# Starts the real binary on a private Xvfb server, in a program folder of its own, without the right to set the
# clock, and checks that its window comes up and keeps ticking, with its icon, without the network and print modules
# that nothing has asked for yet (the first run's help plays a sound, so the sound module may be there); then
# closes the window as a window manager's close button would and checks the program ends by itself, cleanly, having
# written that its first setup is done.
# Usage: huxo_on_x.sh BUILD_DIR SEND_CLOSE_REQUEST
set -euo pipefail
build=$(cd "$1" && pwd)
close_request=${2:-}
title="HUXO 5.1"

if [ -z "${HUXO_SMOKE_INNER:-}" ]; then
    command -v xvfb-run >/dev/null || { echo "SKIPPED: xvfb-run not found"; exit 77; }
    [ -n "$close_request" ] || { echo "SKIPPED: send_close_request not built (no X11 headers)"; exit 77; }
    export HUXO_SMOKE_INNER=1
    exec xvfb-run -a -s "-screen 0 1280x800x24" "$0" "$@"
fi

folder=$(mktemp -d)
pid=
trap '[ -z "$pid" ] || kill "$pid" 2>/dev/null || true; rm -rf "$folder"' EXIT
cp "$build/huxo" "$build"/*.wav "$build"/*.png "$build"/libhuxo-*.so "$folder/"

unset QT_QPA_PLATFORM
setpriv --bounding-set=-sys_time "$folder/huxo" &
pid=$!

# Until bash reaps it, an ended process is a zombie that kill -0 still finds: look at its state instead.
running() {
    local stat
    stat=$(cat "/proc/$pid/stat" 2>/dev/null) || return 1
    [[ ${stat##*) } != Z* ]]
}

for _ in $(seq 50); do
    running || { echo "huxo ended before its window came up"; exit 1; }
    if xwininfo -root -tree | grep -q "\"$title\""; then
        break
    fi
    sleep 0.1
done
xwininfo -root -tree | grep -q "\"$title\"" || { echo "no window captioned $title"; exit 1; }

sleep 2
running || { echo "huxo ended by itself"; exit 1; }
[ -f "$folder/huxo.ini" ] || { echo "no huxo.ini in the program folder"; exit 1; }

# The local time label is green on black: the window must show some pure green pixels.
import -window root "$folder/shot.png"
green=$(convert "$folder/shot.png" -fill black +opaque '#00ff00' -fill white -opaque '#00ff00' \
    -format '%[fx:round(mean*w*h)]' info:)
[ "$green" -gt 20 ] || { echo "no green read-outs on the screen ($green pixels)"; exit 1; }
echo "window up, $green green pixels"
loaded=$(grep -oE '(libhuxo-(net|print)|libcurl|libQt6PrintSupport)[^/ ]*\.so' "/proc/$pid/maps" | sort -u) || true
[ -z "$loaded" ] || { echo "loaded at start although nothing needs them yet: ${loaded//$'\n'/ }"; exit 1; }

# The icon is given once the clocks are drawn; the desktop shows it beside the window.
icon=$(xprop -name "$title" _NET_WM_ICON)
[[ $icon == *"Icon (128 x 128)"* ]] || { echo "no program icon on the window: ${icon:0:80}"; exit 1; }
echo "the window carries the program's icon"

"$close_request" "$title"

for _ in $(seq 100); do
    running || break
    sleep 0.1
done
if running; then
    echo "huxo still running 10 s after the close request"
    exit 1
fi
status=0
wait "$pid" || status=$?
pid=
[ "$status" -eq 0 ] || { echo "huxo exited with code $status after the close request"; exit 1; }
echo "huxo closed on request and exited with code 0"

# huxo.ini holds 17-byte records numbered from 1; SetupDone is record 38, a little-endian int16 at its start.
offset=$(((38 - 1) * 17))
size=$(stat -c %s "$folder/huxo.ini")
[ "$size" -ge $((offset + 2)) ] || { echo "huxo.ini is $size bytes after closing, too short to hold SetupDone"; exit 1; }
setup_done=$(od -An -t d2 --endian=little -j "$offset" -N 2 "$folder/huxo.ini" | tr -d ' ')
[ "$setup_done" = "-1" ] || { echo "huxo.ini holds SetupDone = $setup_done after closing, not -1"; exit 1; }
echo "huxo.ini holds SetupDone = -1"
