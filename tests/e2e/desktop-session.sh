# shellcheck shell=bash
# Helpers for driving the desktop program under a real X server: sourced by
# the end-to-end tests, the installed-package check and the desktop benchmark.

# Skips the run (status 77) unless the named tools are there; then makes the
# scratch folder $workdir, starts the X server and, on exit, stops the
# program $app_pid (when set), the server and removes the folder.
begin_session() {
    local tool
    for tool in Xvfb xdotool xdpyinfo "$@"; do
        command -v "$tool" >/dev/null || { echo "$tool is not installed"; exit 77; }
    done
    workdir=$(mktemp -d)
    app_pid=""
    trap end_session EXIT
    start_x_server
}

end_session() {
    [ -z "$app_pid" ] || kill "$app_pid" 2>/dev/null || true
    stop_x_server
    rm -rf "$workdir"
}

# Starts Xvfb on a display it finds free itself (so that runs side by side
# never share one) and exports DISPLAY once the server answers; -noreset,
# or the server would restart when that first client leaves.
start_x_server() {
    local numberFile started=0
    numberFile=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$numberFile" >/dev/null 2>&1 &
    X_SERVER_PID=$!
    wait_until "Xvfb answers" 10 \
        '[ -s "$numberFile" ] && export DISPLAY=":$(head -n 1 "$numberFile")" && xdpyinfo >/dev/null 2>&1' || started=1
    rm -f "$numberFile"
    return "$started"
}

stop_x_server() {
    [ -z "${X_SERVER_PID:-}" ] || kill "$X_SERVER_PID" 2>/dev/null || true
    wait "$X_SERVER_PID" 2>/dev/null || true
}

# Waits up to $2 seconds for the command $3 to succeed; $1 says what for.
wait_until() {
    local what="$1" deadline=$((SECONDS + $2))
    until eval "$3"; do
        [ "$SECONDS" -lt "$deadline" ] || { echo "timed out waiting until $what" >&2; return 1; }
        sleep 0.01
    done
}

# Gives the window $1 the focus and waits until it holds the keyboard.
focus() {
    xdotool windowfocus --sync "$1"
    wait_until "the window holds the keyboard" 20 '[ "$(xdotool getwindowfocus)" = "'"$1"'" ]'
}

# Prints the id of the visible window whose title is exactly $1, waiting up
# to $2 seconds (default 20); fails when there is none by then, or at once
# when the process $3 (if given) has ended.
wait_for_window() {
    local title="$1" watched="${3:-}" id deadline=$((SECONDS + ${2:-20}))
    while [ "$SECONDS" -lt "$deadline" ]; do
        id=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n 1 || true)
        [ -z "$id" ] || { echo "$id"; return 0; }
        [ -z "$watched" ] || kill -0 "$watched" 2>/dev/null || { echo "the program ended while waiting for \"$title\"" >&2; return 1; }
        sleep 0.01
    done
    return 1
}
