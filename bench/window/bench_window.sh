#!/usr/bin/env bash
# The real main window against two bare Qt windows of its size on a private X server with no window manager:
# start-up to the first drawing (median of 5), resident and proportional memory after 10 s, the shared libraries
# HUXO maps beyond the bare window's, CPU time per second of clock over 60 s of idle ticking, and what the first
# fetch, sound and print wait for to load their module. Figures, not a test: exits 0 unless something could not be
# measured.
# Usage: bench_window.sh BUILD_DIR
set -uo pipefail
build=$(cd "$1" && pwd)

if [ -z "${HUXO_BENCH_WINDOW_INNER:-}" ]; then
    export HUXO_BENCH_WINDOW_INNER=1
    exec xvfb-run -a -s "-screen 0 1280x800x24" "$0" "$@"
fi

unset QT_QPA_PLATFORM
first_paint=$build/bench/bench_FirstPaint
bare=$build/bench/bench_BareWindow
for needed in "$build/huxo" "$first_paint" "$bare"; do
    [ -x "$needed" ] || { echo "missing $needed"; exit 1; }
done

programs=(huxo labels faces)
declare -A title=([huxo]="huxo" [labels]="bare labels" [faces]="bare faces")
runs=5
settle_seconds=10
idle_seconds=60
tick=$(getconf CLK_TCK)

work=$(mktemp -d)
kept=()
# Qt wants a private runtime folder; one of our own keeps its complaint out of the figures.
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
trap 'for pid in "${kept[@]}"; do kill "$pid" 2>/dev/null; done; rm -rf "$work"' EXIT
failed=0

# huxo.ini records are 17 bytes, numbered from 1: RECORD, then the bytes on standard input.
record() { dd of="$settings" bs=1 seek=$((($1 - 1) * 17)) conv=notrunc status=none; }
word() { perl -e 'print pack("s<", $ARGV[0])' -- "$1"; }
single() { perl -e 'print pack("f<", $ARGV[0])' -- "$1"; }
text() {
    word ${#1}
    printf %s "$1"
}
# ZONE: its offset east of GMT now, in whole hours.
hours_east() {
    local offset
    offset=$(TZ=$1 date +%z)
    echo $((${offset:0:1}1 * 10#${offset:1:2}))
}

# FILE: the settings of a user who keeps HUXO open all day: setup done, seven clocks in a wide window, the five
# set ones on places whose summer hour is set as it is now, so that no clock is marked as off.
write_settings()
{
    local settings=$1 clock caption place zone standard summer
    head -c $((39 * 17)) /dev/zero >"$settings"
    text "HUXO 5.1" | record 1
    word 2335 | record 2
    text "HOME" | record 20
    word 7625 | record 29
    word -1 | record 38
    for clock in "5 LONDON Europe/London 0 12" "7 TOKYO Asia/Tokyo 9 13" "9 NEW_YORK America/New_York -5 14" \
        "22 SYDNEY Australia/Sydney 10 24" "25 L.A. America/Los_Angeles -8 27"; do
        read -r caption place zone standard summer <<<"$clock"
        text "${place//_/ }" | record "$caption"
        single "$standard" | record $((caption + 1))
        word $(($(hours_east "$zone") - standard)) | record "$summer"
    done
}

# Sets command to start one program. HUXO runs from a fresh program folder each time, holding what the build puts
# beside the binary (modules loaded on first use included) and the settings above; like the bare windows, it runs
# without the right to set the clock.
set_command()
{
    case $1 in
    huxo)
        local folder file
        folder=$(mktemp -d "$work/huxo.XXXXXX")
        for file in "$build/huxo" "$build"/*.wav "$build"/*.png "$build"/libhuxo-*.so; do
            [ ! -e "$file" ] || cp "$file" "$folder/"
        done
        write_settings "$folder/huxo.ini"
        command=("$folder/huxo")
        ;;
    *) command=("$bare" "$1") ;;
    esac
    command=(setpriv --bounding-set=-sys_time "${command[@]}")
}

# NAME: milliseconds to the first drawing of one program, which is then ended.
start_once()
{
    set_command "$1"
    "$first_paint" "${command[@]}"
}

# NAME TOP: starts one program TOP pixels down the screen and leaves it running; prints milliseconds and pid.
start_kept()
{
    set_command "$1"
    "$first_paint" --keep "${command[@]}" -geometry "+0+$2"
}

median()
{
    printf '%s\n' "$@" | sort -n | sed -n "$(($# / 2 + 1))p"
}

# The CPU time a process has used: utime + stime in clock ticks, and the scheduler's nanoseconds summed over
# its threads, which show what a few ticks in a minute cannot. The name in the stat line is in parentheses and
# may hold spaces.
cpu_used()
{
    local stat nanoseconds
    stat=$(cat "/proc/$1/stat") || return 1
    stat=${stat##*) }
    nanoseconds=$(cat "/proc/$1"/task/*/schedstat 2>/dev/null | awk '{ sum += $1 } END { print NR ? sum : "-" }')
    awk -v ns="$nanoseconds" '{ print $12 + $13, ns }' <<<"$stat"
}

now() { date +%s.%N; }

# Start-up, the programs taken in turn so that none gains from the caches of the one before. The first round
# only warms the caches.
declare -A startups
for round in $(seq 0 "$runs"); do
    for name in "${programs[@]}"; do
        if ms=$(start_once "$name"); then
            [ "$round" -gt 0 ] && startups[$name]+=" $ms"
        else
            echo "no first drawing from ${title[$name]}"
            failed=1
        fi
    done
done
declare -A startup spread
for name in "${programs[@]}"; do
    # shellcheck disable=SC2086 # a list of numbers
    startup[$name]=$(median ${startups[$name]:-})
    # shellcheck disable=SC2086
    spread[$name]=$(printf '%s\n' ${startups[$name]:-} | sort -n | awk 'NR == 1 { low = $1 } END { print low "-" $1 }')
done

# All three at once, one above the other, ticking.
declare -A pid
top=0
for name in "${programs[@]}"; do
    if read -r _ started_pid < <(start_kept "$name" "$top") && [ -n "$started_pid" ]; then
        pid[$name]=$started_pid
        kept+=("$started_pid")
    else
        echo "${title[$name]} did not come up for the memory and CPU figures"
        failed=1
    fi
    top=$((top + 200))
done
sleep "$settle_seconds"

# PID: the shared libraries the process maps, one a line.
libraries()
{
    awk '$6 ~ /\.so/ { print $6 }' "/proc/$1/maps" | sort -u
}

declare -A rss pss used_before cpu cpu_exact
for name in "${!pid[@]}"; do
    rss[$name]=$(awk '/^VmRSS:/ { print $2 }' "/proc/${pid[$name]}/status")
    pss[$name]=$(awk '/^Pss:/ { print $2 }' "/proc/${pid[$name]}/smaps_rollup")
    used_before[$name]=$(cpu_used "${pid[$name]}")
done
extra_libraries="not measured"
if [ -n "${pid[huxo]:-}" ] && [ -n "${pid[labels]:-}" ]; then
    extra_libraries=$(comm -23 <(libraries "${pid[huxo]}") <(libraries "${pid[labels]}")) \
        || extra_libraries="not measured"
fi
started=$(now)
sleep "$idle_seconds"
elapsed=$(awk -v a="$started" -v b="$(now)" 'BEGIN { print b - a }')
for name in "${!pid[@]}"; do
    if used=$(cpu_used "${pid[$name]}"); then
        # milliseconds of CPU per second of clock
        read -r "cpu[$name]" "cpu_exact[$name]" < <(awk -v hz="$tick" -v s="$elapsed" '
            { printf "%.2f %s\n", ($1 - $3) / hz / s * 1000, $2 == "-" ? "-" : sprintf("%.2f", ($2 - $4) / 1e6 / s) }
        ' <<<"$used ${used_before[$name]}")
    else
        echo "${title[$name]} ended while ticking"
        failed=1
    fi
done

mebibytes() { awk -v k="$1" 'BEGIN { if (k == "") print "?"; else printf "%.1f", k / 1024 }'; }
printf '\n%-12s %12s %13s %9s %9s %10s %12s\n' program "start-up ms" "(range)" "RSS MiB" "PSS MiB" "CPU ms/s" \
    "(scheduler)"
for name in "${programs[@]}"; do
    printf '%-12s %12s %13s %9s %9s %10s %12s\n' "${title[$name]}" "${startup[$name]:-?}" "${spread[$name]:-}" \
        "$(mebibytes "${rss[$name]:-}")" "$(mebibytes "${pss[$name]:-}")" "${cpu[$name]:-?}" "${cpu_exact[$name]:--}"
done
printf 'start-up: median of %d runs, from the start to the first drawing; RSS and PSS after %d s; CPU over %.0f s\n' \
    "$runs" "$settle_seconds" "$elapsed"
printf 'of ticking, from utime + stime at %s ticks/s and, finer, from the scheduler'"'"'s nanoseconds, which the\n' \
    "$tick"
printf 'CPU ratios below divide.\n\n'

# LABEL HUXO-FIGURE BARE-FIGURE [TARGET]
ratio()
{
    if [ -z "$2" ] || [ -z "$3" ]; then
        printf '%-50s not measured\n' "$1"
        failed=1
        return
    fi
    awk -v label="$1" -v a="$2" -v b="$3" -v target="${4:-}" 'BEGIN {
        if (b == 0) { printf "%-50s %s / 0: no ratio\n", label, a; exit 1 }
        r = a / b
        printf "%-50s %6.2f", label, r
        if (target != "") { printf "  (target <= %s)  %s", target, r <= target ? "PASS" : "MISS" }
        printf "\n"
    }' || failed=1
}
ratio "huxo start-up / bare labels start-up" "${startup[huxo]:-}" "${startup[labels]:-}" 1.05
ratio "huxo RSS / bare labels RSS" "${rss[huxo]:-}" "${rss[labels]:-}" 1.05
ratio "huxo PSS / bare labels PSS" "${pss[huxo]:-}" "${pss[labels]:-}"
# BARE [TARGET]: HUXO's CPU per second against a bare window's, by the scheduler's count where there is one: a bare
# window may use no clock tick at all in a minute, which leaves nothing to divide by.
cpu_ratio()
{
    local label="huxo CPU per second / ${title[$1]} CPU per second"
    if [ "${cpu_exact[huxo]:--}" = - ] || [ "${cpu_exact[$1]:--}" = - ]; then
        ratio "$label" "${cpu[huxo]:-}" "${cpu[$1]:-}" "${2:-}"
        return
    fi
    ratio "$label" "${cpu_exact[huxo]}" "${cpu_exact[$1]}" "${2:-}"
    if awk -v b="${cpu[$1]:-0}" 'BEGIN { exit !(b > 0) }'; then
        ratio "  the same from utime + stime" "${cpu[huxo]:-}" "${cpu[$1]}"
    fi
}
cpu_ratio labels 0.5
cpu_ratio faces

printf '\nshared libraries huxo maps and bare labels does not:\n'
if [ "$extra_libraries" = "not measured" ]; then
    echo "  not measured"
    failed=1
elif [ -z "$extra_libraries" ]; then
    echo "  none"
else
    while read -r library; do
        echo "  $library"
    done <<<"$extra_libraries"
    printf '%-50s %6d  (target 0)  MISS\n' "libraries beyond the bare window's" "$(wc -l <<<"$extra_libraries")"
fi

# Each module's first load in a process of its own, from a program folder as HUXO's: the milliseconds that the
# first Auto Set or update retrieval, the first sound and the first print add.
first_use=$build/bench/bench_FirstUse
if [ -x "$first_use" ]; then
    printf '\nfirst use, the load of the module (median of %d, ms):\n' "$runs"
    set_command huxo
    folder=$(dirname "${command[-1]}")
    cp "$first_use" "$folder/"
    for module in net sound print; do
        loads=()
        for _ in $(seq "$runs"); do
            loads+=("$("$folder/bench_FirstUse" "$module" 2>/dev/null)") || failed=1
        done
        printf '  %-6s %8s\n' "$module" "$(median "${loads[@]}")"
    done
fi
exit "$failed"
