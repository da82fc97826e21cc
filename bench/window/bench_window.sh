#!/usr/bin/env bash
# The real main window against two bare Qt windows of its size on a private X server with no window manager:
# start-up to the first drawing (median of 5), resident memory after 10 s and CPU time per second of clock
# over 60 s of idle ticking. Figures, not a test: exits 0 unless something could not be measured.
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

# Sets command to start one program. HUXO runs from a fresh program folder each time (so always a first run),
# and like the bare windows without the right to set the clock.
set_command()
{
    case $1 in
    huxo)
        local folder
        folder=$(mktemp -d "$work/huxo.XXXXXX")
        cp "$build/huxo" "$build"/*.wav "$build"/*.png "$folder/"
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

declare -A rss used_before cpu cpu_exact
for name in "${!pid[@]}"; do
    rss[$name]=$(awk '/^VmRSS:/ { print $2 }' "/proc/${pid[$name]}/status")
    used_before[$name]=$(cpu_used "${pid[$name]}")
done
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

printf '\n%-12s %12s %13s %9s %10s %12s\n' program "start-up ms" "(range)" "RSS MiB" "CPU ms/s" "(scheduler)"
for name in "${programs[@]}"; do
    printf '%-12s %12s %13s %9s %10s %12s\n' "${title[$name]}" "${startup[$name]:-?}" "${spread[$name]:-}" \
        "$(awk -v k="${rss[$name]:-}" 'BEGIN { if (k == "") print "?"; else printf "%.1f", k / 1024 }')" \
        "${cpu[$name]:-?}" "${cpu_exact[$name]:--}"
done
printf 'start-up: median of %d runs, from the start to the first drawing; RSS after %d s; CPU over %.0f s of\n' \
    "$runs" "$settle_seconds" "$elapsed"
printf 'ticking, from utime + stime at %s ticks/s and, for a finer figure, from the scheduler'"'"'s nanoseconds.\n\n' \
    "$tick"

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
ratio "huxo start-up / bare labels start-up" "${startup[huxo]:-}" "${startup[labels]:-}" 1.3
ratio "huxo RSS / bare labels RSS" "${rss[huxo]:-}" "${rss[labels]:-}" 1.2
ratio "huxo CPU per second / bare faces CPU per second" "${cpu[huxo]:-}" "${cpu[faces]:-}" 0.5
if [ "${cpu_exact[huxo]:--}" != - ] && [ "${cpu_exact[faces]:--}" != - ]; then
    ratio "  the same by the scheduler's count" "${cpu_exact[huxo]}" "${cpu_exact[faces]}"
fi
exit "$failed"
