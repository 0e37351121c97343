#!/usr/bin/env bash
# Measures vyra-select --json as a whole process: start-up, one selection,
# the JSON document and exit. Usage: bench/cli_process.sh [path/to/vyra-select]
set -euo pipefail

repo_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
binary="${1:-$repo_root/build/cli/vyra-select}"
runs=200
warmup=20
rss_samples=20

if [[ ! -x "$binary" ]]; then
    echo "cli_process.sh: no executable at $binary (build vyra-select first, or pass its path)" >&2
    exit 2
fi
for tool in hyperfine python3; do
    if ! command -v "$tool" >/dev/null; then
        echo "cli_process.sh: $tool is needed" >&2
        exit 2
    fi
done

# The same accepted case the engine benchmarks use, so both sets of figures
# describe one amount of work.
case_args=(--tension 10 --diameter 100 --roller-weight 10 --alpha 20 --beta 80 --gamma 20
           --position 20 --height 0 --bearing-weight 1 --speed 100 --json)

# A refused case exits early and would make the figures look better than
# they are; hyperfine would stop on a failing exit code, but say why first.
if ! "$binary" "${case_args[@]}" >/dev/null; then
    echo "cli_process.sh: $binary did not compute the benchmark case" >&2
    exit 1
fi

workdir="$(mktemp -d)"
trap 'rm -rf "$workdir"' EXIT

# Without a shell in between: the process lives a few milliseconds, and a
# shell's own start-up would be a good part of what got measured.
if ! hyperfine --shell=none --warmup "$warmup" --runs "$runs" --output=null --style=none \
    --export-json "$workdir/hyperfine.json" "$binary ${case_args[*]}" >/dev/null 2>"$workdir/hyperfine.log"; then
    cat "$workdir/hyperfine.log" >&2
    exit 1
fi

python3 - "$workdir/hyperfine.json" <<'PY'
import json, sys
result = json.load(open(sys.argv[1]))["results"][0]
ms = lambda seconds: seconds * 1000.0
print(f"wall time over {len(result['times'])} runs:")
print(f"  median  {ms(result['median']):8.3f} ms")
print(f"  mean    {ms(result['mean']):8.3f} ms  (stddev {ms(result['stddev']):.3f} ms)")
print(f"  min/max {ms(result['min']):8.3f} / {ms(result['max']):.3f} ms")
PY
# Outlier warnings say the machine was busy; keep them beside the figures.
sed -e '/^[[:space:]]*$/d' -e 's/^[[:space:]]*/  hyperfine: /' "$workdir/hyperfine.log"

# The peak resident set the kernel reports for a process includes what its
# launcher had resident when it forked, so the same measurement of a trivial
# program gives the floor below which a figure says nothing.
if [[ -x /usr/bin/time ]]; then
    rss_method="/usr/bin/time -v"
    measure_rss() {
        local samples="$1"
        shift
        for _ in $(seq "$samples"); do
            /usr/bin/time -v "$@" 2>&1 >/dev/null | awk -F': ' '/Maximum resident set size/ { print $2 }'
        done
    }
else
    rss_method="wait4 rusage via python3"
    measure_rss() {
        python3 - "$@" <<'PY'
import os, subprocess, sys
samples, command = int(sys.argv[1]), sys.argv[2:]
for _ in range(samples):
    child = subprocess.Popen(command, stdout=subprocess.DEVNULL)
    _, status, usage = os.wait4(child.pid, 0)
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit("cli_process.sh: the measured run failed")
    print(usage.ru_maxrss)  # KiB on Linux
PY
    }
fi

measure_rss 5 "$(type -P true)" >"$workdir/floor_kib"
measure_rss "$rss_samples" "$binary" "${case_args[@]}" >"$workdir/rss_kib"

python3 - "$workdir/rss_kib" "$workdir/floor_kib" "$rss_method" <<'PY'
import statistics, sys
read = lambda path: [int(line) for line in open(path) if line.strip()]
kib, floor = read(sys.argv[1]), read(sys.argv[2])
if not kib or not floor:
    sys.exit("cli_process.sh: no peak memory figure was read")
mib = lambda k: k / 1024.0
median = statistics.median(kib)
print(f"peak memory (max resident set, {sys.argv[3]}, {len(kib)} runs):")
print(f"  median  {mib(median):8.2f} MiB  ({int(median)} KiB)")
print(f"  max     {mib(max(kib)):8.2f} MiB  ({max(kib)} KiB)")
if median <= max(floor):
    print(f"  only an upper bound: the launcher alone shows {mib(max(floor)):.2f} MiB"
          " (install the 'time' package for a real figure)")
PY

# The same case with the report written as PDF, through the graphics twin.
report="$workdir/report.pdf"
if hyperfine --shell=none --warmup 3 --runs 40 --output=null --style=none \
    --export-json "$workdir/report.json" "$binary ${case_args[*]} --report $report" >/dev/null 2>&1; then
    python3 - "$workdir/report.json" "$report" <<'PY'
import json, os, sys
result = json.load(open(sys.argv[1]))["results"][0]
print(f"with --report, wall time over {len(result['times'])} runs:")
print(f"  median  {result['median'] * 1000.0:8.3f} ms")
print(f"  PDF     {os.path.getsize(sys.argv[2]) / 1024.0:8.1f} KiB")
PY
else
    echo "with --report: the report could not be written" >&2
fi
