#!/usr/bin/env bash
# Draws the README's pictures again from the built programs (run
# scripts/build.sh first): the input screen, both result screens and both
# report pages of the worked example, of the same case in newtons and of a
# huge tension, and the sketch. Look at every picture before committing it.
set -euo pipefail
cd "$(dirname "$0")/.."
export FONTCONFIG_FILE="$PWD/tests/fonts/fonts.conf"
select=build/cli/vyra-select
shots=build/docs/tools/screenshots
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fields=(tension=10 diameter=100 roller-weight=10 alpha=0 beta=0 gamma=0 position=0 height=0
        bearing-weight=1 speed=100)
customer=(--customer="Northern Paper" --order=A-17 --machine=PM3 --date="Dec 06,2026" --name=Ito)

# picture SUFFIX UNIT TENSION: report pages and result screens of the case.
picture() {
    local suffix=$1 unit=$2 tension=$3
    local words=("${fields[@]/#/--}")
    "$select" "${words[@]}" --unit="$unit" --tension="$tension" "${customer[@]}" --json \
        --report="$work/report.pdf" >/dev/null
    pdftoppm -r 80 -png "$work/report.pdf" "$work/page"
    mv "$work/page-1.png" "docs/report-page-1$suffix.png"
    mv "$work/page-2.png" "docs/report-page-2$suffix.png"
    "$shots" "$work" "$unit" "${fields[@]}" tension="$tension" 2>/dev/null
    mv "$work/result-1.png" "docs/result-screen-1$suffix.png"
    mv "$work/result-2.png" "docs/result-screen-2$suffix.png"
    if [ -z "$suffix" ]; then
        mv "$work/input.png" docs/input-screen.png
    fi
}

picture "" kgf 10
picture -newton N 98
picture -huge N 200000
"$select" "${fields[@]/#/--}" --json --sketch=docs/sketch.png >/dev/null
