#!/usr/bin/env bash
# Fails when shellcheck finds a warning in a shell script, or ESLint a fault
# in the page's script or its tests (with the ESLint that tests/web pins);
# prints what each found.
set -euo pipefail
cd "$(dirname "$0")/.."
status=0
command -v shellcheck >/dev/null || bash scripts/install-deps.sh
mapfile -t scripts < <(git ls-files '*.sh' .ci/run tests/print/vyracapture)
# Warnings and errors only: the notes below them (single quotes kept for eval, an echo that
# joins words) are here what the author meant.
shellcheck --severity=warning "${scripts[@]}" || status=1

if [ ! -x tests/web/node_modules/.bin/eslint ]; then
    command -v npm >/dev/null || bash scripts/install-deps.sh npm
    (cd tests/web && npm ci --no-audit --no-fund)
fi
mapfile -t javascript < <(git ls-files '*.js' '*.mjs')
tests/web/node_modules/.bin/eslint --max-warnings 0 "${javascript[@]}" || status=1

[ "$status" -ne 0 ] || echo "the shell scripts and the JavaScript are lint-free"
exit "$status"
