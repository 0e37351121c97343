#!/usr/bin/env bash
# Installs, builds and runs every test, with a CUPS queue as the default
# printer for the printing tests, then builds the page and checks it
# against the native engine and in chromium. At the end the printing is put
# back as this script found it (the default printer, the queue; a scheduler
# stopped only when started here), unless a caller set the printer up for a
# longer run, as .ci/run does.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
started=$(bash tests/print/start-printer.sh)
if [ "$started" = "started" ]; then
    trap 'bash tests/print/stop-printer.sh' EXIT
fi
ctest --test-dir build --output-on-failure -j "$(nproc)"

echo "== the page: the WebAssembly engine against the native one, the page in chromium"
bash scripts/install-deps.sh chromium
command -v npm >/dev/null || bash scripts/install-deps.sh npm
bash scripts/web.sh
(cd tests/web && npm ci --no-audit --no-fund)
# Run directly rather than through CTest, which would count a skip as a pass.
node tests/web/compare-engines.mjs build/tests/web/engine-dump build/web-build/tests/web/engine-dump.js tests/cases
node tests/web/page-test.mjs build/web build/cli/vyra-select
