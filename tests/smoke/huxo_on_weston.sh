#!/usr/bin/env bash
# Starts the real binary in a Wayland session of its own: weston, headless, with XWayland. Started as from a
# launcher, the window comes up through XWayland; run natively, as a user may choose, and ended, the program keeps
# the window's stored place, which a Wayland window never learns. Both runs are ended as the session would end them.
# Usage: huxo_on_weston.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
title="HUXO 5.1"

for tool in weston Xwayland xwininfo python3; do
    command -v "$tool" >/dev/null || { echo "SKIPPED: $tool not found"; exit 77; }
done
compgen -G "/usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so" >/dev/null ||
    { echo "SKIPPED: Qt's Wayland platform (qt6-wayland) not found"; exit 77; }

work=$(mktemp -d)
weston_pid=
pid=
trap '[ -z "$pid" ] || kill "$pid" 2>/dev/null; [ -z "$weston_pid" ] || kill "$weston_pid" 2>/dev/null; wait; rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*"
    exit 1
}

export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
weston --backend=headless-backend.so --xwayland --socket=wayland-huxo --idle-time=0 --log="$work/weston.log" &
weston_pid=$!
for _ in $(seq 100); do
    x_display=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$work/weston.log" 2>/dev/null)
    [ -z "$x_display" ] || [ ! -S "$XDG_RUNTIME_DIR/wayland-huxo" ] || break
    sleep 0.1
done
[ -n "$x_display" ] || { cat "$work/weston.log"; fail "weston did not start with XWayland"; }

folder=$work/program
mkdir "$folder"
cp "$build/huxo" "$build"/*.wav "$build"/*.png "$folder/"
ini=$folder/huxo.ini

# The settings of an earlier run that left the window at 300, 200 pixels (4500, 3000 twips).
store_place() {
    python3 - "$ini" <<'PYTHON'
import struct, sys
records = bytearray(39 * 17)
def put(number, data):
    records[(number - 1) * 17:(number - 1) * 17 + len(data)] = data
put(2, struct.pack("<h", 2335))      # WinHeight
put(29, struct.pack("<h", 7625))     # WinWidth
put(17, struct.pack("<f", 3000.0))   # WinTop
put(18, struct.pack("<f", 4500.0))   # WinLeft
put(38, struct.pack("<h", -1))       # SetupDone
open(sys.argv[1], "wb").write(records)
PYTHON
}

# "WinTop WinLeft LocCaption" as the program last saved them.
stored() {
    python3 - "$ini" <<'PYTHON'
import struct, sys
data = open(sys.argv[1], "rb").read()
def record(number):
    return data[(number - 1) * 17:number * 17]
length = struct.unpack("<H", record(20)[:2])[0]
print("%g %g %s" % (struct.unpack("<f", record(17)[:4])[0], struct.unpack("<f", record(18)[:4])[0],
                    record(20)[2:2 + length].decode("latin-1")))
PYTHON
}

running() {
    local stat
    stat=$(cat "/proc/$pid/stat" 2>/dev/null) || return 1
    [[ ${stat##*) } != Z* ]]
}

# Ends the program as the session would and waits for it: it must end at once, by itself, with status 0.
end_huxo() {
    kill -TERM "$pid"
    local status=0
    timeout 20 tail --pid="$pid" -f /dev/null || fail "huxo still running 20 s after the end request"
    wait "$pid" || status=$?
    pid=
    [ "$status" -eq 0 ] || fail "huxo ended with status $status"
}

# A start from the session's launcher: the session's variables, no platform chosen.
store_place
WAYLAND_DISPLAY=wayland-huxo XDG_SESSION_TYPE=wayland DISPLAY=$x_display \
    setpriv --bounding-set=-sys_time "$folder/huxo" >"$work/xwayland.log" 2>&1 &
pid=$!
for _ in $(seq 200); do
    running || { cat "$work/xwayland.log"; fail "huxo ended before its window came up"; }
    if xwininfo -display "$x_display" -root -tree 2>/dev/null | grep -q "\"$title\""; then
        break
    fi
    sleep 0.1
done
xwininfo -display "$x_display" -root -tree | grep -q "\"$title\"" || fail "no window captioned $title on XWayland"
echo "the window came up through XWayland"
end_huxo

# Native, as chosen by the user, with XWayland there all the same.
store_place
WAYLAND_DEBUG=client QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=wayland-huxo XDG_SESSION_TYPE=wayland \
    DISPLAY=$x_display setpriv --bounding-set=-sys_time "$folder/huxo" >"$work/native.log" 2>&1 &
pid=$!
for _ in $(seq 200); do
    running || { tail -20 "$work/native.log"; fail "huxo ended before its window came up"; }
    if grep -q "xdg_toplevel@[0-9]*\.set_title(\"$title\")" "$work/native.log"; then
        break
    fi
    sleep 0.1
done
grep -q "xdg_toplevel@[0-9]*\.set_title(\"$title\")" "$work/native.log" || fail "no Wayland window captioned $title"
! xwininfo -display "$x_display" -root -tree | grep -q "\"$title\"" || fail "the window went to XWayland all the same"
# Let it settle and tick, as a window in use would.
sleep 2
end_huxo
read -r top left caption < <(stored)
[ "$caption" = LOCAL ] || fail "the end of the native run saved nothing (local caption '$caption')"
[ "$top $left" = "3000 4500" ] || fail "the native run saved the place $left, $top (twips) over 4500, 3000"
echo "the native run kept the stored place"
