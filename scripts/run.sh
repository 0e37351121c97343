#!/usr/bin/env bash
# Installs, builds and starts the desktop program in build/app, beside its
# explanation documents. Without a display it says
# so, shows how to start it under Xvfb and evaluates the worked example of
# the first standard model with vyra-select instead.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    cat <<'TEXT'
There is no display to show VyraSensorSelector on. To start it under a
virtual X server (then look at it with a VNC viewer or a screenshot tool):

    cd build/app && xvfb-run -a -s "-screen 0 1280x1024x24" ./VyraSensorSelector

Meanwhile, the worked example of the first standard model with vyra-select:

TEXT
    exec ./build/cli/vyra-select --tension 10 --diameter 100 --roller-weight 10 \
        --alpha 0 --beta 0 --gamma 0 --position 0 --height 0 --bearing-weight 1 --speed 100
fi
# The explanation documents lie beside the program, where it looks for them.
cd build/app
exec ./VyraSensorSelector
