#!/usr/bin/env bash
# The desktop program under Xvfb: time from process start until the unit
# screen is visible (it opens on the first activation of the input screen,
# after the input screen is shown with its first sketch), and the resident
# memory after a selection with both result screens open.
# Usage: bench/desktop.sh [path to VyraSensorSelector] [runs]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
program="${1:-$here/../build/app/VyraSensorSelector}"
runs="${2:-15}"
# shellcheck source=../tests/e2e/desktop-session.sh
source "$here/../tests/e2e/desktop-session.sh"
export FONTCONFIG_FILE="${FONTCONFIG_FILE:-$here/../tests/fonts/fonts.conf}"
export QT_QPA_PLATFORM=xcb

trap stop_x_server EXIT
start_x_server

times=()
for _ in $(seq 1 "$runs"); do
    start=$(date +%s%N)
    "$program" >/dev/null 2>&1 &
    pid=$!
    wait_for_window "Settting units" 20 >/dev/null
    times+=($(( ($(date +%s%N) - start) / 1000 )))
    kill "$pid"
    wait "$pid" 2>/dev/null || true
done
printf '%s\n' "${times[@]}" | sort -n | awk '{ t[NR] = $1 } END {
    printf "start to unit screen over %d runs: median %.1f ms (min %.1f, max %.1f)\n",
        NR, (NR % 2 ? t[(NR + 1) / 2] : (t[NR / 2] + t[NR / 2 + 1]) / 2) / 1000, t[1] / 1000, t[NR] / 1000 }'

"$program" >/dev/null 2>&1 &
pid=$!
units=$(wait_for_window "Settting units")
xdotool windowfocus --sync "$units" key Return
input=$(wait_for_window "VyraSensorSelector")
xdotool windowfocus --sync "$input"
sleep 0.2
xdotool key Tab Tab Tab Tab Tab Tab Tab
for text in 10 100 10 20 80 20 20 0 1 100; do
    xdotool type --delay 5 "$text"
    xdotool key Tab
done
xdotool key Tab Tab space
wait_for_window "Selection result 1" >/dev/null
wait_for_window "Selection result 2" >/dev/null
sleep 0.5
grep -E 'VmRSS|VmHWM' "/proc/$pid/status" | awk '{ printf "after a selection with both result screens open: %s %.1f MiB\n", $1, $2 / 1024 }'
kill "$pid"
