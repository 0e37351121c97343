#!/usr/bin/env bash
# A typed case is not thrown away unasked: under a real X server, entries
# typed in a run that never used a case file survive Ctrl+N answered with
# Escape (Cancel), and are gone after Ctrl+N answered with Alt+D (Discard).
# What the screen held is read back through Save (Ctrl+S).
set -euo pipefail
program="$1"
here="$(cd "$(dirname "$0")" && pwd)"
# shellcheck source=desktop-session.sh
source "$here/desktop-session.sh"

begin_session
export XDG_CONFIG_HOME="$workdir/config"
QT_QPA_PLATFORM=xcb "$program" >"$workdir/program.log" 2>&1 &
app_pid=$!

focus() {
    xdotool windowfocus --sync "$1"
    wait_until "the window holds the keyboard" 20 '[ "$(xdotool getwindowfocus)" = "'"$1"'" ]'
}
titled() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | wc -l; }
# Saves through Ctrl+S into the file $2 from the window $1 and prints the
# customer the file holds.
save_as() {
    focus "$1"
    xdotool key ctrl+s
    focus "$(wait_for_window "Save Case As" 20 "$app_pid")"
    xdotool key ctrl+a && xdotool type --delay 5 "$workdir/$2" && xdotool key Return
    wait_until "the case is saved" 20 '[ -s "$workdir/$2" ]'
    grep -o '"customer": *"[^"]*"' "$workdir/$2"
}

focus "$(wait_for_window "Settting units" 20 "$app_pid")"
xdotool key Return
input=$(wait_for_window "VyraSensorSelector" 20 "$app_pid")
focus "$input"
xdotool type --delay 5 "Acme"
xdotool key ctrl+n
wait_until "the question is asked" 20 '[ "$(titled VyraSensorSelector)" = 2 ]'
xdotool key Escape
wait_until "the question is answered" 20 '[ "$(titled VyraSensorSelector)" = 1 ]'
[ "$(save_as "$input" kept.vyracase)" = '"customer": "Acme"' ] || { echo "Cancel lost the entries"; exit 1; }

focus "$input"
xdotool type --delay 5 "X"
xdotool key ctrl+n
focus "$(wait_for_window "VyraSensorSelector" 20 "$app_pid")"
xdotool key alt+d
wait_for_window "VyraSensorSelector" 20 "$app_pid" >/dev/null
[ "$(save_as "$input" new.vyracase)" = '"customer": ""' ] || { echo "Discard kept the entries"; exit 1; }
grep -q '"customer": *"Acme"' "$workdir/kept.vyracase" || { echo "the saved case changed"; exit 1; }
