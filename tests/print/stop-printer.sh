#!/usr/bin/env bash
# Stops the CUPS scheduler that start-printer.sh started.
set -uo pipefail
sudo_if_needed=()
[ "$(id -u)" -eq 0 ] || sudo_if_needed=(sudo)
"${sudo_if_needed[@]}" pkill -x cupsd
for _ in $(seq 1 50); do
    pgrep -x cupsd >/dev/null || exit 0
    sleep 0.1
done
echo "stop-printer: cupsd is still running" >&2
