#!/usr/bin/env bash
# Starts the CUPS scheduler for a test run (when it is not running yet) and
# sets up the raw queue "vyra-capture", whose backend keeps every job's PDF
# in /var/spool/vyra-capture, as the default printer.
# Prints "started" when it started the scheduler, so the caller stops it.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
sudo_if_needed=()
[ "$(id -u)" -eq 0 ] || sudo_if_needed=(sudo)

# lpstat -r exits 0 whether or not the scheduler runs; its words tell.
scheduler_running() { lpstat -r 2>/dev/null | grep -q "scheduler is running"; }

started=""
if ! scheduler_running; then
    "${sudo_if_needed[@]}" /usr/sbin/cupsd
    for _ in $(seq 1 50); do
        scheduler_running && break
        sleep 0.1
    done
    scheduler_running || { echo "start-printer: cupsd did not start" >&2; exit 1; }
    started="started"
fi

"${sudo_if_needed[@]}" install -m 0700 "$here/vyracapture" /usr/lib/cups/backend/vyracapture
"${sudo_if_needed[@]}" mkdir -p /var/spool/vyra-capture
# Raw queues are deprecated in CUPS 2.4 but still pass the document untouched.
"${sudo_if_needed[@]}" lpadmin -p vyra-capture -E -v vyracapture:/ -m raw 2>/dev/null
"${sudo_if_needed[@]}" lpadmin -d vyra-capture
lpstat -d | grep -q "vyra-capture" || { echo "start-printer: no default queue" >&2; exit 1; }
echo "$started"
