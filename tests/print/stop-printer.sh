#!/usr/bin/env bash
# Puts back what start-printer.sh found: the default printer, no queue it made, no scheduler it
# started, stopped by its pid (checked to be cupsd still) so that one it found running stays up.
set -uo pipefail
state="${TMPDIR:-/tmp}/vyra-capture-printer.state"
sudo_if_needed=()
[ "$(id -u)" -eq 0 ] || sudo_if_needed=(sudo)
[ -f "$state" ] || exit 0
read -r _ previous made cupsd <"$state"
[ "$previous" = - ] || "${sudo_if_needed[@]}" lpadmin -d "$previous"
[ "$made" = 0 ] || "${sudo_if_needed[@]}" lpadmin -x vyra-capture
rm -f "$state"
ps -p "$cupsd" -o comm= 2>/dev/null | grep -qx cupsd || exit 0
"${sudo_if_needed[@]}" kill "$cupsd"
timeout 5 tail --pid="$cupsd" -f /dev/null || echo "stop-printer: cupsd $cupsd is still running" >&2
