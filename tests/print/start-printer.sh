#!/usr/bin/env bash
# Sets up the raw queue "vyra-capture", whose backend keeps every job's PDF
# in /var/spool/vyra-capture, as the default printer, starting the CUPS
# scheduler when it is not running. What it changed (the default printer
# before, whether it made the queue, the scheduler it started) is kept in a
# state file for stop-printer.sh to undo, and "started" is printed: the
# caller then runs stop-printer.sh when done. A setup already owned by a
# running caller (.ci/run's, while scripts/test.sh runs) is left to it and
# nothing is printed.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
state="${TMPDIR:-/tmp}/vyra-capture-printer.state"
sudo_if_needed=()
[ "$(id -u)" -eq 0 ] || sudo_if_needed=(sudo)

if [ -f "$state" ]; then
    owner=$(sed -n 's/^owner=//p' "$state")
    if [ -n "$owner" ] && kill -0 "$owner" 2>/dev/null; then
        exit 0
    fi
fi

# lpstat -r exits 0 whether or not the scheduler runs; its words tell.
scheduler_running() { lpstat -r 2>/dev/null | grep -q "scheduler is running"; }

scheduler=""
if ! scheduler_running; then
    # In the foreground of its own session, so that its process id is known
    # and the run stops this scheduler alone.
    "${sudo_if_needed[@]}" setsid /usr/sbin/cupsd -f </dev/null >/dev/null 2>&1 &
    scheduler=$!
    for _ in $(seq 1 50); do
        scheduler_running && break
        sleep 0.1
    done
    scheduler_running || { echo "start-printer: cupsd did not start" >&2; exit 1; }
fi
previous=$(lpstat -d 2>/dev/null | sed -n 's/^system default destination: //p')
made=yes
lpstat -v vyra-capture >/dev/null 2>&1 && made=no
printf 'owner=%s\nscheduler=%s\nprevious=%s\nmade=%s\n' "$PPID" "$scheduler" "$previous" "$made" >"$state"

"${sudo_if_needed[@]}" install -m 0700 "$here/vyracapture" /usr/lib/cups/backend/vyracapture
"${sudo_if_needed[@]}" mkdir -p /var/spool/vyra-capture
# Raw queues are deprecated in CUPS 2.4 but still pass the document untouched.
"${sudo_if_needed[@]}" lpadmin -p vyra-capture -E -v vyracapture:/ -m raw 2>/dev/null
"${sudo_if_needed[@]}" lpadmin -d vyra-capture
lpstat -d | grep -q "vyra-capture" || { echo "start-printer: no default queue" >&2; exit 1; }
echo "started"
