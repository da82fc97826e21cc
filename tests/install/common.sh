# shellcheck shell=bash
# Sourced by the install checks: a temporary folder removed on exit, and a failure that says what is wrong.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
