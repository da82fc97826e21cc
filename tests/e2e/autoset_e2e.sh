#!/usr/bin/env bash
# The real binary sets the clock from the internet, end to end: in a private network where the time and update
# servers' names lead to the project's web server, on a private Xvfb server, without the right to set the clock.
# Auto Set is pressed through the system time window as a user would; the progress list is read through its Ctrl+C.
# With a preload that records clock_settime instead of doing it, the list must end in success and the recorded
# time of day be the server's answer plus the transfer second, the answer itself being the real time of the run;
# without it, the system refuses and the list must end in "bad link".
# Usage: autoset_e2e.sh BUILD_DIR RECORDER_LIBRARY [SCREENSHOT]
set -euo pipefail
source "$(dirname "$0")/e2e_lib.sh"
e2e_begin "$0" "$@"
recorder=$(realpath "$2")
shot=${3:-}
[ -f "$recorder" ] || { echo "missing $recorder"; exit 1; }

# One run in a fresh program folder: opens the system time window, presses Auto Set and waits until the progress
# list ends in success or failure. Leaves the list in $work/NAME.stat.
autoset_run() {
    local name=$1 systime last started
    started=$(date +%s.%N)
    start_huxo "$name" "$2"
    systime=$(open_system_time_window) || return
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
    stop_huxo
}

# The instant, within the run (a second either side), whose UTC time of day is HH:MM:SS; empty when there is none.
instant_within() {
    local earliest=$(($2 - 1)) wanted candidate
    wanted=$(awk -F: '{ print $1 * 3600 + $2 * 60 + $3 }' <<<"$1")
    candidate=$((earliest - earliest % 86400 + wanted))
    [ "$candidate" -ge "$earliest" ] || candidate=$((candidate + 86400))
    [ "$candidate" -le $(($3 + 1)) ] && echo "$candidate"
}

before=$(date -u +%s)
autoset_run set "$recorder" || exit
after=$(date -u +%s)
[ "$(tail -n 1 "$work/set.stat")" = "TIME SET COMPLETE." ] ||
    fail "with the recorder the progress list does not end in TIME SET COMPLETE."
echo "clock_settime calls (clock seconds nanoseconds):"
sed 's/^/  /' "$work/set.clock" 2>/dev/null || echo "  none"

# The server's answer as the list shows it; it must be the real time of the run, since the server keeps no clock
# of its own.
answer=$(sed -n 's/^UTC acquired at \([0-9:]\{8\}\) *(GMT)$/\1/p' "$work/set.stat")
answer_instant=$([ -z "$answer" ] || instant_within "$answer" "$before" "$after") || true
if [ -z "$answer_instant" ]; then
    fail "the server's answer \"$answer\" is not a time between $(date -u -d "@$before" +%T) and $(date -u -d "@$after" +%T)"
else
    # The time first, on today's date; then the server's date, with the time of day as it is then.
    clock_setting() { sed -n "$1p" "$work/set.clock" 2>/dev/null | awk '{ print $2 }'; }
    first=$(clock_setting 1)
    second=$(clock_setting 2)
    expected_time=$(date -u -d "@$((answer_instant + 1))" +%T)
    expected_date=$(date -u -d "@$((answer_instant + 1))" +%F)
    [ -n "$first" ] && [ "$(date -u -d "@$first" +%T)" = "$expected_time" ] ||
        fail "the clock was not first set to $expected_time UTC, the answer $answer plus the transfer second"
    [ -n "$second" ] && [ "$(date -u -d "@$second" +%F)" = "$expected_date" ] ||
        fail "the clock was not then set to $expected_date"
fi
answered ' time1\.huxo-clock\.net "GET /cgi-bin/date HTTP/1\.1" 200 29$' || fail "time server 1 did not answer a time line"
answered ' www\.huxo-clock\.net "GET /x__c51/flash51\.txt HTTP/1\.1" 200 ' || fail "the newsflash was not fetched"
e2e_show_requests

autoset_run refused ""
[ "$(tail -n 1 "$work/refused.stat")" = "bad link" ] ||
    fail "without the right to set the clock the progress list does not end in bad link"
[ ! -s "$work/refused.clock" ] || fail "the refused run recorded a clock setting"
[ "$failed" -eq 0 ] && echo "PASS"
exit "$failed"
