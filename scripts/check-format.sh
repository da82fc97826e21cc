#!/bin/sh
# Fails when a C++ file of the repository differs from what .clang-format makes of it, naming each place.
# With --fix, formats those files in place instead.
set -eu
cd "$(dirname "$0")/.."

files=$(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = "--fix" ]; then
    # shellcheck disable=SC2086 # one word per file; no tracked file name has blanks
    clang-format -i $files
    exit 0
fi
# shellcheck disable=SC2086
if ! clang-format --dry-run -Werror $files; then
    echo "check-format: the files above are not formatted; 'make format' formats them." >&2
    exit 1
fi
echo "check-format: $(echo "$files" | wc -l) files formatted as .clang-format says."
