#!/usr/bin/env bash
# Measures vyra-select --batch as a whole process: rows per second to a file
# in JSON Lines and in CSV for 10,000 and 100,000 rows, the peak memory of
# each run (it must not grow with the rows), and the line report of 1,000
# and 10,000 rollers (time, peak memory and size). Usage:
# bench/batch.sh [path/to/vyra-select]
set -euo pipefail

repo_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
binary="${1:-$repo_root/build/cli/vyra-select}"
command -v python3 >/dev/null || { echo "batch.sh: python3 is needed to read the peak memory" >&2; exit 2; }
[[ -x "$binary" ]] || { echo "batch.sh: no executable at $binary" >&2; exit 2; }

workdir="$(mktemp -d)"
trap 'rm -rf "$workdir"' EXIT

# Rollers that differ from row to row, all of them computed.
rows() {
    awk -v n="$1" 'BEGIN {
        print "id,tension,diameter,roller-weight,alpha,beta,gamma,position,height,bearing-weight,speed,unit,sensors"
        for (i = 1; i <= n; i++) {
            printf "R%d,%d,%d,10,20,80,20,20,0,1,%d,%s,%s\n", i, 5 + i % 40, 80 + i % 60, 50 + i % 300,
                (i % 2 ? "kgf" : "N"), (i % 3 ? "two" : "one")
        }
    }'
}

# Runs the command; prints wall seconds and peak resident megabytes.
measure() {
    python3 - "$@" <<'PY'
import resource, subprocess, sys, time
start = time.monotonic()
status = subprocess.run(sys.argv[1:], stdout=subprocess.DEVNULL).returncode
seconds = time.monotonic() - start
peak = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss / 1024
print(f"{seconds:.3f} {peak:.1f} {status}")
PY
}

for count in 10000 100000; do
    rows "$count" >"$workdir/rows.csv"
    for format in json csv; do
        best=""
        for _ in 1 2 3; do
            read -r seconds peak status < <(measure "$binary" --batch "$workdir/rows.csv" --format "$format" \
                --output "$workdir/out.$format")
            [[ "$status" == 0 ]] || { echo "batch.sh: exit status $status" >&2; exit 1; }
            if [[ -z "$best" ]] || awk -v a="$seconds" -v b="$best" 'BEGIN { exit !(a < b) }'; then
                best="$seconds"
                bestPeak="$peak"
            fi
        done
        size=$(stat -c %s "$workdir/out.$format")
        awk -v n="$count" -v f="$format" -v s="$best" -v p="$bestPeak" -v b="$size" 'BEGIN {
            printf "%7d rows %-4s best of 3: %.3f s, %.0f rows/s, peak RSS %.1f MiB, output %.1f MB\n",
                n, f, s, n / s, p, b / 1e6 }'
    done
done

for count in 1000 10000; do
    rows "$count" >"$workdir/line.csv"
    read -r seconds peak status < <(measure "$binary" --batch "$workdir/line.csv" --line-report "$workdir/line.pdf" \
        --output "$workdir/line.out")
    [[ "$status" == 0 ]] || { echo "batch.sh: exit status $status" >&2; exit 1; }
    size=$(stat -c %s "$workdir/line.pdf")
    awk -v n="$count" -v s="$seconds" -v p="$peak" -v b="$size" 'BEGIN {
        printf "line report, %5d rollers: %.2f s, peak RSS %.1f MiB, PDF %.1f MB\n", n, s, p, b / 1e6 }'
done
