#!/usr/bin/env bash
# Starts the real binary in a Wayland session of its own: weston, headless, with XWayland. Started as from a
# launcher, the window comes up through XWayland; run natively, as a user may choose, and ended as the session ends
# it, the program keeps the window's stored place, which a Wayland window never learns.
# Usage: huxo_on_weston.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
source "$(dirname "$0")/../e2e/e2e_lib.sh"
title="HUXO 5.1"
die() { echo "FAIL: $*"; exit 1; }

for tool in weston Xwayland xdotool; do
    command -v "$tool" >/dev/null || skip "$tool not found"
done
compgen -G "/usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so" >/dev/null ||
    skip "Qt's Wayland platform (qt6-wayland) not found"

work=$(mktemp -d)
pid=
trap '[ -z "$pid" ] || kill "$pid" 2>/dev/null; kill %1 2>/dev/null; wait; rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR=$work/runtime XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=wayland-huxo
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset DISPLAY QT_QPA_PLATFORM
weston --backend=headless-backend.so --xwayland --socket="$WAYLAND_DISPLAY" --idle-time=0 --log="$work/weston.log" &
for _ in $(seq 100); do
    DISPLAY=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$work/weston.log" 2>/dev/null || true)
    [ -z "$DISPLAY" ] || [ ! -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] || break
    sleep 0.1
done
[ -n "$DISPLAY" ] || { cat "$work/weston.log"; die "weston did not start with XWayland"; }
export DISPLAY

# The window was left at 300, 200 pixels (WinLeft 4500 and WinTop 3000 twips, records 18 and 17, little-endian
# singles), and the local caption (record 20) is empty: a close shows LOCAL there.
place_window() { printf '\x00\x80\x3b\x45' | ini_bytes "$1" 17 && printf '\x00\xa0\x8c\x45' | ini_bytes "$1" 18; }
record() { dd if="$folder/huxo.ini" bs=1 skip=$((($1 - 1) * 17 + $2)) count="$3" status=none; }

# Ends the program as the session would: it must end at once, by itself, with status 0.
end_huxo() {
    kill -TERM "$pid"
    timeout 20 tail --pid="$pid" -f /dev/null || die "huxo still running 20 s after the end request"
    wait "$pid" || die "huxo ended with status $?"
    pid=
}

# From the session's launcher: no platform chosen. XWayland starts with its first client, which may take a while on
# a busy machine.
start_huxo xwayland "" place_window
wait_window "$title" >/dev/null || wait_window "$title" >/dev/null || die "no window captioned $title on XWayland"
echo "the window came up through XWayland"
end_huxo

# Native, as the user chose, with XWayland there all the same; a while in use, as a window is.
QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=client start_huxo native "" place_window
for _ in $(seq 200); do
    running || { tail -20 "$log"; die "huxo ended before its window came up"; }
    grep -q "xdg_toplevel@[0-9]*\.set_title(\"$title\")" "$log" && break
    sleep 0.1
done
grep -q "xdg_toplevel@[0-9]*\.set_title(\"$title\")" "$log" || die "no Wayland window captioned $title"
[ -z "$(window_named "$title")" ] || die "the window went to XWayland all the same"
sleep 2
end_huxo
[ "$(record 20 2 5)" = LOCAL ] || die "the end of the native run saved nothing"
place=$(record 18 0 4 | od -An -tf4 | tr -d ' ')/$(record 17 0 4 | od -An -tf4 | tr -d ' ')
[ "$place" = 4500/3000 ] || die "the native run saved the place $place (twips) over 4500/3000"
echo "the native run kept the stored place"
