#!/usr/bin/env bash
# Runs the time and update servers from this repository with the system's lighttpd, in the foreground, until
# Ctrl+C or a TERM signal. Once both ports answer it prints one line saying where it listens.
#
# Usage: serve.sh [--bind ADDRESS] [--http PORT] [--https PORT] [--cert CHAIN.pem --key KEY.pem]
#                 [--content DIR] WORK_DIR
#   WORK_DIR   made if missing; receives the logs (access.log has the second of each answer), the process id and,
#              without --cert, a throw-away certificate authority (WORK_DIR/tls/ca.pem) with its certificate
#   --content  the update files to serve (default: the x__c51 folder beside this script)
# Defaults: 127.0.0.1, ports 8080 and 8443.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

bind=127.0.0.1 http_port=8080 https_port=8443 cert='' key='' content=$here/x__c51
while [ $# -gt 1 ]; do
    case $1 in
    --bind) bind=$2 ;;
    --http) http_port=$2 ;;
    --https) https_port=$2 ;;
    --cert) cert=$2 ;;
    --key) key=$2 ;;
    --content) content=$2 ;;
    *) break ;;
    esac
    shift 2
done
if [ $# -ne 1 ] || [ "${cert:+given}" != "${key:+given}" ]; then
    sed -n '5,11s/^# \{0,1\}//p' "$0" >&2
    exit 2
fi
mkdir -p "$1/empty"
work=$(cd "$1" && pwd)
[ -d "$content" ] || { echo "no content folder $content" >&2; exit 1; }
authority=
if [ -z "$cert" ]; then
    "$here/make-test-certificate.sh" "$work/tls"
    cert=$work/tls/server.pem key=$work/tls/server.key authority=" (certificate authority $work/tls/ca.pem)"
fi

# The C locale and UTC: the time line's names are English and the access log's times are Greenwich's. The content
# is named by its physical path: the server follows no link on the way to the update files.
export LC_ALL=C TZ=UTC
content=$(cd "$content" && pwd -P)
cert=$(realpath "$cert")
key=$(realpath "$key")
export HUXO_SERVER_SHARE=$here/lighttpd HUXO_SERVER_CONTENT=$content/ HUXO_SERVER_WORK=$work
export HUXO_SERVER_BIND=$bind HUXO_SERVER_HTTP_PORT=$http_port HUXO_SERVER_HTTPS_PORT=$https_port
export HUXO_SERVER_CERT=$cert HUXO_SERVER_KEY=$key
config=$here/lighttpd/standalone.conf
lighttpd -tt -f "$config" >"$work/config-test.log" 2>&1 || {
    cat "$work/config-test.log" >&2
    exit 1
}
lighttpd -D -f "$config" &
server=$!
trap 'kill "$server" 2>/dev/null || true; wait "$server" 2>/dev/null || true' EXIT
trap 'exit 0' INT TERM

answers() { (exec 3<>"/dev/tcp/$bind/$1") 2>/dev/null; }
for _ in $(seq 100); do
    answers "$http_port" && answers "$https_port" && break
    kill -0 "$server" 2>/dev/null || { cat "$work/error.log" >&2; exit 1; }
    sleep 0.05
done
answers "$http_port" && answers "$https_port" || { echo "lighttpd does not answer" >&2; exit 1; }
echo "HUXO servers listening on http://$bind:$http_port/ and https://$bind:$https_port/$authority; Ctrl+C stops them"
wait "$server"
