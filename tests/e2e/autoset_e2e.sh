#!/usr/bin/env bash
# The real binary sets the clock from the internet, end to end: in a private network where the time and update
# servers' names lead to the project's web server over HTTPS, on a private Xvfb server, without the right to set
# the clock. Auto Set is pressed through the system time window as a user would; the progress list is read through
# its Ctrl+C. With a preload that records clock_settime instead of doing it, the list must end in success and the
# one recorded setting be the server's answer plus the transfer second, date and time together, the answer itself
# being the real time of the run; the same through Debian's tinyproxy in the proxy mode, and across midnight both
# ways, where libfaketime puts the computer's clock and time servers 2 and 3 near the next midnight. Without the
# preload and without timedated the system refuses, which the list reports in its own words. Where timedated (a
# stand-in on a private bus) keeps the clock in step, or the kernel says its clock is synchronised (as the preload
# tells it), the clock is only checked.
# Usage: autoset_e2e.sh BUILD_DIR RECORDER_LIBRARY [SCREENSHOT]
set -euo pipefail
e2e_hosts_first=$'127.0.0.2 time2.huxo-clock.net\n127.0.0.3 time3.huxo-clock.net'
source "$(dirname "$0")/e2e_lib.sh"
e2e_begin "$0" "$@"
recorder=$(realpath "$2")
shot=${3:-}
[ -f "$recorder" ] || { echo "missing $recorder"; exit 1; }
for tool in tinyproxy dbus-daemon dbus-send; do
    command -v "$tool" >/dev/null || skip "$tool not found"
done
# The distribution's interpreter, which is where python3-dbusmock installs itself.
python=/usr/bin/python3
"$python" -c 'import dbusmock' 2>/dev/null || skip "python3-dbusmock is not installed"

# One run in a fresh program folder (autoset_run NAME PRELOAD [SETTINGS]): opens the system time window, presses
# Auto Set and waits until the progress list ends in its status line. Leaves the list in $work/NAME.stat.
autoset_run() {
    local name=$1 systime last started
    started=$(date +%s.%N)
    start_huxo "$name" "$2" "${3:-}"
    systime=$(open_system_time_window) || return
    xdotool windowfocus --sync "$systime" key alt+a
    : >"$work/$name.stat"
    for _ in $(seq 60); do
        running || { echo "huxo ended during Auto Set"; sed 's/^/  huxo: /' "$log"; return 1; }
        sleep 0.5
        read_stat "$systime" >"$work/$name.stat"
        last=$(tail -n 1 "$work/$name.stat")
        [[ $last =~ ^(TIME\ (SET|CHECKED)\ COMPLETE\.|bad\ link|.*,\ time\ not\ set\.)$ ]] && break
    done
    awk -v a="$started" -v b="$(date +%s.%N)" -v n="$name" 'BEGIN { printf "%s: %.1f s from start to the end of the list\n", n, b - a }'
    echo "$name: progress list:"
    sed 's/^/  | /' "$work/$name.stat"
    echo
    if [ "$name" = set ] && [ -n "$shot" ]; then
        import -window root "$shot"
    fi
    stop_huxo
}

ends_in() { [ "$(tail -n 1 "$work/$1.stat")" = "$2" ] || fail "$1: the progress list does not end in \"$2\""; }

# The instant, within the run (a second either side), whose UTC time of day is HH:MM:SS; empty when there is none.
instant_within() {
    local earliest=$(($2 - 1)) wanted candidate
    wanted=$(awk -F: '{ print $1 * 3600 + $2 * 60 + $3 }' <<<"$1")
    candidate=$((earliest - earliest % 86400 + wanted))
    [ "$candidate" -ge "$earliest" ] || candidate=$((candidate + 86400))
    [ "$candidate" -le $(($3 + 1)) ] && echo "$candidate"
}

# Usage: set_as_answered NAME BEFORE AFTER: the run's clock was set once, date and time together, to the server's
# answer plus the transfer second.
set_as_answered() {
    local answer answer_instant moment
    moment=$(one_setting "$1") || moment=
    answer=$(sed -n 's/^UTC acquired at \([0-9:]\{8\}\) *(GMT)$/\1/p' "$work/$1.stat")
    # The server keeps no clock of its own: its answer is the real time of the run.
    answer_instant=$([ -z "$answer" ] || instant_within "$answer" "$2" "$3") || true
    if [ -z "$answer_instant" ]; then
        fail "$1: the server's answer \"$answer\" is not a time between $(date -u -d "@$2" +%T) and $(date -u -d "@$3" +%T)"
        return
    fi
    [ "$moment" = $((answer_instant + 1)) ] ||
        fail "$1: the clock was not set once, to $(date -u -d "@$((answer_instant + 1))" '+%F %T') UTC, the answer plus the transfer second"
}

# Usage: set_across_midnight NAME SERVER_OFFSET DATE: the run's clock was set once, to the time of the server whose
# clock runs SERVER_OFFSET seconds ahead of the real one, on DATE (UTC).
set_across_midnight() {
    local moment late
    moment=$(one_setting "$1") || { fail "$1: the clock was not set once"; return; }
    # The answer plus the transfer second, some seconds before now.
    late=$(($(date -u +%s) + $2 - moment))
    [ "$late" -ge -1 ] && [ "$late" -lt 30 ] ||
        fail "$1: the clock was set to $(date -u -d "@$moment" '+%F %T'), not to the server's time"
    [ "$(date -u -d "@$moment" +%F)" = "$3" ] || fail "$1: the clock was set on $(date -u -d "@$moment" +%F), not on $3"
}

# Small steps across midnight, first while the clocks are still on their sides of it: libfaketime puts the
# computer at 23:55 and time server 2 (trusted for the date) at 00:05, then the computer at 00:05 and time server
# 3 (trusted for the time of day only) at 23:55.
e2e_find_faketime
now=$(date -u +%s)
midnight=$((now / 86400 * 86400 + 86400))
to_midnight=$((midnight - now))
e2e_start_server_with_clock 127.0.0.2 "$(printf %+d $((to_midnight + 300)))"
e2e_start_server_with_clock 127.0.0.3 "$(printf %+d $((to_midnight - 300)))"
near_midnight() {
    FAKETIME=$(printf %+d "$1") FAKETIME_DONT_FAKE_MONOTONIC=1 autoset_run "$2" "$recorder $faketime_lib" "$3"
}
from_server_2() { ini_integer "$1" 36 2; }
from_server_3() { ini_integer "$1" 36 3; }
near_midnight "$((to_midnight - 300))" forward from_server_2 || exit
ends_in forward "TIME SET COMPLETE."
grep -qx "Date confirmed" "$work/forward.stat" || fail "forward: the server's date was not confirmed"
set_across_midnight forward "$((to_midnight + 300))" "$(date -u -d "@$midnight" +%F)"
near_midnight "$((to_midnight + 300))" back from_server_3 || exit
ends_in back "TIME SET COMPLETE."
set_across_midnight back "$((to_midnight - 300))" "$(date -u -d "@$((midnight - 1))" +%F)"

before=$(date -u +%s)
autoset_run set "$recorder" || exit
ends_in set "TIME SET COMPLETE."
set_as_answered set "$before" "$(date -u +%s)"
answered ' time1\.huxo-clock\.net "GET /cgi-bin/date HTTP/[0-9.]+" 200 29$' || fail "time server 1 did not answer a time line"
answered ' www\.huxo-clock\.net "GET /x__c51/flash51\.txt HTTP/[0-9.]+" 200 ' || fail "the newsflash was not fetched"
e2e_show_requests

# Without the recorder the process may not set the clock, and there is no timedated to ask.
autoset_run refused ""
ends_in refused "Refused, time not set."
grep -q 'systemd-timedated' "$work/refused.stat" || fail "refused: the list does not say that timedated is missing"
! grep -qx 'bad link' "$work/refused.stat" || fail "refused: a refusal by the system is reported as a bad link"
[ ! -s "$work/refused.clock" ] || fail "the refused run recorded a clock setting"

# Without its network module the list says which file is missing, and the clock is left alone.
without_network_module() { rm "$(dirname "$1")/libhuxo-net.so"; }
autoset_run no_module "$recorder" without_network_module || exit
ends_in no_module "bad link"
grep -q 'could not be loaded: .*libhuxo-net\.so' "$work/no_module.stat" || fail "no_module: the list does not name the module"
[ ! -s "$work/no_module.clock" ] || fail "the run without its network module recorded a clock setting"

# The proxy mode through Debian's proxy, HTTPS passing through it by CONNECT.
mkdir "$work/tinyproxy"
"$e2e_root/tests/support/run_tinyproxy.sh" 8888 "$work/tinyproxy" >"$work/tinyproxy/out" 2>&1 &
e2e_pids+=($!)
for _ in $(seq 100); do
    (exec 3<>/dev/tcp/127.0.0.1/8888) 2>/dev/null && break
    sleep 0.05
done
through_proxy() {
    ini_integer "$1" 33 2
    ini_string "$1" 34 127.0.0.1:8888
}
before=$(date -u +%s)
autoset_run proxy "$recorder" through_proxy || exit
ends_in proxy "TIME SET COMPLETE."
set_as_answered proxy "$before" "$(date -u +%s)"
for name in time1 www; do
    grep -q "CONNECT $name\.huxo-clock\.net:443" "$work/tinyproxy/tinyproxy.log" ||
        fail "proxy: $name.huxo-clock.net was not reached through the proxy"
done

# A system that keeps its clock in step itself: timedated's stand-in says so on a bus of the test's own.
dbus-daemon --session --nofork --address="unix:path=$work/system_bus" >"$work/dbus.out" 2>&1 &
e2e_pids+=($!)
bus=unix:path=$work/system_bus
for _ in $(seq 100); do [ -S "$work/system_bus" ] && break; sleep 0.05; done
DBUS_SESSION_BUS_ADDRESS=$bus "$python" -m dbusmock --session --template timedated -l "$work/timedated.log" \
    >"$work/timedated.out" 2>&1 &
e2e_pids+=($!)
for _ in $(seq 100); do
    dbus-send --bus="$bus" --print-reply --dest=org.freedesktop.DBus / org.freedesktop.DBus.NameHasOwner \
        string:org.freedesktop.timedate1 2>/dev/null | grep -q 'boolean true' && break
    sleep 0.1
done
DBUS_SYSTEM_BUS_ADDRESS=$bus autoset_run checked "$recorder" || exit
ends_in checked "TIME CHECKED COMPLETE."
[ ! -s "$work/checked.clock" ] || fail "checked: the clock was set although the system keeps it in step"
! grep -q SetTime "$work/timedated.log" || fail "checked: timedated was asked to set the clock"
grep -q 'NTP' "$work/timedated.log" || fail "checked: timedated was not asked whether it keeps the clock in step"

# Another time service keeps the kernel's clock synchronised, without timedated: the clock is only checked.
HUXO_KERNEL_CLOCK_SYNCHRONISED=1 autoset_run kernel "$recorder" || exit
ends_in kernel "TIME CHECKED COMPLETE."
[ ! -s "$work/kernel.clock" ] || fail "kernel: the clock was set although the kernel's clock is synchronised"

[ "$failed" -eq 0 ] && echo "PASS"
exit "$failed"
