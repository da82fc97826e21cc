#!/usr/bin/env bash
# Builds the Debian package from the built tree in a temporary folder and checks its contents and its declared
# run-time dependencies. Usage: check_package.sh BUILD_DIR
set -euo pipefail
build_dir=$1
source "$(dirname "$0")/common.sh"

cpack --config "$build_dir/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 || {
    cat "$work/cpack.log" >&2
    fail "cpack failed"
}
package=$(ls "$work"/huxo_*.deb)
listing=$(dpkg-deb -c "$package")
contents=$(awk '{print $6}' <<<"$listing")
for path in ./usr/lib/huxo/huxo ./usr/lib/huxo/a.wav ./usr/lib/huxo/b.wav ./usr/lib/huxo/alarm.wav \
    ./usr/bin/huxo ./usr/share/applications/org.huxo.Huxo.desktop \
    ./usr/share/metainfo/org.huxo.Huxo.metainfo.xml \
    ./usr/share/icons/hicolor/scalable/apps/org.huxo.Huxo.svg \
    ./usr/share/icons/hicolor/48x48/apps/org.huxo.Huxo.png; do
    grep -qx -- "$path" <<<"$contents" || fail "$path is not in the package"
done
if grep -q 'CMakeLists.txt' <<<"$contents"; then
    fail "build rules were packaged"
fi
grep -q '^-rwxr-xr-x root/root .* ./usr/lib/huxo/huxo$' <<<"$listing" ||
    fail "the program is not an executable owned by root"

depends=$(dpkg-deb -f "$package" Depends)
# The libraries come from what the binary links; the plugins, fonts, zones and certificates are used at run time and
# named by hand.
for dependency in libc6 libqt6core6 libqt6widgets6 libqt6multimedia6 libcurl4 libssl3 qt6-qpa-plugins \
    fonts-liberation tzdata ca-certificates; do
    grep -q "\b$dependency\b" <<<"$depends" || fail "$dependency is not declared: $depends"
done
[ "$(dpkg-deb -f "$package" Package)" = huxo ] || fail "the package has another name"
echo "package contents and dependencies checked"
