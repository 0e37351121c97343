#!/usr/bin/env bash
# Draws the README's pictures again from the built programs (run
# scripts/build.sh first): the input screen, both result screens and both
# report pages of the worked example, of the same case in newtons, of a
# huge tension and of a roller in US customary units, the sketch, the charts window and the charts page of an
# angled case with the two helpers of the Tools menu, the comparison window, and the matrix page
# of a line report, and the page (scripts/web.sh first). Look at every picture
# before committing it.
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

# picture SUFFIX UNIT FIELD=VALUE...: report pages and result screens of the
# case.
picture() {
    local suffix=$1 unit=$2
    shift 2
    local case=("$@")
    "$select" "${case[@]/#/--}" --unit="$unit" "${customer[@]}" --json --report="$work/report.pdf" >/dev/null
    pdftoppm -r 80 -png "$work/report.pdf" "$work/page"
    mv "$work/page-1.png" "docs/report-page-1$suffix.png"
    mv "$work/page-2.png" "docs/report-page-2$suffix.png"
    "$shots" "$work" "$unit" "${case[@]}" 2>/dev/null
    mv "$work/result-1.png" "docs/result-screen-1$suffix.png"
    mv "$work/result-2.png" "docs/result-screen-2$suffix.png"
    if [ -z "$suffix" ]; then
        mv "$work/input.png" docs/input-screen.png
    fi
    if [ "$suffix" = -lbf ]; then
        mv "$work/input.png" docs/input-screen-lbf.png
        mv "$work/unit.png" docs/unit-screen.png
        mv "$work/frmTension.png" docs/tension-helper-lbf.png
        mv "$work/frmRoller.png" docs/roller-helper-lbf.png
    fi
}

picture "" kgf "${fields[@]}"
picture -newton N "${fields[@]}" tension=98
picture -huge N "${fields[@]}" tension=200000
# 50 lbf on a 4 in roller of 30 lb at 500 ft/min.
picture -lbf lbf tension=50 diameter=4 roller-weight=30 alpha=20 beta=80 gamma=20 position=1 height=0.5 \
    bearing-weight=2 speed=500
"$select" "${fields[@]/#/--}" --json --sketch=docs/sketch.png >/dev/null

# The charts of an angled case, where bands and markers all show, with ranges.
angled=(tension=10 diameter=100 roller-weight=10 alpha=20 beta=80 gamma=20 position=20 height=0
        bearing-weight=1 speed=100)
"$shots" "$work" kgf "${angled[@]}" range:gamma=10:30 range:height=-20:20 range:speed=80:400 2>/dev/null
mv "$work/charts.png" docs/charts-window.png
mv "$work/frmRanges.png" docs/ranges-dialog.png
mv "$work/frmTension.png" docs/tension-helper.png
mv "$work/frmRoller.png" docs/roller-helper.png
"$select" "${angled[@]/#/--}" "${customer[@]}" --report="$work/charts.pdf" --charts --calibration-weight=5 >/dev/null
pdftoppm -r 80 -f 3 -l 3 -png "$work/charts.pdf" "$work/charts"
mv "$work/charts-3.png" docs/report-page-charts.png

# File > Compare…: a film roller on screen beside a lighter one of the
# other series and itself in lbf.
film=(tension=20 diameter=100 roller-weight=10 alpha=20 beta=80 gamma=20 position=20 height=40 bearing-weight=2
      speed=300)
"$shots" "$work" kgf "${film[@]}" compare:tests/cases/compare_lighter_safe.vyracase \
    compare:tests/cases/compare_base_lbf.vyracase 2>/dev/null
mv "$work/frmCompare.png" docs/compare-window.png

# A line of five rollers, one of them refused.
cat >"$work/line.csv" <<'CSV'
id,tension,diameter,roller-weight,alpha,beta,gamma,position,height,bearing-weight,speed,customer,order,machine,date
R1 unwind,10,100,10,20,80,20,20,0,1,100,Northern Paper,A-17,PM3,"Dec 06,2026"
R2 dancer,25,120,14,45,45,0,30,10,2,250,,,,
R3 coater,10,100,10,10,,,,,,,,,,
R4 dryer,60,150,30,90,90,0,0,0,3,400,,,,
R5 rewind,15,90,8,30,60,15,10,0,1,300,,,,
CSV
"$select" --batch "$work/line.csv" --line-report "$work/line.pdf" >/dev/null || true
pdftoppm -r 80 -f 2 -l 2 -png "$work/line.pdf" "$work/line"
mv "$work/line-2.png" docs/line-report-matrix.png

# The page, when scripts/web.sh has built it and npm ci in tests/web has
# installed the browser's driver.
if [ -f build/web/index.html ] && [ -d tests/web/node_modules ]; then
    node tests/web/page-test.mjs build/web "$select" --screenshot docs/web-page.png
fi
