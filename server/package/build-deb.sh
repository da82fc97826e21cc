#!/bin/sh
# Builds the Debian package huxo-server from this repository into OUTPUT_DIR (huxo-server_VERSION_all.deb):
# the routes and the time-line script for the system's lighttpd, the update files and the generator of dst.txt.
# Usage: build-deb.sh OUTPUT_DIR
set -eu
here=$(cd "$(dirname "$0")" && pwd)
server=$(dirname "$here")
output=$(mkdir -p "$1" && cd "$1" && pwd)
stage=$(mktemp -d)
chmod 755 "$stage"
trap 'rm -rf "$stage"' EXIT

share=$stage/usr/share/huxo-server
doc=$stage/usr/share/doc/huxo-server
install -d "$stage/DEBIAN" "$share/lighttpd" "$share/dst" "$share/x__c51" "$stage/etc/lighttpd/conf-available" \
    "$stage/etc/cron.daily" "$stage/lib/systemd/system" "$doc"
install -m 644 "$server/lighttpd/huxo-routes.conf" "$server/lighttpd/time-line.lua" "$share/lighttpd/"
install -m 755 "$here/update-content" "$here/enable-https" "$share/"
install -m 755 "$server/dst/make_dst_text.py" "$share/dst/"
install -m 644 "$server/dst/places.txt" "$share/dst/"
install -m 644 "$server/x__c51"/* "$share/x__c51/"
install -m 644 "$here/50-huxo-server.conf" "$here/51-huxo-server-https.conf" "$stage/etc/lighttpd/conf-available/"
install -m 755 "$here/cron.daily" "$stage/etc/cron.daily/huxo-server"
install -m 644 "$here/huxo-server.service" "$here/huxo-server.timer" "$stage/lib/systemd/system/"
install -m 644 "$server/README.md" "$here/README.Debian" "$here/copyright" "$doc/"
# Compressed as Debian keeps change logs: no name or time stamp inside, so that every build gives the same bytes.
gzip -9n -c "$here/changelog" >"$doc/changelog.gz"
chmod 644 "$doc/changelog.gz"
install -m 644 "$here/control" "$here/triggers" "$stage/DEBIAN/"
install -m 755 "$here/postinst" "$here/prerm" "$here/postrm" "$stage/DEBIAN/"
(cd "$stage" && find etc -type f | sed 's|^|/|' | sort) >"$stage/DEBIAN/conffiles"
(cd "$stage" && find usr lib -type f | sort | xargs md5sum) >"$stage/DEBIAN/md5sums"
chmod 644 "$stage/DEBIAN/conffiles" "$stage/DEBIAN/md5sums"
version=$(sed -n 's/^Version: //p' "$here/control")
dpkg-deb --root-owner-group --build "$stage" "$output/huxo-server_${version}_all.deb" >/dev/null
echo "$output/huxo-server_${version}_all.deb"
