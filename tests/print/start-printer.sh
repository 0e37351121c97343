#!/usr/bin/env bash
# Sets up the raw queue "vyra-capture", whose backend keeps every job's PDF in /var/spool/vyra-capture,
# as the default printer, starting the CUPS scheduler when it is not running. Prints "started" when it
# did, for the caller to run stop-printer.sh at its exit; a call while that caller lives does nothing.
set -euo pipefail
state="${TMPDIR:-/tmp}/vyra-capture-printer.state"
sudo_if_needed=()
[ "$(id -u)" -eq 0 ] || sudo_if_needed=(sudo)

# lpstat -r exits 0 whether or not the scheduler runs; its words tell.
scheduler_running() { lpstat -r 2>/dev/null | grep -q "scheduler is running"; }
export -f scheduler_running

# Read, not sourced, as anyone may write in /tmp; a dead caller's state is taken over. "-" is none.
owner="" previous="" made=0 cupsd=-
[ ! -f "$state" ] || read -r owner previous made cupsd <"$state"
if [ -n "$owner" ] && ps -p "$owner" >/dev/null; then exit 0; fi

if ! scheduler_running; then
    # -f so that $! is the scheduler; its own session keeps a Ctrl-C off it until the exit trap.
    cupsd=$("${sudo_if_needed[@]}" sh -c 'setsid /usr/sbin/cupsd -f </dev/null >/dev/null 2>&1 & echo $!')
    timeout 5 bash -c 'until scheduler_running; do sleep 0.1; done' \
        || { echo "start-printer: cupsd did not start" >&2; exit 1; }
fi
[ -n "$owner" ] || previous=$(lpstat -d | sed -n 's/^system default destination: //p')

"${sudo_if_needed[@]}" install -m 0700 "$(dirname "$0")/vyracapture" /usr/lib/cups/backend/vyracapture
"${sudo_if_needed[@]}" mkdir -p /var/spool/vyra-capture
# Raw queues are deprecated in CUPS 2.4 but still pass the document untouched.
lpstat -p vyra-capture >/dev/null 2>&1 \
    || { "${sudo_if_needed[@]}" lpadmin -p vyra-capture -E -v vyracapture:/ -m raw 2>/dev/null; made=1; }
echo "$PPID ${previous:--} $made $cupsd" >"$state"
"${sudo_if_needed[@]}" lpadmin -d vyra-capture
lpstat -d | grep -q "vyra-capture" || { echo "start-printer: no default queue" >&2; exit 1; }
echo "started"
