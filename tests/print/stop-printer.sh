#!/usr/bin/env bash
# Undoes what start-printer.sh changed: the previous default printer back
# (or, when there was none, the capture queue it made removed) and the
# scheduler it started stopped, by its process id.
set -uo pipefail
state="${TMPDIR:-/tmp}/vyra-capture-printer.state"
sudo_if_needed=()
[ "$(id -u)" -eq 0 ] || sudo_if_needed=(sudo)
[ -f "$state" ] || exit 0
value() { sed -n "s/^$1=//p" "$state"; }
scheduler=$(value scheduler)
previous=$(value previous)
made=$(value made)
rm -f "$state"

if [ -n "$previous" ] && [ "$previous" != vyra-capture ]; then
    "${sudo_if_needed[@]}" lpadmin -d "$previous"
elif [ -z "$previous" ] && [ "$made" = yes ]; then
    "${sudo_if_needed[@]}" lpadmin -x vyra-capture
fi
[ -n "$scheduler" ] || exit 0
"${sudo_if_needed[@]}" kill "$scheduler" 2>/dev/null
for _ in $(seq 1 50); do
    kill -0 "$scheduler" 2>/dev/null || exit 0
    sleep 0.1
done
echo "stop-printer: cupsd ($scheduler) is still running" >&2
