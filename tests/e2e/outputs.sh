#!/usr/bin/env bash
# vyra-select (S) and the desktop program (A) as processes: "outputs.sh NAME"
# runs the case NAME here; "--record GROUP" runs each case of a group in a
# fresh folder and prints its output and exit status, the folder as {dir},
# the version V as {version}. C is the case tables' folder.
case=(--tension=10 --diameter=100 --roller-weight=10 --alpha=0 --beta=0 --gamma=0 --position=0 --height=0
    --bearing-weight=1 --speed=100 "--customer=Northern Paper" --order=A-17 --machine=PM3 "--date=Dec 06,2026"
    --name=Ito)
sel() { "$S" "${case[@]}" "$@"; }
# A command's exit status after what it printed; q drops its standard output.
s() { "$@"; echo "status $?"; }
q() { "$@" >/dev/null; echo "status $?"; }
here="$(cd "$(dirname "$0")" && pwd)"
# A PDF's facts in words of our own, not the tools' layout: pages, page size
# in whole points, title, creator, and each font with whether it is embedded.
facts() {
    pdfinfo "$1" | awk -F ': *' '$1 == "Pages" || $1 == "Title" || $1 == "Creator" { name = tolower($1); sub(/^[A-Za-z]+: */, ""); print name " " $0 }
        $1 == "Page size" { split($2, s, " "); printf "page size %.0f x %.0f pt\n", s[1], s[3] }'
    pdffonts "$1" | awk 'NR > 2 { sub(/^[A-Z]{6}\+/, "", $1); print "font " $1 ($(NF - 4) == "yes" ? " embedded" : " not embedded") }' | sort
}
# The text in the order it was drawn, one line: what a row or a block says,
# however the tool breaks it into lines.
words() { pdftotext -raw "$@" - | tr -s ' \n' '  '; }

if [ "$1" = --record ]; then
    names=(report "text tables" charts "line report" comparison "unwritable targets" "statuses and versions"
        "standard streams" "no print server" "silent print server" "no display")
    [ "$2" = queue ] && names=("both pages printed")
    for name in "${names[@]}"; do
        dir=$(mktemp -d)
        echo "# $name"
        (cd "$dir" && bash "$here/outputs.sh" "$name" 2>&1; echo "-- exit $?") | sed "s|$dir|{dir}|g; s|${V//./\\.}|{version}|g"
        echo
        rm -rf "$dir"
    done
    exit 0
fi

case "$1" in
# Two A4 pages in embedded Liberation Mono, replacing an older file whole;
# letter paper; a refused case writes nothing.
report)
    echo old >report.pdf
    q sel --report report.pdf
    ls
    facts report.pdf
    test "$(stat -c %s report.pdf)" -lt 153600 && echo "under 150 KiB"
    words report.pdf | grep -oE 'Northern Paper|A-17|PM3|Dec 06,2026|Ito'
    python3 "$here/report_rows_check.py" <(pdftotext -raw report.pdf -) <(sel --json)
    q sel --json --paper letter --report=report.pdf
    facts report.pdf | grep 'page size'
    s sel --alpha=10 --report refused.pdf
    ls
    ;;
# The text tables' rows show the JSON figures, in kgf and in N.
"text tables")
    python3 "$here/report_rows_check.py" <(sel) <(sel --json)
    newton=(--unit=N --tension=98 --position=-32.5)
    python3 "$here/report_rows_check.py" <(sel "${newton[@]}") <(sel "${newton[@]}" --json)
    ;;
# --charts adds a third page, and with ranges their parts continued on a
# fourth; --calculation the record's pages after it; --chart draws one chart
# as PNG.
charts)
    q sel --report charts.pdf --charts
    facts charts.pdf | grep pages
    pdftotext -f 3 charts.pdf - | grep chart
    q sel --report ranges.pdf --charts --speed=800 --range=gamma=0:20 --range=height=-20:30 --range=speed=50:900 --range=position=-10:10
    facts ranges.pdf | grep pages
    words -f 3 ranges.pdf | grep -oE 'Over the ranges|Sensitivity|What would make|page [34] of 4'
    q sel --report record.pdf --charts --calculation
    facts record.pdf | grep pages
    words -f 4 -l 4 record.pdf | grep -oE 'Calculation record|Catalogue revision|page 4 of [0-9]+'
    for kind in speed gamma; do
        sel --chart $kind $kind.png >/dev/null
        echo "$kind status $?, $(head -c 4 $kind.png | tail -c 3)"
    done
    ;;
# The matrix of a line report says what the CSV rows say; a page pair per
# computed roller follows.
"line report")
    "$S" --batch "$C/cli_line_report.csv" --line-report line.pdf "--date=Dec 06,2026" | tee rows.csv
    echo "status ${PIPESTATUS[0]}"
    facts line.pdf | grep pages
    words -l 2 line.pdf | grep -oE 'Northern Paper|Rollers: 3|computed: 2|refused: 1'
    # A matrix row: its series, the CSV's marks ("none" shown as "-") and its
    # report pages; a refused one its title.
    tr -d '\r' <rows.csv | awk -F , 'NR > 1 { row = $1 " " $2 " (Std|Safe)"; for (m = 6; m <= 14 && $3 == "ok"; ++m) row = row " " ($m == "none" ? "-" : $m)
        if ($3 == "ok") row = row " [0-9]+-[0-9]+"; else { split($4, title, ":"); row = row " " title[1] ":" }; print row }' |
        while read -r row; do words -l 2 line.pdf | grep -qE " $row " && echo "matrix row as the CSV: $row"; done
    # --calculation: each computed roller's record after its page pair.
    "$S" --batch "$C/cli_line_report.csv" --line-report record.pdf --calculation >/dev/null
    facts record.pdf | grep pages
    words -l 2 record.pdf | grep -oE ' [0-9]+-[0-9]+ '
    ;;
# --compare --report: one page on A4 or Letter whose rows are the text
# table's without its brackets; a refused case keeps its column (status 1);
# a folder as the target fails with status 3.
comparison)
    cases=("$C/compare_base.vyracase" "$C/compare_base_lbf.vyracase" "$C/compare_lighter_safe.vyracase")
    q "$S" --compare "${cases[@]}" --report cmp.pdf
    facts cmp.pdf | grep -E 'pages|page size|title'
    words cmp.pdf >cmp.txt
    "$S" --compare "${cases[@]}" | sed -n '3,/^\*/p' | grep -v '^\*' | tr -d '[]' | tr -s ' ' |
        while read -r row; do grep -qF " $row " cmp.txt || echo "not in the PDF: $row"; done
    grep -oE 'page 1 of 1' cmp.txt
    q "$S" --compare "${cases[0]}" "$C/compare_refused.vyracase" --report refused.pdf --paper letter
    facts refused.pdf | grep -E 'pages|page size'
    words refused.pdf | grep -oE 'Case 2 \(compare_refused.vyracase\) refused: [^.]*'
    q "$S" --compare "${cases[@]}" --report "$PWD"
    ;;
# Only a regular file is ever replaced: a pipe or a folder as the target
# fails with status 3 and stays, the line report's before any row is
# evaluated; one that fails while it is written stays as it was.
"unwritable targets")
    mkfifo fifo.pdf
    q timeout 60 "$S" "${case[@]}" --report "$PWD/fifo.pdf"
    q sel --sketch "$PWD"
    s timeout 60 "$S" --batch "$C/cli_line_report.csv" --line-report "$PWD/fifo.pdf"
    echo old >line.pdf
    (ulimit -f 4 && "$S" --batch "$C/cli_line_report.csv" --line-report line.pdf >/dev/null)
    echo "status $?"
    cat line.pdf
    ls -F
    ;;
"statuses and versions")
    s "$S" --unit=kN
    s env -u DISPLAY -u WAYLAND_DISPLAY "$A" --version
    ;;
# Standard output that cannot be written fails with its cause; standard input
# non-blocking or splitting the byte-order mark is read as it comes; an id's
# control character is escaped; --output holds what standard output would,
# a failing batch's too.
"standard streams")
    sel --json >&-
    echo "closed: status $?"
    mknod full c 1 7
    sel --json >full
    echo "full: status $?"
    sel --batch - <<<$'id,tension\nR1,5' >full
    echo "full batch: status $?"
    nonblocking='import fcntl, os, sys; fcntl.fcntl(0, fcntl.F_SETFL, os.O_NONBLOCK); os.execv(sys.argv[1], sys.argv[1:])'
    (sleep 0.3; printf 'id,tension\nR1,5\n') | python3 -c "$nonblocking" "$S" "${case[@]}" --batch -
    echo "non-blocking: status $?"
    (printf '\xef'; sleep 0.2; printf '\xbb\xbfid,tension\nR1,5\n') | sel --batch -
    echo "split mark: status $?"
    printf 'id,tension\nR\0\x1b1,5\n' | sel --batch -
    echo "control characters: status $?"
    mkdir folder
    mkfifo endless
    exec 3<>endless
    timeout 10 "$S" --batch - --output folder <endless
    echo "output a folder, input never ending: status $?"
    exec 3>&-
    "$S" --batch "$C/cli_batch_formula.csv" >expected.csv
    for rows in formula short_row; do
        q "$S" --batch "$C/cli_batch_$rows.csv" --output out.csv 2>/dev/null
        cmp -s out.csv expected.csv && echo "out.csv holds what standard output would"
    done
    ;;
# Drawn offscreen whatever platform the environment names; the report names
# a helper's record only while its field is the helper's.
"no display")
    export QT_QPA_PLATFORM=xcb && unset DISPLAY WAYLAND_DISPLAY
    for given in --date= --tension=20 --roller-weight=12; do
        q "$S" --case "$C/cli_helper_records.vyracase" "$given" --report r.pdf --sketch s.png
        words r.pdf | grep -oE 'Tension from: [^,]*|Roller: [a-z]* tube'
    done
    ;;
# No print server, or a silent one: the trouble message and status 3, the
# figures written first; the ceiling, far above the program's, guards the suite.
"no print server" | "silent print server")
    server=/nonexistent/cups.sock
    if [ "$1" = "silent print server" ]; then
        # The kernel completes the handshake; nothing reads.
        coproc python3 -c 'import socket, sys
s = socket.create_server(("127.0.0.1", 0)); print(s.getsockname()[1], flush=True); sys.stdin.read()'
        read -r port <&"${COPROC[0]}"
        server=127.0.0.1:$port
    fi
    CUPS_SERVER=$server timeout 60 "$S" "${case[@]}" --json --print=yes >out.json
    echo "status $?"
    grep -o '"status":"ok"' out.json
    ;;
# The "vyra-capture" queue, default printer for the test run, keeps each
# job's PDF in its spool folder.
"both pages printed")
    spool=/var/spool/vyra-capture
    touch printing
    q sel --print
    for _ in $(seq 600); do
        job=$(find $spool -name '*.pdf' -newer printing | head -1)
        [ -n "$job" ] && break
        sleep 0.1
    done
    facts "$job" | grep pages
    words "$job" | grep -oE 'Northern Paper|<Selection results 2>'
    s pdftoppm -r 30 -png "$job" page
    ls page*
    ;;
*)
    echo "outputs.sh: no case $1" >&2
    exit 2
    ;;
esac
