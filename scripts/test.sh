#!/usr/bin/env bash
# Installs, builds and runs every test, with a CUPS queue as the default
# printer for the printing tests. The scheduler is stopped at the end only
# when this script started it: one already running (.ci/run starts one for
# the whole run) is left running.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
started=$(bash tests/print/start-printer.sh)
if [ "$started" = "started" ]; then
    trap 'bash tests/print/stop-printer.sh' EXIT
fi
ctest --test-dir build --output-on-failure -j "$(nproc)"
