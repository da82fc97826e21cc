#!/usr/bin/env bash
# Fails when shellcheck warns about a shell script of the repository, naming each place: every tracked *.sh file
# (the sourced ones name their shell on a "# shellcheck shell=" line) and every file whose first line starts sh or
# bash. Warnings and errors fail, among them a declaration that hides the failure of its command substitution
# (SC2155); notes and style hints do not. .shellcheckrc says where sourced files are found.
set -euo pipefail
cd "$(dirname "$0")/.."

starts_shell() { [ -f "$1" ] && head -n 1 -- "$1" | grep -Eq '^#!.*[/ ](ba|da)?sh([[:space:]]|$)'; }
scripts=()
while IFS= read -r -d '' file; do
    if [[ $file == *.sh ]] || starts_shell "$file"; then
        scripts+=("$file")
    fi
done < <(git ls-files -z)

if ! shellcheck --external-sources --severity=warning "${scripts[@]}"; then
    echo "check-shell: shellcheck warns about the places above." >&2
    exit 1
fi
echo "check-shell: ${#scripts[@]} shell scripts without a warning from shellcheck."
