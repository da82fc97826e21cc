#!/usr/bin/env bash
# The real binary sets the clock from the internet, end to end: in a private network and mount namespace where
# the time and update servers' names lead to a loopback server of ours, on a private Xvfb server, without the right
# to set the clock. Auto Set is pressed through the system time window as a user would; the progress list is read
# through its Ctrl+C. With a preload that records clock_settime instead of doing it, the list must end in success
# and the recorded time of day be the server's time plus the transfer second; without it, the system refuses
# and the list must end in "bad link".
# Usage: autoset_e2e.sh BUILD_DIR RECORDER_LIBRARY [SCREENSHOT]
set -euo pipefail
build=$(cd "$1" && pwd)
recorder=$(realpath "$2")
shot=${3:-}
here=$(cd "$(dirname "$0")" && pwd)
port=80
expected_time=13:00:00 # time_servers.py answers 12:59:59 UTC; the transfer second is added
expected_date=2026-12-08

skip() { echo "SKIPPED: $*"; exit 77; }

# Lays FILE over /etc/hosts in this mount namespace. A minimal system may have no /etc/hosts to mount over; then
# /etc gets an overlay (in the folder SCRATCH) that holds one.
use_hosts_file() {
    if [ -e /etc/hosts ]; then
        mount --bind "$1" /etc/hosts
        return
    fi
    mkdir -p "$2/upper" "$2/work" &&
        mount -t overlay overlay -o "lowerdir=/etc,upperdir=$2/upper,workdir=$2/work" /etc &&
        cp "$1" /etc/hosts
}

case ${HUXO_E2E_STAGE:-} in
"")
    for tool in Xvfb xdotool xclip xwininfo setpriv unshare ip python3; do
        command -v "$tool" >/dev/null || skip "$tool not found"
    done
    [ -x "$build/huxo" ] || { echo "missing $build/huxo"; exit 1; }
    [ -f "$recorder" ] || { echo "missing $recorder"; exit 1; }
    export HUXO_E2E_STAGE=namespace
    exec "$here/../support/private_network.sh" "$0" "$build" "$recorder" "$shot"
    ;;
namespace)
    # Only loopback, and the servers' names on it; nothing here can reach the outside or a real system bus.
    work=$(mktemp -d)
    server=
    trap '[ -z "$server" ] || kill "$server" 2>/dev/null; rm -rf "$work"' EXIT
    printf '127.0.0.1 localhost %s\n' time1.huxo-clock.net time2.huxo-clock.net time3.huxo-clock.net \
        www.huxo-clock.net mirror.huxo-clock.net >"$work/hosts"
    use_hosts_file "$work/hosts" "$work/etc" || skip "the servers' names cannot be mounted over /etc/hosts here"
    python3 "$here/time_servers.py" "$port" "$work/requests" >"$work/server.out" 2>&1 &
    server=$!
    for _ in $(seq 50); do
        grep -q ready "$work/server.out" 2>/dev/null && break
        sleep 0.1
    done
    grep -q ready "$work/server.out" || { echo "the loopback server did not start"; cat "$work/server.out"; exit 1; }
    # A display of our own: Xvfb picks a free number itself and tells it once it listens, so two servers started
    # at once never share one, and no authority file is involved.
    Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
    xvfb=$!
    trap 'kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null || true; [ -z "$server" ] || kill "$server" 2>/dev/null; rm -rf "$work"' EXIT
    for _ in $(seq 100); do
        [ -s "$work/display" ] && break
        sleep 0.1
    done
    export DISPLAY=:$(head -n 1 "$work/display")
    if [ "$DISPLAY" = : ] || ! xwininfo -root >/dev/null 2>&1; then
        sed 's/^/  Xvfb: /' "$work/xvfb.log"
        skip "Xvfb does not answer in the private network namespace"
    fi
    status=0
    HUXO_E2E_STAGE=display HUXO_E2E_WORK=$work "$0" "$build" "$recorder" "$shot" || status=$?
    echo "requests the loopback server saw:"
    sed 's/^/  /' "$work/requests" 2>/dev/null || echo "  none"
    exit "$status"
    ;;
esac

# On the private display.
work=$HUXO_E2E_WORK
unset QT_QPA_PLATFORM
export TZ=UTC LC_ALL=C.UTF-8 DBUS_SYSTEM_BUS_ADDRESS=unix:path=/nonexistent XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
pid=
log=
trap '[ -z "$pid" ] || kill "$pid" 2>/dev/null || true' EXIT

# Until bash reaps it, an ended process is a zombie that kill -0 still finds: look at its state instead.
running() {
    local stat
    stat=$(cat "/proc/$pid/stat" 2>/dev/null) || return 1
    [[ ${stat##*) } != Z* ]]
}

window_named() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1; }

# Where Qt cannot open the private display from inside the namespace, this machine cannot run the test (the
# smoke test covers the window on a display outside it); any other early end is a failure.
ended_early() {
    sed 's/^/  huxo: /' "$log" >&2
    if grep -q -E "could not connect to display|no Qt platform plugin could be initialized" "$log"; then
        echo "SKIPPED: huxo cannot open a window on the private display in this namespace" >&2
        return 77
    fi
    echo "huxo ended while waiting for \"$1\"" >&2
    return 1
}

wait_window() {
    local id
    for _ in $(seq 100); do
        running || { ended_early "$1"; return; }
        id=$(window_named "$1")
        [ -n "$id" ] && { echo "$id"; return; }
        sleep 0.1
    done
    echo "no window \"$1\"" >&2
    return 1
}

click_in() {
    local x y
    read -r x y < <(xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { print x, $NF }')
    xdotool mousemove $((x + $2)) $((y + $3)) click --repeat "${4:-1}" --delay 80 1
}

# The progress list's lines, through its own Ctrl+C. Clicking into it (8 px in from the window's corner where
# the list starts) gives it the keyboard focus.
read_stat() {
    printf '' | xclip -selection clipboard
    click_in "$1" 60 120
    xdotool key --window "$1" ctrl+c
    sleep 0.2
    xclip -o -selection clipboard 2>/dev/null || true
}

# One run in a fresh program folder: opens the system time window, presses Auto Set and waits until the progress
# list ends in success or failure. Leaves the list in $work/NAME.stat.
autoset_run() {
    local name=$1 preload=$2
    local folder=$work/$name window systime last started
    log=$work/$name.log
    mkdir "$folder"
    cp "$build/huxo" "$build"/*.wav "$build"/*.png "$folder/"
    # huxo.ini: records of 17 bytes, record N at byte (N-1)*17; SetupDone (38), a little-endian int16 of -1,
    # skips the first-run questions.
    head -c $((39 * 17)) /dev/zero >"$folder/huxo.ini"
    printf '\377\377' | dd of="$folder/huxo.ini" bs=1 seek=$(((38 - 1) * 17)) conv=notrunc status=none
    started=$(date +%s.%N)
    # A sanitized build wants its runtime first in the library list, ahead of the preload; the recorder replaces
    # nothing the sanitizers hook, so that order does not matter here.
    ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0 \
        LD_PRELOAD=$preload HUXO_CLOCK_SETTIME_LOG=$work/$name.clock \
        setpriv --bounding-set=-sys_time "$folder/huxo" >"$log" 2>&1 &
    pid=$!
    window=$(wait_window "HUXO 5.1") || return
    # The local clock face, the first at the main window's top left, opens the system time window.
    click_in "$window" 36 32 2
    systime=$(wait_window "Set Local System Time") || return
    xdotool windowfocus --sync "$systime" key alt+a
    : >"$work/$name.stat"
    for _ in $(seq 60); do
        running || { echo "huxo ended during Auto Set"; sed 's/^/  huxo: /' "$log"; return 1; }
        sleep 0.5
        read_stat "$systime" >"$work/$name.stat"
        last=$(tail -n 1 "$work/$name.stat")
        [ "$last" = "TIME SET COMPLETE." ] || [ "$last" = "bad link" ] && break
    done
    awk -v a="$started" -v b="$(date +%s.%N)" -v n="$name" 'BEGIN { printf "%s: %.1f s from start to the end of the list\n", n, b - a }'
    echo "$name: progress list:"
    sed 's/^/  | /' "$work/$name.stat"
    echo
    if [ "$name" = set ] && [ -n "$shot" ]; then
        import -window root "$shot"
    fi
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    pid=
}

failed=0
autoset_run set "$recorder" || exit
if [ "$(tail -n 1 "$work/set.stat")" != "TIME SET COMPLETE." ]; then
    echo "FAIL: with the recorder the progress list does not end in TIME SET COMPLETE."
    failed=1
fi
echo "clock_settime calls (clock seconds nanoseconds):"
sed 's/^/  /' "$work/set.clock" 2>/dev/null || echo "  none"
# The time first, on today's date; then the server's date, with the time of day as it is then.
clock_setting() { sed -n "$1p" "$work/set.clock" 2>/dev/null | awk '{ print $2 }'; }
first=$(clock_setting 1)
second=$(clock_setting 2)
if [ -z "$first" ] || [ "$(date -u -d "@$first" +%T)" != "$expected_time" ]; then
    echo "FAIL: the clock was not first set to $expected_time UTC"
    failed=1
fi
if [ -z "$second" ] || [ "$(date -u -d "@$second" +%F)" != "$expected_date" ]; then
    echo "FAIL: the clock was not then set to $expected_date"
    failed=1
fi
grep -q "^time1.huxo-clock.net /cgi-bin/date$" "$work/requests" || { echo "FAIL: time server 1 was not asked"; failed=1; }
grep -q " /x__c51/flash51.txt$" "$work/requests" || { echo "FAIL: the newsflash was not fetched"; failed=1; }

autoset_run refused "" || exit
if [ "$(tail -n 1 "$work/refused.stat")" != "bad link" ]; then
    echo "FAIL: without the right to set the clock the progress list does not end in bad link"
    failed=1
fi
[ ! -s "$work/refused.clock" ] || { echo "FAIL: the refused run recorded a clock setting"; failed=1; }
[ "$failed" -eq 0 ] && echo "PASS"
exit "$failed"
