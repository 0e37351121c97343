#!/usr/bin/env bash
# Starts the built program under a real X server as a user would, answers
# the unit screen and enters a case with the keyboard, presses "Select" and
# finds the two result windows by their captions.
set -euo pipefail
program="$1"
here="$(cd "$(dirname "$0")" && pwd)"
# shellcheck source=desktop-session.sh
source "$here/desktop-session.sh"

begin_session

cd "$workdir"
QT_QPA_PLATFORM=xcb "$program" >"$workdir/program.log" 2>&1 &
app_pid=$!

units=$(wait_for_window "Settting units" 20 "$app_pid") || { echo "the unit screen did not appear"; cat "$workdir/program.log"; exit 1; }
# "[Kgf]" holds the focus: Return presses it.
xdotool windowfocus --sync "$units" key Return

input=$(wait_for_window "VyraSensorSelector" 20 "$app_pid") || { echo "the input screen did not appear"; exit 1; }
xdotool windowfocus --sync "$input"
wait_until "the input screen holds the keyboard" 20 '[ "$(xdotool getwindowfocus)" = "'"$input"'" ]'
# The focus starts on the customer field; the option groups take one tab
# stop each (their selected option).
xdotool type --delay 5 "Northern Paper"
xdotool key Tab Tab Tab Tab Tab Tab Tab
for text in 10 100 10 20 80 20 20 0 1 100; do
    xdotool type --delay 5 "$text"
    xdotool key Tab
done
# From the line speed: "Two sensors", "Image chgange", then "Select".
xdotool key Tab Tab space

wait_for_window "Selection result 1" 20 "$app_pid" >/dev/null || { echo "Selection result 1 did not appear"; exit 1; }
wait_for_window "Selection result 2" 20 "$app_pid" >/dev/null || { echo "Selection result 2 did not appear"; exit 1; }
echo "both result windows are open"
