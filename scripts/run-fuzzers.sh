#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build for a given number of seconds each, starting from the seeds under
# tests/fuzz/corpus, and prints the executions each one made. Exits non-zero at the first crash, hang or
# sanitizer report; the input that caused it is left in the build folder.
# Usage: run-fuzzers.sh BUILD_DIR SECONDS
set -euo pipefail
build=$1
seconds=$2
seeds=$(cd "$(dirname "$0")/../tests/fuzz/corpus" && pwd)

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for fuzzer in "$build"/tests/fuzz/fuzz_*; do
    [ -f "$fuzzer" ] && [ -x "$fuzzer" ] || continue
    name=$(basename "$fuzzer")
    work="$build/corpus/$name"
    mkdir -p "$work" "$build/crashes"
    log="$build/$name.log"
    if ! "$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$build/crashes/$name-" "$work" "$seeds/$name" >"$log" 2>&1; then
        tail -n 40 "$log"
        echo "$name: FAILED (see $log)"
        exit 1
    fi
    runs=$(grep -m1 'stat::number_of_executed_units' "$log" | awk '{print $2}')
    echo "$name: ${runs:-?} executions in ${seconds} s, no crash"
done
