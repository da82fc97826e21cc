#!/usr/bin/env bash
# Builds the huxo-server package, checks its contents and what it asks for, installs it into a temporary root
# (never into this machine) with the step its installation runs, and has lighttpd test the system's own
# configuration with the package's enabled in it.
# Usage: check_server_package.sh SOURCE_DIR
set -euo pipefail
source_dir=$1
source "$(dirname "$0")/common.sh"

package=$("$source_dir/server/package/build-deb.sh" "$work/out")
listing=$(dpkg-deb -c "$package")
contents=$(awk '{print $6}' <<<"$listing")
for path in ./etc/lighttpd/conf-available/50-huxo-server.conf ./etc/lighttpd/conf-available/51-huxo-server-https.conf \
    ./etc/cron.daily/huxo-server ./lib/systemd/system/huxo-server.service ./lib/systemd/system/huxo-server.timer \
    ./usr/share/huxo-server/lighttpd/huxo-routes.conf ./usr/share/huxo-server/lighttpd/time-line.lua \
    ./usr/share/huxo-server/update-content ./usr/share/huxo-server/enable-https \
    ./usr/share/huxo-server/dst/make_dst_text.py ./usr/share/huxo-server/dst/places.txt \
    ./usr/share/doc/huxo-server/README.md ./usr/share/doc/huxo-server/README.Debian; do
    grep -qx -- "$path" <<<"$contents" || fail "$path is not in the package"
done
for file in "$source_dir"/server/x__c51/*; do
    grep -qx -- "./usr/share/huxo-server/x__c51/${file##*/}" <<<"$contents" || fail "${file##*/} is not in the package"
done
! grep -q -e '\.ex$' -e 'serve\.sh' -e 'standalone\.conf' -e 'make-test-certificate' <<<"$contents" ||
    fail "a program file or a development tool was packaged"
! grep -v ' root/root ' <<<"$listing" | grep -q . || fail "a file is not owned by root"
for script in update-content enable-https dst/make_dst_text.py; do
    grep -q "^-rwxr-xr-x .* ./usr/share/huxo-server/$script\$" <<<"$listing" || fail "$script is not executable"
done

[ "$(dpkg-deb -f "$package" Package)" = huxo-server ] || fail "the package has another name"
[ "$(dpkg-deb -f "$package" Architecture)" = all ] || fail "the package is tied to one architecture"
depends=$(dpkg-deb -f "$package" Depends)
for dependency in lighttpd lighttpd-modules-lua lighttpd-mod-openssl python3 tzdata; do
    grep -q "\(^\|, \)$dependency\b" <<<"$depends" || fail "$dependency is not declared: $depends"
done
conffiles=$(dpkg-deb --ctrl-tarfile "$package" | tar -xO ./conffiles)
for conffile in /etc/lighttpd/conf-available/50-huxo-server.conf /etc/lighttpd/conf-available/51-huxo-server-https.conf \
    /etc/cron.daily/huxo-server; do
    grep -qx "$conffile" <<<"$conffiles" || fail "$conffile is not a conffile, so an operator's changes would be lost"
done
dpkg-deb --ctrl-tarfile "$package" | tar -xO ./triggers | grep -qx 'interest-noawait /usr/share/zoneinfo' ||
    fail "an update of the tz database does not make dst.txt again"

# Installed under a temporary root: the content is put in place, with dst.txt made afresh in the record's limits.
root=$work/root
dpkg-deb -x "$package" "$root"
"$root/usr/share/huxo-server/update-content" "$root"
served=$root/var/lib/huxo-server/x__c51
for file in head.txt news.txt picc.gif flash51.txt; do
    cmp -s "$served/$file" "$source_dir/server/x__c51/$file" || fail "$file was not put in place"
done
size=$(stat -c %s "$served/dst.txt")
[ "$size" -gt 1000 ] && [ "$size" -le 32765 ] || fail "dst.txt has $size bytes"
grep -q "Made on $(date -u '+%a %-d %b %Y')" "$served/dst.txt" || fail "dst.txt was not made afresh"
# An operator's own newsletter stays. Links to nowhere in the folder stop nothing and are written through by
# nothing: the text is made afresh in place of one.
printf 'Our own news' >"$served/news.txt"
rm "$served/head.txt" "$served/dst.txt"
ln -s "$work/nowhere/head.txt" "$served/head.txt"
ln -s "$work/nowhere/dst.txt" "$served/dst.txt"
"$root/usr/share/huxo-server/update-content" "$root" 2>"$work/update.err"
[ "$(cat "$served/news.txt")" = "Our own news" ] || fail "an update replaced the operator's newsletter"
[ -L "$served/head.txt" ] && [ ! -e "$work/nowhere" ] || fail "an update wrote through a link to nowhere"
grep -q "head.txt is a link" "$work/update.err" || fail "an update did not say that head.txt is a link"
[ ! -L "$served/dst.txt" ] && grep -q "Made on" "$served/dst.txt" || fail "a link to nowhere stopped dst.txt"

# The daily cron job, its paths led into the temporary root: it leaves the work to the timer where systemd runs,
# and does nothing, successfully, once the package is removed and only the job, a conffile, is left.
sed "s|/usr/share/huxo-server|$root/usr/share/huxo-server|g; s|/run/systemd/system|$work/systemd|; s|^exec .*|& $root|" \
    "$root/etc/cron.daily/huxo-server" >"$work/cron-job"
daily() {
    rm -f "$served/dst.txt"
    sh "$work/cron-job" || fail "the daily job failed $1"
}
daily "on a host without systemd"
[ -s "$served/dst.txt" ] || fail "the daily job made no dst.txt on a host without systemd"
mkdir "$work/systemd"
daily "on a host run by systemd"
[ ! -e "$served/dst.txt" ] || fail "the daily job ran beside the systemd timer"
rmdir "$work/systemd"
rm "$root/usr/share/huxo-server/update-content"
daily "after the package was removed"

# The system's lighttpd.conf with the package's configuration enabled, the paths led into the temporary root.
command -v lighttpd >/dev/null || { echo "SKIPPED: lighttpd not found"; exit 77; }
[ -f /etc/lighttpd/lighttpd.conf ] || { echo "SKIPPED: no /etc/lighttpd/lighttpd.conf"; exit 77; }
# HTTPS is enabled as its deploy hook does once the certificate is where certbot keeps it (here a throw-away one).
"$source_dir/server/make-test-certificate.sh" "$work/tls"
mkdir -p "$work/enabled"
sed "s|\"/usr/share/huxo-server|\"$root/usr/share/huxo-server|; s|\"/var/lib/huxo-server|\"$root/var/lib/huxo-server|" \
    "$root/etc/lighttpd/conf-available/50-huxo-server.conf" >"$work/enabled/50-huxo-server.conf"
sed "s|/etc/letsencrypt/live/huxo-clock.net/fullchain.pem|$work/tls/server.pem|; \
    s|/etc/letsencrypt/live/huxo-clock.net/privkey.pem|$work/tls/server.key|" \
    "$root/etc/lighttpd/conf-available/51-huxo-server-https.conf" >"$work/enabled/51-huxo-server-https.conf"
grep -q "$work/tls/server.pem" "$work/enabled/51-huxo-server-https.conf" || fail "the HTTPS configuration names no certificate"
sed "s|^include \"/etc/lighttpd/conf-enabled/\*.conf\"|include \"$work/enabled/*.conf\"|" \
    /etc/lighttpd/lighttpd.conf >"$work/lighttpd.conf"
grep -q "$work/enabled" "$work/lighttpd.conf" || fail "lighttpd.conf includes no conf-enabled folder"
lighttpd -tt -f "$work/lighttpd.conf" || fail "lighttpd refuses the configuration"
echo "server package contents, installation and configuration checked"
