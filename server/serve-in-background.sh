# shellcheck shell=bash
# Sourced by scripts that need the servers running while they work (tests, benchmarks).
# serve_in_background OUTPUT [serve.sh ARGUMENT...] starts serve.sh in the background with its output in the file
# OUTPUT and returns once the servers listen; when they do not start it shows that output and returns 1. Sets
# serve_pid: a TERM signal to it stops the servers.
serve_in_background() {
    local output=$1
    shift
    "$(dirname "${BASH_SOURCE[0]}")/serve.sh" "$@" >"$output" 2>&1 &
    serve_pid=$!
    for _ in $(seq 100); do
        grep -qs listening "$output" && return 0
        kill -0 "$serve_pid" 2>/dev/null || break
        sleep 0.1
    done
    sed 's/^/  serve.sh: /' "$output" >&2
    return 1
}
