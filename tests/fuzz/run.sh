#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each in turn on a copy of its
# seed corpus, sharing the given seconds (default 20): the input path, the
# case file, batch file, material table and RTF readers.
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds="${1:-20}"
share=$(( seconds / 5 > 0 ? seconds / 5 : 1 ))

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVYRA_BUILD_FUZZ=ON -DVYRA_BUILD_TESTS=OFF -DVYRA_BUILD_BENCH=OFF
cmake --build build-fuzz --target input_path_fuzz case_file_fuzz batch_file_fuzz material_table_fuzz rtf_fuzz

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p build-fuzz/artifacts
# Copies, as libFuzzer adds to the corpus it is given. A finding stops the
# run and leaves its input in build-fuzz/artifacts, prefixed with the
# corpus's name (rtf-text replays an rtf- one as a document).
cp -r tests/fuzz/corpus tests/fuzz/case-corpus tests/fuzz/batch-corpus tests/fuzz/material-corpus tests/fuzz/rtf-corpus "$work"
# Seeds at the size limits, made here rather than kept: a case file of a
# key flood just under 1 MiB, batch files with a row far wider than its
# header, a field just under and just over 1 MiB, a byte-order mark alone.
python3 - "$work" <<'PY'
import sys
work = sys.argv[1]
def put(name, data):
    with open(f"{work}/{name}", "wb") as f:
        f.write(data)
keys = b",".join(b'"k%d":0' % i for i in range(100000))
put("case-corpus/key-flood", b'{"format":"vyra-case","version":1,' + keys[:1040000] .rsplit(b",", 1)[0] + b"}")
put("batch-corpus/wide-row", b"id,tension\n" + b"," * 200000 + b"\n")
put("batch-corpus/field-at-limit", b"id\n" + b"x" * (1 << 20) + b"\n")
put("batch-corpus/field-past-limit", b"id\n" + b"x" * ((1 << 20) + 1) + b"\n")
put("batch-corpus/mark-only", b"\xef\xbb\xbf")
put("material-corpus/at-limit", b"name,basis,low,typical,high\n" + b"".join(b"m%d,thickness,1,2,3\n" % i for i in range(46000)))
PY
for target in input_path:corpus case_file:case-corpus batch_file:batch-corpus material_table:material-corpus rtf:rtf-corpus; do
    corpus=${target#*:}
    # The file readers' limits lie at 1 MiB, far past libFuzzer's usual length.
    length=()
    case "$corpus" in case-corpus | batch-corpus | material-corpus) length=(-max_len=1200000) ;; esac
    "build-fuzz/tests/fuzz/${target%%:*}_fuzz" -max_total_time="$share" -print_final_stats=1 "${length[@]}" \
        -artifact_prefix="build-fuzz/artifacts/${corpus%corpus}" "$work/$corpus"
done
