#!/usr/bin/env bash
# Installs the built program into a temporary prefix and checks what a desktop needs of it: the program folder
# with the binary and every asset, the command on the PATH, and a desktop entry, icons and metainfo that the
# freedesktop and AppStream validators accept. Usage: check_install.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
source_dir=$1
build_dir=$2
source "$(dirname "$0")/common.sh"
prefix=$work

cmake --install "$build_dir" --prefix "$prefix" >/dev/null

program="$prefix/lib/huxo"
[ -x "$program/huxo" ] || fail "no program in $program"
for asset in "$source_dir"/assets/*; do
    name=$(basename "$asset")
    [ "$name" = CMakeLists.txt ] && continue
    cmp -s "$asset" "$program/$name" || fail "asset $name missing or different in the program folder"
done
[ ! -e "$program/CMakeLists.txt" ] || fail "the build rules of assets/ were installed"
[ "$(readlink -f "$prefix/bin/huxo")" = "$(readlink -f "$program/huxo")" ] || fail "bin/huxo does not lead to the program"

# The manual page, which man reads without a complaint.
manual="$prefix/share/man/man1/huxo.1.gz"
[ -f "$manual" ] || fail "no manual page huxo(1)"
MANWIDTH=80 man --warnings -l "$manual" >"$work/huxo.1.txt" 2>"$work/man.log" || fail "man cannot read huxo(1)"
[ ! -s "$work/man.log" ] || { cat "$work/man.log"; fail "man complains about huxo(1)"; }
grep -q -- '--version' "$work/huxo.1.txt" || fail "huxo(1) does not describe the options"

desktop="$prefix/share/applications/org.huxo.Huxo.desktop"
metainfo="$prefix/share/metainfo/org.huxo.Huxo.metainfo.xml"
desktop-file-validate "$desktop" || fail "desktop entry rejected"
appstreamcli validate --no-net "$metainfo" || fail "metainfo rejected"
grep -qx 'Exec=huxo' "$desktop" || fail "the desktop entry does not start the installed command"
icon=$(sed -n 's/^Icon=//p' "$desktop")
[ -f "$prefix/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "no scalable icon named $icon"
for size in 16 24 32 48 64 128 256; do
    png="$prefix/share/icons/hicolor/${size}x${size}/apps/$icon.png"
    [ -f "$png" ] || fail "no ${size}px icon"
    # PNG header: the width and height are the big-endian words at bytes 16 and 20.
    [ "$(od -An -tu1 -j16 -N8 "$png" | awk '{print $3*256+$4 "x" $7*256+$8}')" = "${size}x${size}" ] ||
        fail "the ${size}px icon has another size"
done
echo "installed and validated"
