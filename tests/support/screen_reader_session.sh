#!/usr/bin/env bash
# Runs a test program where a screen reader would meet it: on an X server and a session bus of its own, with the
# accessibility bus started on that bus as a desktop starts it at log-in, and Qt told to serve it.
# Usage: screen_reader_session.sh PROGRAM [ARGUMENTS...]
set -euo pipefail

if [ -z "${HUXO_SCREEN_READER_INNER:-}" ]; then
    for tool in xvfb-run dbus-run-session dbus-send; do
        command -v "$tool" >/dev/null || { echo "SKIPPED: $tool not found"; exit 77; }
    done
    [ -f /usr/share/dbus-1/services/org.a11y.Bus.service ] || { echo "SKIPPED: at-spi2-core is not installed"; exit 77; }
    /usr/bin/python3 -c "import gi; gi.require_version('Atspi', '2.0')" 2>/dev/null ||
        { echo "SKIPPED: the accessibility client for Python (gir1.2-atspi-2.0, python3-gi) is not installed"; exit 77; }
    export HUXO_SCREEN_READER_INNER=1
    exec xvfb-run -a -s "-screen 0 1280x800x24" dbus-run-session -- "$0" "$@"
fi

dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
exec "$@"
