#!/usr/bin/env bash
# The time and update servers as a client sees them: server/serve.sh on ports 80 and 443 of a private network
# with only loopback, asked with curl over HTTP and over HTTPS (trusting only the test's throw-away
# certificate authority) under each of the five names.
# Usage: server_http.sh
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)

if [ -z "${HUXO_SERVER_TEST_STAGE:-}" ]; then
    for tool in lighttpd openssl curl unshare ip; do
        command -v "$tool" >/dev/null || { echo "SKIPPED: $tool not found"; exit 77; }
    done
    export HUXO_SERVER_TEST_STAGE=namespace
    exec "$root/tests/support/private_network.sh" "$0"
fi

work=$(mktemp -d)
serve_pid=
trap '[ -z "$serve_pid" ] || { kill "$serve_pid"; wait "$serve_pid"; } 2>/dev/null; rm -rf "$work"' EXIT
resolve=()
while read -r name; do
    resolve+=(--resolve "$name:80:127.0.0.1" --resolve "$name:443:127.0.0.1")
done <"$root/server/host-names"
# The update files, with what an operator's editor may leave beside them.
content=$work/content
cp -r "$root/server/x__c51" "$content"
echo secret >"$content/.news.txt.swp"
echo old >"$content/news.txt~"
# ... and links, to a file outside and to one inside.
ln -s "$root/server/lighttpd/standalone.conf" "$content/conf.txt"
ln -s news.txt "$content/linked.txt"
# shellcheck source=../../server/serve-in-background.sh
source "$root/server/serve-in-background.sh"
serve_in_background "$work/server.out" --http 80 --https 443 --content "$content" "$work/server" || {
    echo "FAIL: the server did not start"
    exit 1
}
grep -q "listening on http://127.0.0.1:80/ and https://127.0.0.1:443/" "$work/server.out" ||
    { cat "$work/server.out"; echo "FAIL: the server does not say where it listens"; exit 1; }

failed=0
fail() {
    echo "FAIL: $*"
    failed=1
}
# GET URL: the body in $work/body, the headers in $work/head, the status printed.
get() {
    curl -sS --path-as-is --cacert "$work/server/tls/ca.pem" "${resolve[@]}" -D "$work/head" -o "$work/body" -w '%{http_code}' "$1"
}
header() { grep -i "^$1:" "$work/head" | cut -d' ' -f2- | tr -d '\r'; }

# The time line: weekday, month, blank-padded day, hh:mm:ss, UTC and the year at fixed places, one line, the real
# time of the request, and no one may keep it.
time_line='^(Mon|Tue|Wed|Thu|Fri|Sat|Sun) (Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) [ 123][0-9] [012][0-9]:[0-5][0-9]:[0-5][0-9] UTC [0-9]{4}$'
check_time_line() {
    local url=$1 before after answered status
    before=$(date -u +%s)
    status=$(get "$url") || { fail "$url: no answer"; return; }
    after=$(date -u +%s)
    [ "$status" = 200 ] || { fail "$url: status $status"; return; }
    [ "$(wc -l <"$work/body")" = 1 ] && [ "$(tail -c 1 "$work/body" | od -An -c | tr -d ' ')" = '\n' ] ||
        fail "$url: the answer is not one line ended by a line feed"
    grep -Eq "$time_line" "$work/body" || fail "$url: \"$(cat "$work/body")\" is not a time line"
    answered=$(date -u -d "$(cut -c5- "$work/body" | awk '{ print $2, $1, $5, $3, "UTC" }')" +%s 2>/dev/null) || answered=0
    [ "$answered" -ge "$before" ] && [ "$answered" -le "$after" ] ||
        fail "$url: \"$(cat "$work/body")\" is not the time of the request"
    [[ $(header Cache-Control) == *no-store* ]] || fail "$url: the answer may be cached"
}

# Every name, both schemes.
while read -r name; do
    for scheme in http https; do
        check_time_line "$scheme://$name/cgi-bin/date"
    done
done <"$root/server/host-names"
# The request has no say in the answer.
check_time_line "http://time2.huxo-clock.net/cgi-bin/date?format=%25s&TZ=EST5"

# The update files, whole and as Windows-1252 text, under the primary address and under the fallback's folder.
for base in http://www.huxo-clock.net/x__c51 https://www.huxo-clock.net/x__c51 http://mirror.huxo-clock.net/huxo/x__c51; do
    for file in "$root/server/x__c51"/*; do
        url=$base/$(basename "$file")
        status=$(get "$url") || status=none
        [ "$status" = 200 ] && cmp -s "$work/body" "$file" || fail "$url: status $status, or not the file as it is"
    done
    get "$base/head.txt" >/dev/null
    [ "$(header Content-Type)" = "text/plain; charset=windows-1252" ] ||
        fail "$base/head.txt: type \"$(header Content-Type)\""
    # A file we do not offer is the server's ordinary missing-file page.
    status=$(get "$base/new.ex")
    [ "$status" = 404 ] && grep -q 404 "$work/body" || fail "$base/new.ex: status $status instead of 404"
    # A folder is never listed, no path leads out of the content, and what is hidden stays so.
    for path in "" ../lighttpd/standalone.conf ..%2flighttpd%2fstandalone.conf %2e%2e/serve.sh .news.txt.swp \
        'news.txt~' conf.txt linked.txt; do
        status=$(get "$base/$path")
        [ "$status" != 200 ] && ! grep -q -e dst.txt -e lighttpd -e huxo_ -e secret -e old "$work/body" ||
            fail "$base/$path: status $status, showing what it should not"
    done
done

# Thousands of connections that one client opens and leaves idle, half of them before their TLS handshake and half
# in the middle of a request, leave the server answering another client at once.
ulimit -n 8192 2>/dev/null || ulimit -Sn "$(ulimit -Hn)"
python3 - "$work/flood-ready" <<'EOF' &
import socket, sys, time
held = []
for number in range(3000):
    held.append(socket.create_connection(("127.0.0.1", 80 if number % 2 else 443)))
    held[-1].send(b"GET /cgi-bin/date HTTP/1.1\r\n" if number % 2 else b"")
open(sys.argv[1], "w").close()
time.sleep(60)
EOF
flood=$!
for _ in $(seq 200); do
    [ -e "$work/flood-ready" ] || ! kill -0 "$flood" 2>/dev/null && break
    sleep 0.1
done
[ -e "$work/flood-ready" ] || fail "the test could not open its idle connections"
for url in http://time1.huxo-clock.net/cgi-bin/date https://www.huxo-clock.net/x__c51/head.txt; do
    status=$(curl -sS -m 5 --interface 127.0.0.2 --cacert "$work/server/tls/ca.pem" "${resolve[@]}" -o /dev/null \
        -w '%{http_code}' "$url") || status=none
    [ "$status" = 200 ] || fail "$url: status $status for another client while one client held 3000 connections"
done
kill "$flood" 2>/dev/null || true
wait "$flood" 2>/dev/null || true

if [ "$failed" -eq 0 ]; then
    echo "PASS"
else
    echo "requests the server answered:"
    sed 's/^/  /' "$work/server/access.log"
fi
exit "$failed"
