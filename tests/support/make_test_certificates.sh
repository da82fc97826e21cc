#!/bin/sh
# The certificates of the HTTPS tests, each beside its key (NAME.pem, NAME.key) in DIR, all for 127.0.0.1 unless
# said otherwise: the throw-away authority ca.pem and, signed by it, server (valid for a week), expired,
# not-yet-valid, wrong-name (for another host), expired-wrong-name; self-signed (its own authority); and
# other-authority (signed by an authority nobody trusts).
# Usage: make_test_certificates.sh DIR
set -eu
here=$(cd "$(dirname "$0")" && pwd)
dir=$1
"$here/../../server/make-test-certificate.sh" "$dir"
cd "$dir"
curve="-newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes"

# openssl ca, with a database of its own, is what can give a certificate any validity period.
cat >ca.cnf <<'END'
[ca]
default_ca = test
[test]
database = index.txt
new_certs_dir = .
serial = serial
default_md = sha256
policy = anything
unique_subject = no
[anything]
commonName = supplied
END
: >index.txt
echo 01 >serial

# request NAME SUBJECT_ALT_NAME: a key and a signing request, and the extensions a server certificate carries
request() {
    # shellcheck disable=SC2086 # the key options are meant to split
    openssl req $curve -keyout "$1.key" -out "$1.csr" -subj "/CN=$1" 2>/dev/null
    printf 'basicConstraints = CA:FALSE\nextendedKeyUsage = serverAuth\nsubjectAltName = %s\n' "$2" >"$1.ext"
}

# dated NAME SUBJECT_ALT_NAME START END (YYYYMMDDHHMMSSZ): signed by the authority for that period
dated() {
    request "$1" "$2"
    openssl ca -batch -config ca.cnf -cert ca.pem -keyfile ca.key -in "$1.csr" -extfile "$1.ext" -notext \
        -startdate "$3" -enddate "$4" -out "$1.pem" 2>/dev/null
}

dated expired IP:127.0.0.1 20000101000000Z 20000108000000Z
dated not-yet-valid IP:127.0.0.1 20990101000000Z 21000101000000Z
dated expired-wrong-name DNS:elsewhere.invalid 20000101000000Z 20000108000000Z

request wrong-name DNS:elsewhere.invalid
openssl x509 -req -in wrong-name.csr -CA ca.pem -CAkey ca.key -CAcreateserial -days 7 -extfile wrong-name.ext \
    -out wrong-name.pem 2>/dev/null

# shellcheck disable=SC2086
openssl req -x509 $curve -keyout self-signed.key -out self-signed.pem -days 7 -subj "/CN=self-signed" \
    -addext subjectAltName=IP:127.0.0.1 2>/dev/null

# shellcheck disable=SC2086
openssl req -x509 $curve -keyout other-ca.key -out other-ca.pem -days 7 -subj "/CN=an authority nobody trusts" \
    -addext basicConstraints=critical,CA:TRUE -addext keyUsage=critical,keyCertSign,cRLSign 2>/dev/null
request other-authority IP:127.0.0.1
openssl x509 -req -in other-authority.csr -CA other-ca.pem -CAkey other-ca.key -CAcreateserial -days 7 \
    -extfile other-authority.ext -out other-authority.pem 2>/dev/null

rm -f ./*.csr ./*.ext ./*.srl ./*.old index.txt* serial* ca.cnf ./0*.pem
chmod 600 ./*.key
