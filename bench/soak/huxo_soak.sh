#!/usr/bin/env bash
# Soak run of the real binary: HUXO runs minimised on a private X server with no window manager, under a clock
# that libfaketime runs 60 times fast, so that ten minutes of real time give it ten hours of ticking. Once a real
# minute it notes the resident memory and the open file descriptors; at the end it reads the local time from the
# minimised window's caption and compares it with the faked clock. Meanwhile, every 5 faked minutes (5 real
# seconds), it sets a timed alarm of 2 minutes as a user would, through the bell button and the alarm settings
# window, and stops each reminder that comes up; at the end it counts alarms set against alarms fired. Five faked
# minutes rather than five real ones: measured, the reminder comes up 2 real seconds after Set, well inside the
# cycle, and the soak then sets over a hundred alarms instead of two. Figures, not a test: exits 0 when everything
# was measured, whatever the PASS/MISS verdicts, 1 when the program died or something could not be measured,
# 2 when a tool it needs is missing.
# Usage: huxo_soak.sh BUILD_DIR [MINUTES]   (10 minutes by default)
set -uo pipefail
build=$(cd "${1:?usage: huxo_soak.sh BUILD_DIR [MINUTES]}" && pwd) || exit 1
minutes=${2:-10}
# Growth is measured from minute 1, so there must be a later minute.
if ! [[ $minutes =~ ^[1-9][0-9]*$ ]] || [ "$minutes" -lt 2 ]; then
    echo "MINUTES must be a whole number from 2, not '$minutes'"
    exit 1
fi

speed=60
fake_start="2026-12-08 06:00:00" # UTC, as the program runs with TZ=UTC
rss_tolerance_kib=1024           # allocator noise
# Faked seconds either way between the caption and the faked clock's second. The faked clock is reckoned from just
# before the start, so it leads the program's by the milliseconds libfaketime takes to start in it, times 60.
slack_seconds=2

if [ -z "${HUXO_SOAK_INNER:-}" ]; then
    faketime_lib=/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1
    if [ ! -f "$faketime_lib" ]; then
        faketime_lib=$(dpkg -L libfaketime 2>/dev/null | grep '/libfaketime\.so\.1$' | head -n 1)
    fi
    if [ -z "$faketime_lib" ] || [ ! -f "$faketime_lib" ]; then
        echo "libfaketime.so.1 not found: install libfaketime"
        exit 2
    fi
    for tool in xvfb-run xprop xwininfo xdotool setpriv; do
        command -v "$tool" >/dev/null || { echo "$tool not found"; exit 2; }
    done
    [ -x "$build/huxo" ] || { echo "missing $build/huxo"; exit 1; }
    export HUXO_SOAK_INNER=1 HUXO_SOAK_FAKETIME_LIB=$faketime_lib
    exec xvfb-run -a -s "-screen 0 1280x800x24" "$0" "$build" "$minutes"
fi

unset QT_QPA_PLATFORM
work=$(mktemp -d)
folder=$work/program
mkdir "$folder"
cp "$build/huxo" "$build"/*.wav "$folder/" || exit 1
# Qt wants a private runtime folder; one of our own keeps its complaint out of the log.
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
pid=
spy=
driver=
trap '[ -z "$driver" ] || kill "$driver" 2>/dev/null; [ -z "$spy" ] || kill "$spy" 2>/dev/null; [ -z "$pid" ] || kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
# Stopped early (Ctrl-C, a closed pipe), it still cleans up.
trap 'exit 1' INT TERM HUP PIPE

# huxo.ini: 39 records of 17 bytes, record N at byte (N-1)*17, numbers little-endian int16. StartMin (28) starts
# the window minimised, where its caption shows the local time each second; SetupDone (38) skips the first-run
# questions.
head -c $((39 * 17)) /dev/zero >"$folder/huxo.ini"
for record in 28 38; do
    printf '\377\377' | dd of="$folder/huxo.ini" bs=1 seek=$(((record - 1) * 17)) conv=notrunc status=none
done

now() { date +%s.%N; }

# The faked clock, in seconds since the epoch, at real time $1.
faked_at() {
    awk -v start="$fake_epoch" -v t0="$started" -v t="$1" -v x="$speed" 'BEGIN { printf "%.3f", start + (t - t0) * x }'
}

hms() { LC_ALL=C date -u -d "@${1%.*}" +%T; }

# Until bash reaps it, an ended process is a zombie that kill -0 still finds: look at its state instead.
running() {
    local stat
    stat=$(cat "/proc/$pid/stat" 2>/dev/null) || return 1
    [[ ${stat##*) } != Z* ]]
}

died() {
    local status=0
    wait "$pid" 2>/dev/null || status=$?
    pid=
    echo "huxo died $1, exit status $status"
    sed 's/^/  huxo: /' "$work/huxo.log" | tail -n 20
    exit 1
}

# The caption of the window, or nothing.
caption() { xprop -id "$window" WM_NAME 2>/dev/null | sed -n 's/^WM_NAME([A-Z_0-9]*) = "\(.*\)"$/\1/p'; }

# Sets shown to the caption and expected to the faked clock at the middle of the read.
read_caption() {
    local before after
    before=$(now)
    shown=$(caption)
    after=$(now)
    expected=$(faked_at "$(awk -v a="$before" -v b="$after" 'BEGIN { printf "%.6f", (a + b) / 2 }')")
}

# The alarm, set through the windows. With no window manager every window opens at 0,0 and the settings window
# covers the main one until Set hides it. Clicks are offsets from a window's top-left corner, read once from a
# screenshot under this server: the bell (AlmBtn) from the main window's right edge, the timed option and the
# hour and minute fields in the settings window.
alarm_every=5          # real seconds: 5 faked minutes
alarm_minutes=2        # faked minutes from Set to the reminder
fire_slack_seconds=60  # faked seconds the reminder may come late
bell_from_right=6 bell_y=60
timed_x=30 timed_y=48 hours_x=148 hours_y=49 minutes_x=253 minutes_y=49

visible_window() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1; }

click_in() {
    local x y
    read -r x y < <(xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { print x, $NF }')
    xdotool mousemove $((x + $2)) $((y + $3)) click 1
}

# Opens the settings window if it is not up, chooses the timed alarm, types its hours and minutes and presses Set.
arm_alarm() {
    local settings width
    settings=$(visible_window "HUXO - Alarm Settings")
    if [ -z "$settings" ]; then
        width=$(xwininfo -id "$window" | awk '/Width:/ { print $2 }')
        click_in "$window" $((width - bell_from_right)) "$bell_y"
        for _ in $(seq 20); do
            settings=$(visible_window "HUXO - Alarm Settings")
            [ -n "$settings" ] && break
            sleep 0.05
        done
    fi
    [ -n "$settings" ] || return 1
    xdotool windowfocus --sync "$settings"
    click_in "$settings" "$timed_x" "$timed_y"
    click_in "$settings" "$hours_x" "$hours_y"
    xdotool key ctrl+a type 0
    click_in "$settings" "$minutes_x" "$minutes_y"
    xdotool key ctrl+a type "$alarm_minutes"
    xdotool key alt+s
    # Set hides the window: while it shows, the alarm was not set.
    sleep 0.05
    [ -z "$(visible_window "HUXO - Alarm Settings")" ]
}

# Waits for the reminder until the next alarm is due, notes when it came and presses Stop Alarm (Alt+S).
stop_reminder() {
    local reminder
    while [ "$(awk -v t="$(now)" -v end="$1" 'BEGIN { print t < end }')" = 1 ]; do
        reminder=$(visible_window "HUXO Reminder")
        if [ -n "$reminder" ]; then
            echo "fired $(faked_at "$(now)")"
            xdotool windowfocus --sync "$reminder" key alt+s
            return
        fi
        sleep 0.1
    done
}

# One line per alarm: "armed FAKED", "unarmed FAKED" or "fired FAKED", in seconds of the faked clock.
drive_alarms() {
    local cycle
    for cycle in $(seq $(((minutes * 60 - 2 * alarm_minutes) / alarm_every))); do
        sleep "$(awk -v t0="$started" -v s=$((cycle * alarm_every)) -v t="$(now)" 'BEGIN { d = t0 + s - t; print (d > 0 ? d : 0) }')"
        if arm_alarm; then
            echo "armed $(faked_at "$(now)")"
            stop_reminder "$(awk -v t0="$started" -v s=$(((cycle + 1) * alarm_every)) 'BEGIN { printf "%.3f", t0 + s - 0.3 }')"
        else
            echo "unarmed $(faked_at "$(now)")"
        fi
    done
}

fake_epoch=$(date -u -d "$fake_start" +%s)
started=$(now)
# Qt times its timers with CLOCK_MONOTONIC: that clock must run fast as well, or the tick would still come once a
# real second and merely see the time jump by a minute.
TZ=UTC LD_PRELOAD=$HUXO_SOAK_FAKETIME_LIB FAKETIME="@$fake_start x$speed" FAKETIME_DONT_FAKE_MONOTONIC=0 \
    setpriv --bounding-set=-sys_time "$folder/huxo" >"$work/huxo.log" 2>&1 &
pid=$!

window=
for _ in $(seq 100); do
    running || died "before its window came up"
    window=$(xwininfo -root -tree | awk '/"[0-9][0-9]:[0-9][0-9]:[0-9][0-9] .* \(local\) "/ { print $1; exit }')
    [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || { echo "no window with the local time in its caption"; xwininfo -root -tree; exit 1; }

# Every caption change, to count the ticks and find seconds skipped or shown twice.
xprop -id "$window" -spy WM_NAME >"$work/captions" 2>/dev/null &
spy=$!
spy_started=$(now)
drive_alarms >"$work/alarms" 2>"$work/alarms.log" &
driver=$!

printf '%-7s %10s %5s %10s %12s\n' minute "RSS KiB" fds caption "faked clock"
rss=()
fds=()
failed=0
for minute in $(seq "$minutes"); do
    sleep "$(awk -v t0="$started" -v m="$minute" -v t="$(now)" 'BEGIN { s = t0 + m * 60 - t; print (s > 0 ? s : 0) }')"
    running || died "in minute $minute"
    read_caption
    kib=$(awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status" 2>/dev/null)
    open=$(find "/proc/$pid/fd" -mindepth 1 -maxdepth 1 2>/dev/null | wc -l)
    if [ -z "$kib" ] || [ "$open" -eq 0 ]; then
        echo "minute $minute: could not read /proc/$pid"
        failed=1
    fi
    rss+=("${kib:-?}")
    fds+=("$open")
    printf '%-7s %10s %5s %10s %12s\n' "$minute" "${kib:-?}" "$open" "${shown%% *}" "$(hms "$expected").${expected#*.}"
done

wait "$driver"
driver=
read_caption
running || died "at the end"
kill "$spy" 2>/dev/null
wait "$spy" 2>/dev/null
spy=
spy_seconds=$(awk -v a="$spy_started" -v b="$(now)" 'BEGIN { print b - a }')

kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null
pid=

echo
# RSS and fds: from minute 1, when start-up is over, to the end.
last=$((minutes - 1))
if [ "${rss[0]}" = "?" ] || [ "${rss[$last]}" = "?" ]; then
    echo "memory: not measured"
    failed=1
else
    awk -v a="${rss[0]}" -v b="${rss[$last]}" -v tol="$rss_tolerance_kib" -v m="$minutes" 'BEGIN {
        printf "RSS  minute 1: %.1f MiB (%d KiB), minute %d: %.1f MiB (%d KiB), growth %+d KiB (target <= %d)  %s\n",
            a / 1024, a, m, b / 1024, b, b - a, tol, b - a <= tol ? "PASS" : "MISS"
    }'
    printf 'fds  minute 1: %d, minute %d: %d, growth %+d (target 0)  %s\n' "${fds[0]}" "$minutes" "${fds[$last]}" \
        $((fds[last] - fds[0])) "$([ "${fds[$last]}" -le "${fds[0]}" ] && echo PASS || echo MISS)"
fi

# Ticks: one caption change per faked second, each one second on from the one before. The changes are as xprop
# saw them: at this speed a stall of 17 ms in the program or in xprop shows as a skipped second.
# Setting an alarm writes the program's title into the caption for a moment: only the times count.
awk -F'"' -v real="$spy_seconds" -v x="$speed" '
    $2 !~ /^[0-9][0-9]:[0-9][0-9]:[0-9][0-9] / { next }
    { n++; split(substr($2, 1, 8), t, ":"); s = t[1] * 3600 + t[2] * 60 + t[3] }
    n > 1 {
        step = (s - prev + 86400) % 86400
        if (step != 1 && ++odd <= 5) {
            where = where sprintf(" %s%s", substr($2, 1, 8), step ? sprintf("(+%d)", step) : "(again)")
        }
        if (step == 0) { twice++ } else if (step > 1) { skipped += step - 1 }
    }
    { prev = s }
    END {
        rate = (n - 1) / real
        printf "ticks  %d caption changes in %.0f real s: %.1f per real second (expected %d)\n", n - 1, real, rate, x
        printf "       %d seconds skipped, %d shown twice%s%s\n", skipped, twice, odd ? ", at" : "", where
        # Far off the speed-up, the soak did not tick the hours it claims to have ticked.
        exit rate < x * 0.9 || rate > x * 1.1
    }' "$work/captions" || { echo "the tick did not run at the faked speed"; failed=1; }

# The caption: "hh:mm:ss dddd, mmmm dd yyyy (local) ". Written out again from the time it reads as, it must come
# back the same, weekday included.
if [[ $shown =~ ^([0-9]{2}:[0-9]{2}:[0-9]{2})\ [A-Za-z]+,\ ([A-Za-z]+\ [0-9]{2}\ [0-9]{4})\ \(local\)\ $ ]] &&
    shown_epoch=$(LC_ALL=C date -u -d "${BASH_REMATCH[2]} ${BASH_REMATCH[1]}" +%s 2>/dev/null); then
    format_ok=1
    note=
    if [ "$shown" != "$(LC_ALL=C date -u -d "@$shown_epoch" +'%H:%M:%S %A, %B %d %Y (local) ')" ]; then
        format_ok=0
        note=", not written as expected"
    fi
    read -r difference verdict < <(awk -v a="$shown_epoch" -v b="$expected" -v slack="$slack_seconds" \
        -v ok="$format_ok" 'BEGIN {
            d = a - int(b)
            printf "%+d %s\n", d, ok && d <= slack && -d <= slack ? "PASS" : "MISS"
        }')
    echo "local time  caption \"$shown\""
    printf '            faked clock %s.%s, difference %s s (slack %d s)%s  %s\n' "$(hms "$expected")" \
        "${expected#*.}" "$difference" "$slack_seconds" "$note" "$verdict"
else
    echo "local time: caption '$shown' does not read as a local date and time"
    failed=1
fi
# Alarms: each one set must have fired once, about its delay after Set.
awk -v delay=$((alarm_minutes * 60)) -v slack="$fire_slack_seconds" '
    $1 == "armed" { armed++; due = $2 + delay; pending = 1 }
    $1 == "unarmed" { unarmed++ }
    $1 == "fired" && pending {
        fired++; pending = 0; late = $2 - due
        if (fired == 1 || late < earliest) { earliest = late }
        if (fired == 1 || late > latest) { latest = late }
        if (late > slack || -late > slack) { off++ }
    }
    END {
        printf "alarms  %d set, %d fired, %d could not be set", armed, fired, unarmed
        if (fired) { printf "; fired %+.0f to %+.0f faked s from due (slack %d s)", earliest, latest, slack }
        printf "  %s\n", armed && armed == fired && !off && !unarmed ? "PASS" : "MISS"
        exit armed == 0 || unarmed > 0
    }' "$work/alarms" || { echo "the alarms could not be set through the windows"; sed 's/^/  /' "$work/alarms.log" | tail -n 5; failed=1; }
exit "$failed"
