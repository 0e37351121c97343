#!/usr/bin/env bash
# The installed desktop program under a real X server, started from an empty
# folder as a desktop menu starts it: the unit screen, then "Explanation" and
# the first document, which must come from the installed documents folder
# (no "File Error" box).
set -euo pipefail
here="$(cd "$(dirname "$0")/../e2e" && pwd)"
# shellcheck source=../e2e/desktop-session.sh
source "$here/desktop-session.sh"

begin_session
export XDG_CONFIG_HOME="$workdir/config"
mkdir "$workdir/empty"
cd "$workdir/empty"
QT_QPA_PLATFORM=xcb /usr/bin/VyraSensorSelector >"$workdir/program.log" 2>&1 &
app_pid=$!

units=$(wait_for_window "Settting units" 20 "$app_pid") || { echo "the unit screen did not appear"; cat "$workdir/program.log"; exit 1; }
xdotool windowfocus --sync "$units" key Return
input=$(wait_for_window "VyraSensorSelector" 20 "$app_pid") || { echo "the input screen did not appear"; exit 1; }
focus "$input"
# From the customer field to "Explanation": the customer block, the option
# groups, the ten fields, "Two sensors", "Image chgange" and "Select".
xdotool key --delay 5 --repeat 20 --repeat-delay 5 Tab key space
menu=$(wait_for_window "Selecting explanations" 20 "$app_pid") || { echo "the explanation menu did not appear"; exit 1; }
xdotool windowfocus --sync "$menu" key Tab space
# A "File Error" box would come up before the viewer and hold it back.
wait_for_window "Explanations" 20 "$app_pid" >/dev/null || { echo "the document viewer did not appear"; exit 1; }
! xdotool search --onlyvisible --name "^File Error\$" >/dev/null 2>&1 \
    || { echo "the installed program did not find its documents"; exit 1; }
echo "the installed program opened its first explanation document from $(ls -d /usr/share/vyrasensorselector)"
