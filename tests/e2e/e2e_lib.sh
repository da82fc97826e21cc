# shellcheck shell=bash
# Sourced by the end-to-end tests of the real binary. e2e_begin runs the calling script again in a private network
# and mount namespace (tests/support/private_network.sh) where the time and update servers' names lead to the
# project's own web server (server/serve.sh) on loopback, ports 80 and 443, and where a private Xvfb is the display.
# Then the script drives huxo there as a user would, with xdotool, and reads what it shows.
#
# After e2e_begin: $work (removed on exit), $server_work (the web server's folder: access.log, tls/ca.pem),
# $content (the files the update server offers), $build, $DISPLAY. A script that sets e2e_hosts_first before
# e2e_begin ("ADDRESS NAME" lines) leads those names elsewhere on loopback, to servers of its own
# (e2e_start_server_with_clock).

e2e_here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
e2e_root=$(cd "$e2e_here/../.." && pwd)
# shellcheck disable=SC2034 # for the scripts that source this file
content=$e2e_root/server/x__c51

skip() {
    echo "SKIPPED: $*"
    exit 77
}

fail() {
    echo "FAIL: $*"
    failed=1
}
# shellcheck disable=SC2034 # read by the scripts that source this file
failed=0

# Processes to end on exit, last started first.
e2e_pids=()
e2e_cleanup() {
    local index
    [ -z "${pid:-}" ] || stop_huxo
    for ((index = ${#e2e_pids[@]} - 1; index >= 0; index--)); do
        kill "${e2e_pids[index]}" 2>/dev/null || true
        wait "${e2e_pids[index]}" 2>/dev/null || true
    done
    [ -z "${work:-}" ] || rm -rf "$work"
}

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

# Usage: e2e_begin SCRIPT BUILD_DIR [ARGUMENT...]; the script's own arguments come back unchanged on the second run.
e2e_begin() {
    local script=$1
    build=$(cd "$2" && pwd)
    if [ -z "${HUXO_E2E_STAGE:-}" ]; then
        local tool
        for tool in Xvfb xdotool xclip xwininfo setpriv unshare ip lighttpd openssl; do
            command -v "$tool" >/dev/null || skip "$tool not found"
        done
        [ -x "$build/huxo" ] || { echo "missing $build/huxo"; exit 1; }
        export HUXO_E2E_STAGE=namespace
        shift
        exec "$e2e_root/tests/support/private_network.sh" "$script" "$@"
    fi

    # Only loopback, and the servers' names on it; nothing here can reach the outside or a real system bus.
    work=$(mktemp -d)
    trap e2e_cleanup EXIT
    # A name on two lines would have both addresses, so the names led elsewhere leave the loopback lines.
    {
        [ -z "${e2e_hosts_first:-}" ] || echo "$e2e_hosts_first"
        echo 127.0.0.1 localhost
        grep -vxF -f <(awk '{ print $2 }' <<<"${e2e_hosts_first:-}") "$e2e_root/server/host-names" |
            sed 's/^/127.0.0.1 /'
    } >"$work/hosts"
    use_hosts_file "$work/hosts" "$work/etc" || skip "the servers' names cannot be mounted over /etc/hosts here"
    e2e_start_server
    e2e_trust_test_authority || skip "the system's certificate store cannot be mounted over here"
    e2e_start_display
    unset QT_QPA_PLATFORM
    export TZ=UTC LC_ALL=C.UTF-8 DBUS_SYSTEM_BUS_ADDRESS=unix:path=/nonexistent XDG_RUNTIME_DIR=$work/runtime
    mkdir -m 700 "$XDG_RUNTIME_DIR"
}

e2e_start_server() {
    server_work=$work/server
    # shellcheck source=../../server/serve-in-background.sh
    source "$e2e_root/server/serve-in-background.sh"
    serve_in_background "$work/server.out" --http 80 --https 443 "$server_work" || {
        echo "the web server did not start"
        exit 1
    }
    e2e_pids+=("$serve_pid")
}

# Sets $faketime_lib to libfaketime's preload library, or skips the test where it is missing.
e2e_find_faketime() {
    faketime_lib=/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1
    [ -f "$faketime_lib" ] || faketime_lib=$(dpkg -L libfaketime 2>/dev/null | grep '/libfaketime\.so\.1$' | head -n 1)
    [ -n "$faketime_lib" ] || skip "libfaketime not found"
}

# Usage: e2e_start_server_with_clock ADDRESS FAKETIME: one more web server, on ADDRESS, with the first one's
# certificate and a clock that libfaketime sets as FAKETIME says ("+5h", "@9999-12-31 23:59:50", "-300").
e2e_start_server_with_clock() {
    e2e_find_faketime
    LD_PRELOAD=$faketime_lib FAKETIME=$2 serve_in_background "$work/server-$1.out" --bind "$1" --http 80 \
        --https 443 --cert "$server_work/tls/server.pem" --key "$server_work/tls/server.key" "$work/server-$1" || {
        echo "the web server on $1 did not start"
        exit 1
    }
    e2e_pids+=("$serve_pid")
}

# The web server's throw-away authority becomes the only one the system trusts in this mount namespace, laid where
# a Debian system keeps its store: the bundle that OpenSSL reads and the folder of certificates by hash that Qt
# looks them up in.
e2e_trust_test_authority() {
    local store=$work/ssl-certs
    mkdir -p "$store"
    cp "$server_work/tls/ca.pem" "$store/huxo-test-authority.pem"
    cp "$store/huxo-test-authority.pem" "$store/ca-certificates.crt"
    ln -s huxo-test-authority.pem "$store/$(openssl x509 -hash -noout -in "$store/huxo-test-authority.pem").0"
    [ -d /etc/ssl/certs ] && mount --bind "$store" /etc/ssl/certs
}

# A display of our own, wholly inside this namespace: its abstract socket is private with the network, and its
# socket folder gets a private mount, while it takes no lock file in the /tmp that tests running side by side
# share. Otherwise each test's server would pick display 0 in its own network, and one would replace the other's
# socket file or die on the other's lock. Xvfb tells its number once it listens; no authority file is involved.
e2e_start_display() {
    # shellcheck disable=SC2174 # /tmp is there: the mode is for the one folder made
    mkdir -p -m 1777 /tmp/.X11-unix &&
        mount -t tmpfs -o mode=1777 tmpfs /tmp/.X11-unix || skip "no private X socket folder can be mounted here"
    Xvfb -displayfd 3 -nolock -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
    e2e_pids+=($!)
    for _ in $(seq 100); do
        [ -s "$work/display" ] && break
        sleep 0.1
    done
    DISPLAY=:$(head -n 1 "$work/display")
    export DISPLAY
    if [ "$DISPLAY" = : ] || ! xwininfo -root >/dev/null 2>&1; then
        sed 's/^/  Xvfb: /' "$work/xvfb.log"
        skip "Xvfb does not answer in the private network namespace"
    fi
}

# Whether the web server logged a request matching the extended pattern. On a busy machine a request's line has
# been seen to appear more than 3 s after its answer.
answered() {
    for _ in $(seq 100); do
        grep -Eq "$1" "$server_work/access.log" 2>/dev/null && return
        sleep 0.1
    done
    return 1
}

# The requests the web server answered, for the test's output.
e2e_show_requests() {
    echo "requests the web server answered:"
    sed 's/^/  /' "$server_work/access.log" 2>/dev/null || echo "  none"
}

# Settings records of huxo.ini: records of 17 bytes, record N at byte (N-1)*17.
# Usage: ini_integer FILE RECORD VALUE (a little-endian int16), ini_string FILE RECORD TEXT (a length word first),
# ini_variant_string FILE RECORD TEXT (the string variant: type 8, then as a string).
ini_bytes() { dd of="$1" bs=1 seek=$((($2 - 1) * 17)) conv=notrunc status=none; }
int16_bytes() { printf "\\$(printf %03o $(($1 & 255)))\\$(printf %03o $((($1 >> 8) & 255)))"; }
ini_integer() { int16_bytes "$3" | ini_bytes "$1" "$2"; }
ini_string() { { int16_bytes ${#3}; printf %s "$3"; } | ini_bytes "$1" "$2"; }
ini_variant_string() { { int16_bytes 8; int16_bytes ${#3}; printf %s "$3"; } | ini_bytes "$1" "$2"; }

# Starts huxo from a fresh program folder $work/NAME, with LD_PRELOAD=PRELOAD (may be empty), without the right to
# set the clock; a SETTINGS command, when given, is run with the new huxo.ini first. Sets $pid, $log and $folder.
start_huxo() {
    local name=$1 preload=$2 settings=${3:-}
    folder=$work/$name
    log=$work/$name.log
    mkdir "$folder"
    cp "$build/huxo" "$build"/*.wav "$build"/*.png "$build"/libhuxo-*.so "$folder/"
    # SetupDone (38) skips the first-run questions.
    head -c $((39 * 17)) /dev/zero >"$folder/huxo.ini"
    ini_integer "$folder/huxo.ini" 38 -1
    [ -z "$settings" ] || "$settings" "$folder/huxo.ini"
    # A sanitized build wants its runtime first in the library list, ahead of the preload; the recorder replaces
    # nothing the sanitizers hook, so that order does not matter here.
    ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0 \
        LD_PRELOAD=$preload HUXO_CLOCK_SETTIME_LOG=$work/$name.clock \
        setpriv --bounding-set=-sys_time "$folder/huxo" >"$log" 2>&1 &
    pid=$!
}

# Usage: one_setting NAME: shows the clock settings that the run NAME recorded, and prints the moment of its one
# setting, in seconds since 1970; fails unless there was exactly one.
one_setting() {
    {
        echo "$1: clock_settime calls (clock seconds nanoseconds):"
        sed 's/^/  /' "$work/$1.clock" 2>/dev/null || echo "  none"
    } >&2
    [ "$(wc -l <"$work/$1.clock" 2>/dev/null)" = 1 ] && awk '{ print $2 }' "$work/$1.clock"
}

stop_huxo() {
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    pid=
}

# Until bash reaps it, an ended process is a zombie that kill -0 still finds: look at its state instead.
running() {
    local stat
    stat=$(cat "/proc/$pid/stat" 2>/dev/null) || return 1
    [[ ${stat##*) } != Z* ]]
}

# Usage: window_named TITLE [PID]: a window of huxo's (of the one with that process id) with that title.
window_named() { xdotool search --all --onlyvisible ${2:+--pid "$2"} --name "^$1\$" 2>/dev/null | head -n 1; }

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
        id=$(window_named "$1" "$pid")
        [ -n "$id" ] && { echo "$id"; return; }
        sleep 0.1
    done
    echo "no window \"$1\"" >&2
    return 1
}

# The top left corner of a window's inside, on the screen.
window_origin() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { print x, $NF }'
}

# Several huxo may run side by side; the window clicked into comes to the top first.
click_in() {
    local x y
    xdotool windowraise "$1"
    read -r x y < <(window_origin "$1")
    xdotool mousemove $((x + $2)) $((y + $3)) click --repeat "${4:-1}" --delay 80 1
}

# The main window, then the system time window opened by a double-click on the local clock's face, the first at
# the main window's top left.
open_system_time_window() {
    local window
    window=$(wait_window "HUXO 5.1") || return
    click_in "$window" 36 32 2
    wait_window "Set Local System Time"
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
