# Sourced by the end-to-end tests of the real binary. e2e_begin runs the calling script again in a private network
# and mount namespace (tests/support/private_network.sh) where the time and update servers' names lead to the
# project's own web server (server/serve.sh) on loopback, ports 80 and 443, and where a private Xvfb is the display.
# Then the script drives huxo there as a user would, with xdotool, and reads what it shows.
#
# After e2e_begin: $work (removed on exit), $server_work (the web server's folder: access.log, tls/ca.pem),
# $content (the files the update server offers), $build, $DISPLAY.

e2e_here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
e2e_root=$(cd "$e2e_here/../.." && pwd)
content=$e2e_root/server/x__c51

skip() {
    echo "SKIPPED: $*"
    exit 77
}

fail() {
    echo "FAIL: $*"
    failed=1
}
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
    { echo 127.0.0.1 localhost; sed 's/^/127.0.0.1 /' "$e2e_root/server/host-names"; } >"$work/hosts"
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
    source "$e2e_root/server/serve-in-background.sh"
    serve_in_background "$work/server.out" --http 80 --https 443 "$server_work" || {
        echo "the web server did not start"
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

# A display of our own: Xvfb picks a free number itself and tells it once it listens, so two servers started at
# once never share one, and no authority file is involved.
e2e_start_display() {
    Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
    e2e_pids+=($!)
    for _ in $(seq 100); do
        [ -s "$work/display" ] && break
        sleep 0.1
    done
    export DISPLAY=:$(head -n 1 "$work/display")
    if [ "$DISPLAY" = : ] || ! xwininfo -root >/dev/null 2>&1; then
        sed 's/^/  Xvfb: /' "$work/xvfb.log"
        skip "Xvfb does not answer in the private network namespace"
    fi
}

# Whether the web server logged a request matching the extended pattern; the log is written within a second or two.
answered() {
    for _ in $(seq 30); do
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

# Starts huxo from a fresh program folder $work/NAME, with LD_PRELOAD=PRELOAD (may be empty), without the right to
# set the clock. Sets $pid, $log and $folder.
start_huxo() {
    local name=$1 preload=$2
    folder=$work/$name
    log=$work/$name.log
    mkdir "$folder"
    cp "$build/huxo" "$build"/*.wav "$build"/*.png "$folder/"
    # huxo.ini: records of 17 bytes, record N at byte (N-1)*17; SetupDone (38), a little-endian int16 of -1,
    # skips the first-run questions.
    head -c $((39 * 17)) /dev/zero >"$folder/huxo.ini"
    printf '\377\377' | dd of="$folder/huxo.ini" bs=1 seek=$(((38 - 1) * 17)) conv=notrunc status=none
    # A sanitized build wants its runtime first in the library list, ahead of the preload; the recorder replaces
    # nothing the sanitizers hook, so that order does not matter here.
    ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0 \
        LD_PRELOAD=$preload HUXO_CLOCK_SETTIME_LOG=$work/$name.clock \
        setpriv --bounding-set=-sys_time "$folder/huxo" >"$log" 2>&1 &
    pid=$!
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

# The top left corner of a window's inside, on the screen.
window_origin() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { print x, $NF }'
}

click_in() {
    local x y
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
