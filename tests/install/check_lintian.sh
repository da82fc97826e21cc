#!/usr/bin/env bash
# Builds both Debian packages, huxo from the built tree and huxo-server from the repository, into a temporary
# folder and has lintian check them: any error or warning fails. Usage: check_lintian.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
source_dir=$1
build_dir=$2
source "$(dirname "$0")/common.sh"
command -v lintian >/dev/null || { echo "SKIPPED: lintian not found"; exit 77; }

cpack --config "$build_dir/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 || {
    cat "$work/cpack.log" >&2
    fail "cpack failed"
}
"$source_dir/server/package/build-deb.sh" "$work" >/dev/null
for package in "$work"/huxo_*.deb "$work"/huxo-server_*.deb; do
    # lintian's own notes (running as root, for one) go to the standard error; its findings to the output.
    lintian --fail-on error,warning --info "$package" 2>"$work/lintian.log" ||
        fail "lintian finds errors or warnings in ${package##*/}, or cannot check it: $(cat "$work/lintian.log")"
done
echo "lintian finds no error or warning in either package"
