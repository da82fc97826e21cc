#!/usr/bin/env bash
# The real binary before a large step of the clock, end to end, in the private network of the Auto Set test: time
# server 1 runs five hours ahead and time server 2 in the last seconds of the year 9999 (the project's web server
# under libfaketime). The daily correction, unattended, asks neither and sets nothing: its progress list says why
# and its note is shown. By hand, Auto Set asks first: a yes sets the recorded clock to server 1's time, a no to
# server 2's year leaves the clock alone. The daily runs wait for their minute while the runs by hand go on.
# Usage: large_steps_e2e.sh BUILD_DIR RECORDER_LIBRARY [SCREENSHOT]
set -euo pipefail
e2e_hosts_first=$'127.0.0.2 time1.huxo-clock.net\n127.0.0.3 time2.huxo-clock.net'
source "$(dirname "$0")/e2e_lib.sh"
e2e_begin "$0" "$@"
recorder=$(realpath "$2")
shot=${3:-}
[ -f "$recorder" ] || { echo "missing $recorder"; exit 1; }
e2e_start_server_with_clock 127.0.0.2 +5h
e2e_start_server_with_clock 127.0.0.3 "@9999-12-31 23:50:00"

status_line='^(TIME (SET|CHECKED) COMPLETE\.|bad link|.*, time not set\.)$'

# The daily correction fires first a minute after the start; its minute is chosen so that a slow start still finds
# it (the start waits while the seconds are past 40).
while [ "$(date -u +%-S)" -gt 40 ]; do sleep 1; done
daily_minute=$(date -u -d '+1 minute' +%H:%M)
daily_pids=()
daily_folders=()
for server in 1 2; do
    daily_settings() {
        ini_variant_string "$1" 30 "$daily_minute"
        ini_integer "$1" 31 -1
        ini_integer "$1" 36 "$server"
    }
    start_huxo "daily$server" "$recorder" daily_settings
    daily_pids+=("$pid")
    daily_folders+=("$folder")
    wait_window "HUXO 5.1" >/dev/null || exit
done
pid=

# By hand (by_hand NAME SERVER KEY): Auto Set, then the question answered with KEY. Leaves the list in
# $work/NAME.stat.
by_hand() {
    local name=$1 systime main question last
    by_hand_settings() { ini_integer "$1" 36 "$server"; }
    server=$2
    start_huxo "$name" "$recorder" by_hand_settings
    main=$(wait_window "HUXO 5.1") || return
    systime=$(open_system_time_window) || return
    xdotool windowfocus --sync "$systime" key alt+a
    question=
    for _ in $(seq 100); do
        question=$(xdotool search --all --onlyvisible --pid "$pid" --name '^HUXO 5\.1$' 2>/dev/null | grep -vx "$main" |
            head -n 1) || true
        [ -n "$question" ] && break
        sleep 0.1
    done
    [ -n "$question" ] || { fail "$name: Auto Set did not ask before the large step"; stop_huxo; return; }
    if [ "$name" = hours ] && [ -n "$shot" ]; then
        import -window root "$shot"
    fi
    xdotool windowfocus --sync "$question" key "$3"
    for _ in $(seq 60); do
        sleep 0.5
        last=$(read_stat "$systime" | tee "$work/$name.stat" | tail -n 1)
        [[ $last =~ $status_line ]] && break
    done
    echo "$name: progress list:"
    sed 's/^/  | /' "$work/$name.stat"
    echo
    stop_huxo
}

by_hand hours 1 alt+y
[ "$(tail -n 1 "$work/hours.stat")" = "TIME SET COMPLETE." ] || fail "hours: a yes did not set the clock"
answer=$(sed -n 's/^UTC acquired at \([0-9:]\{8\}\) *(GMT)$/\1/p' "$work/hours.stat")
first=$(awk 'NR == 1 { print $2 }' "$work/hours.clock" 2>/dev/null) || true
if [ -z "$answer" ] || [ -z "$first" ]; then
    fail "hours: no answer or no clock setting"
else
    # The answer plus the transfer second, and the seconds the question was on the screen.
    late=$(((first % 86400 - $(awk -F: '{ print $1 * 3600 + $2 * 60 + $3 }' <<<"$answer") + 86400) % 86400))
    [ "$late" -ge 1 ] && [ "$late" -le 30 ] ||
        fail "hours: the clock was set $late s after the answer $answer, not to the server's time"
    ahead=$(((first - $(date -u +%s) + 86400) % 86400))
    [ "$ahead" -gt $((5 * 3600 - 60)) ] && [ "$ahead" -lt $((5 * 3600 + 60)) ] ||
        fail "hours: the clock was not set five hours ahead"
fi

by_hand year9999 2 alt+n
[ "$(tail -n 1 "$work/year9999.stat")" = "Large step, time not set." ] || fail "year9999: a no did not leave the clock"
grep -qx "You kept the computer's time." "$work/year9999.stat" || fail "year9999: the list does not say the user kept it"
[ ! -s "$work/year9999.clock" ] || fail "year9999: the clock was set after a no"

# The daily runs: each window shows why nothing was set, and the note follows at once after the retry.
for index in 0 1; do
    pid=${daily_pids[index]}
    name=daily$((index + 1))
    note=$(for _ in $(seq 100); do window_named note "$pid" && break; sleep 1; done | head -n 1)
    [ -n "$note" ] || fail "$name: no note after the daily minute $daily_minute"
    # On a busy machine the window or the clipboard may lag behind the note: read until the list has its end.
    systime=
    for _ in $(seq 20); do
        systime=${systime:-$(window_named "Set Local System Time" "$pid")}
        [ -z "$systime" ] || read_stat "$systime" >"$work/$name.stat"
        [[ $(tail -n 1 "$work/$name.stat" 2>/dev/null) =~ $status_line ]] && break
        sleep 0.5
    done
    echo "$name: progress list:"
    sed 's/^/  | /' "$work/$name.stat" 2>/dev/null || true
    echo
    [ "$(tail -n 1 "$work/$name.stat" 2>/dev/null)" = "Large step, time not set." ] ||
        fail "$name: the daily run does not end in \"Large step, time not set.\""
    grep -qx "A step of more than 15 minutes is made only when you press Auto Set." "$work/$name.stat" ||
        fail "$name: the daily run does not say why"
    [ ! -s "$work/$name.clock" ] || fail "$name: the daily run set the clock"
    stop_huxo
done
e2e_show_requests
[ "$failed" -eq 0 ] && echo "PASS"
exit "$failed"
