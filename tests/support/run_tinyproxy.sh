#!/bin/sh
# Runs Debian's tinyproxy in the foreground on 127.0.0.1:PORT, for loopback clients only, logging each connection
# to WORK_DIR/tinyproxy.log (where its configuration goes too). HTTPS passes through it by CONNECT, to any port.
# Usage: run_tinyproxy.sh PORT WORK_DIR
set -eu
port=$1
work=$(cd "$2" && pwd)
cat >"$work/tinyproxy.conf" <<END
Port $port
Listen 127.0.0.1
Allow 127.0.0.1
Timeout 60
MaxClients 20
LogFile "$work/tinyproxy.log"
LogLevel Connect
END
exec tinyproxy -d -c "$work/tinyproxy.conf"
