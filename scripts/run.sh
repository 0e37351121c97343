#!/usr/bin/env bash
# Installs, builds and runs the selector on the worked example of the first
# standard model (10 kgf, 100 mm roller of 10 kg, 1 kg bearings, 100 m/min).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
./build/cli/vyra-select --tension 10 --diameter 100 --roller-weight 10 \
    --alpha 0 --beta 0 --gamma 0 --position 0 --height 0 --bearing-weight 1 --speed 100 "$@"
