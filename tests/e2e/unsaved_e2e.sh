#!/usr/bin/env bash
# Under a real X server, entries typed in a run without case files survive
# Ctrl+N answered with Escape (Cancel) and are gone after Ctrl+N answered
# with Alt+D (Discard); what the screen held is read back by Save (Ctrl+S).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
# shellcheck source=desktop-session.sh
source "$here/desktop-session.sh"
begin_session
export XDG_CONFIG_HOME="$workdir/config"
QT_QPA_PLATFORM=xcb "$1" >"$workdir/program.log" 2>&1 &
app_pid=$!

# The question box: the window titled as the program that is not the input screen.
box() { xdotool search --onlyvisible --name "^VyraSensorSelector\$" 2>/dev/null | grep -vx "$input" | head -n 1; }
# Ctrl+N answered with the key $1, then Ctrl+S into the file $2: the customer the file holds.
new_then_save() {
    focus "$input" && xdotool key ctrl+n
    wait_until "the question is asked" 20 '[ -n "$(box)" ]'
    xdotool key "$1"
    wait_until "the question is answered" 20 '[ -z "$(box)" ]'
    focus "$input" && xdotool key ctrl+s
    focus "$(wait_for_window "Save Case As" 20 "$app_pid")"
    xdotool key ctrl+a && xdotool type --delay 5 "$workdir/$2" && xdotool key Return
    wait_until "the case is saved" 20 '[ -s "$workdir/$2" ]'
    grep -o '"customer": *"[^"]*"' "$workdir/$2"
}

focus "$(wait_for_window "Settting units" 20 "$app_pid")" && xdotool key Return
input=$(wait_for_window "VyraSensorSelector" 20 "$app_pid")
focus "$input" && xdotool type --delay 5 "Acme"
[ "$(new_then_save Escape kept.vyracase)" = '"customer": "Acme"' ] || { echo "Cancel lost the entries"; exit 1; }
focus "$input" && xdotool type --delay 5 "X"
[ "$(new_then_save alt+d new.vyracase)" = '"customer": ""' ] || { echo "Discard kept the entries"; exit 1; }
