#!/usr/bin/env bash
# The built program under a real X server, given a case file as a file
# manager does (no unit screen): "Select" from the keyboard, File > Export
# Report as PDF on the paper it proposes; the PDF must say what vyra-select's
# report with charts of the same case file says, word for word.
set -euo pipefail
program="$1" selector="$2"
here="$(cd "$(dirname "$0")" && pwd)"
# shellcheck source=desktop-session.sh
source "$here/desktop-session.sh"

begin_session pdftotext
# Recent files and the last folder of this run stay in the scratch folder.
export XDG_CONFIG_HOME="$workdir/config"

cd "$workdir"
"$selector" --unit=N --tension=98 --diameter=100 --roller-weight=10 --alpha=20 --beta=80 --gamma=20 \
    --position=20 --height=0 --bearing-weight=1 --speed=100 --customer="Northern Paper" \
    --save-case="$workdir/line3.vyracase" >/dev/null
"$selector" --case "$workdir/line3.vyracase" --report="$workdir/computed.pdf" --charts >/dev/null

QT_QPA_PLATFORM=xcb "$program" "$workdir/line3.vyracase" >"$workdir/program.log" 2>&1 &
app_pid=$!

input=$(wait_for_window "line3.vyracase – VyraSensorSelector" 20 "$app_pid") \
    || { echo "the case did not open"; cat "$workdir/program.log"; exit 1; }
focus "$input"
# From the customer field to "Select": the customer block, the two option
# groups, the ten fields, "Two sensors" and "Image chgange".
xdotool key --delay 5 --repeat 19 --repeat-delay 5 Tab key space
wait_for_window "Selection result 1" 20 "$app_pid" >/dev/null || { echo "Selection result 1 did not appear"; exit 1; }

focus "$input"
xdotool key --delay 50 alt+f e
xdotool windowfocus --sync "$(wait_for_window "Export Report" 20 "$app_pid")" key Return
dialog=$(wait_for_window "Export Report as PDF" 20 "$app_pid") || { echo "the export dialog did not appear"; exit 1; }
xdotool windowfocus --sync "$dialog" key ctrl+a && xdotool type --delay 5 "$workdir/exported.pdf" && xdotool key Return
wait_until "the report is exported" 20 '[ -s "$workdir/exported.pdf" ]'

diff <(pdftotext -raw "$workdir/computed.pdf" -) <(pdftotext -raw "$workdir/exported.pdf" -) \
    || { echo "the exported report differs from vyra-select's"; exit 1; }
