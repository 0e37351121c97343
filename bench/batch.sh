#!/usr/bin/env bash
# Measures vyra-select --batch as a whole process: the median of five runs
# (wall and CPU seconds) to a file in JSON Lines and in CSV for 10,000 and
# 100,000 rows, JSON's time against CSV's for the same rows, the peak memory
# of each run (it must not grow with the rows), and the line report of 1,000
# and 10,000 rollers (time, peak memory and size), unless "rows" is given.
# Usage: bench/batch.sh [path/to/vyra-select [rows]]
set -euo pipefail

repo_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
binary="${1:-$repo_root/build/cli/vyra-select}"
part="${2:-all}"
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

# Runs the command; prints wall seconds, peak resident megabytes, exit
# status and CPU seconds (user and system), which a busy machine inflates less.
measure() {
    python3 - "$@" <<'PY'
import resource, subprocess, sys, time
start = time.monotonic()
status = subprocess.run(sys.argv[1:], stdout=subprocess.DEVNULL).returncode
seconds = time.monotonic() - start
usage = resource.getrusage(resource.RUSAGE_CHILDREN)
print(f"{seconds:.3f} {usage.ru_maxrss / 1024:.1f} {status} {usage.ru_utime + usage.ru_stime:.3f}")
PY
}

median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

runs=5
for count in 10000 100000; do
    rows "$count" >"$workdir/rows.csv"
    declare -A wallOf=()
    for format in json csv; do
        walls="" cpus="" peakMax=0
        for _ in $(seq "$runs"); do
            read -r seconds peak status cpu < <(measure "$binary" --batch "$workdir/rows.csv" --format "$format" \
                --output "$workdir/out.$format")
            [[ "$status" == 0 ]] || { echo "batch.sh: exit status $status" >&2; exit 1; }
            walls+="$seconds"$'\n' cpus+="$cpu"$'\n'
            peakMax=$(awk -v a="$peak" -v b="$peakMax" 'BEGIN { print (a > b ? a : b) }')
        done
        wall=$(printf '%s' "$walls" | median)
        wallOf[$format]=$wall
        size=$(stat -c %s "$workdir/out.$format")
        awk -v n="$count" -v f="$format" -v s="$wall" -v c="$(printf '%s' "$cpus" | median)" -v p="$peakMax" \
            -v b="$size" -v r="$runs" 'BEGIN {
            printf "%7d rows %-4s median of %d: %.3f s (CPU %.3f s), %.0f rows/s, peak RSS %.1f MiB, output %.1f MB\n",
                n, f, r, s, c, n / s, p, b / 1e6 }'
    done
    awk -v n="$count" -v j="${wallOf[json]}" -v c="${wallOf[csv]}" 'BEGIN {
        printf "%7d rows JSON takes %.1f times as long as CSV\n", n, j / c }'
done

[[ "$part" == rows ]] && exit 0
for count in 1000 10000; do
    rows "$count" >"$workdir/line.csv"
    read -r seconds peak status _ < <(measure "$binary" --batch "$workdir/line.csv" --line-report "$workdir/line.pdf" \
        --output "$workdir/line.out")
    [[ "$status" == 0 ]] || { echo "batch.sh: exit status $status" >&2; exit 1; }
    size=$(stat -c %s "$workdir/line.pdf")
    awk -v n="$count" -v s="$seconds" -v p="$peak" -v b="$size" 'BEGIN {
        printf "line report, %5d rollers: %.2f s, peak RSS %.1f MiB, PDF %.1f MB\n", n, s, p, b / 1e6 }'
done
