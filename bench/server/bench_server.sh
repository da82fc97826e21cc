#!/usr/bin/env bash
# The time and update servers under load: server/serve.sh on loopback, then wrk (2 threads, 16 connections) for
# 8 seconds against the time line and 8 seconds against the daylight-saving text, so 20 s at most in all. Prints
# requests per second and the median and 99th-percentile latency of each, and the machine's load average before,
# since other work on the same cores shows in the figures. The time line should reach 1,000 requests per second.
# Usage: bench_server.sh WORK_DIR [HTTP_PORT]   (default port 18080; HTTPS on the next one)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$1
port=${2:-18080}
seconds=8
mkdir -p "$work"
for tool in lighttpd wrk; do
    command -v "$tool" >/dev/null || { echo "$tool not found: scripts/install-deps.sh installs it"; exit 1; }
done

serve_pid=
trap '[ -z "$serve_pid" ] || { kill "$serve_pid"; wait "$serve_pid"; } 2>/dev/null || true' EXIT
# shellcheck source=../../server/serve-in-background.sh
source "$root/server/serve-in-background.sh"
serve_in_background "$work/server.out" --http "$port" --https $((port + 1)) "$work/server"

echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
printf '%-22s %12s %10s %10s\n' "" "requests/s" median 99%
for path in /cgi-bin/date /x__c51/dst.txt; do
    wrk -t2 -c16 -d${seconds}s --latency "http://127.0.0.1:$port$path" >"$work/wrk.out"
    awk -v path="$path" '
        /^ +50%/ { median = $2 }
        /^ +99%/ { p99 = $2 }
        /^Requests\/sec:/ { rate = $2 }
        /Non-2xx or 3xx/ { bad = $NF }
        END {
            printf "%-22s %12.0f %10s %10s\n", path, rate, median, p99
            if (bad) { printf "  %s answers were errors\n", bad; exit 1 }
        }' "$work/wrk.out"
done
