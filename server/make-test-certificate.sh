#!/bin/sh
# Makes a throw-away certificate authority and, signed by it, a certificate for the five host names, localhost and
# 127.0.0.1, valid for a week: for development, tests and benchmarks only. Clients trust it through DIR/ca.pem.
# Usage: make-test-certificate.sh DIR   (writes DIR/ca.pem, DIR/server.pem and DIR/server.key)
set -eu
names=$(sed 's/^/DNS:/' "$(dirname "$0")/host-names" | paste -sd, -)
dir=$1
mkdir -p "$dir"
cd "$dir"
curve="-newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes"
# shellcheck disable=SC2086 # the key options are meant to split
openssl req -x509 $curve -keyout ca.key -out ca.pem -days 7 -subj "/CN=HUXO throw-away test authority" \
    -addext basicConstraints=critical,CA:TRUE -addext keyUsage=critical,keyCertSign,cRLSign 2>/dev/null
# shellcheck disable=SC2086
openssl req $curve -keyout server.key -out server.csr -subj "/CN=time1.huxo-clock.net" 2>/dev/null
printf 'basicConstraints = CA:FALSE\nextendedKeyUsage = serverAuth\nsubjectAltName = %s,DNS:localhost,IP:127.0.0.1\n' \
    "$names" >server.ext
openssl x509 -req -in server.csr -CA ca.pem -CAkey ca.key -CAcreateserial -days 7 -extfile server.ext \
    -out server.pem 2>/dev/null
rm -f server.csr server.ext ca.srl
chmod 600 ca.key server.key
