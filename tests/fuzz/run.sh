#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs them one after the other on
# copies of their seed corpora, sharing the given number of seconds (default
# 20) between them: the input path, the case file reader, the batch file
# reader, the RTF reader.
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds="${1:-20}"
share=$(( seconds / 4 > 0 ? seconds / 4 : 1 ))

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVYRA_BUILD_FUZZ=ON -DVYRA_BUILD_TESTS=OFF -DVYRA_BUILD_BENCH=OFF
cmake --build build-fuzz --target input_path_fuzz case_file_fuzz batch_file_fuzz rtf_fuzz

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r tests/fuzz/corpus "$work/corpus"
cp -r tests/fuzz/case-corpus "$work/case-corpus"
cp -r tests/fuzz/batch-corpus "$work/batch-corpus"
cp -r tests/fuzz/rtf-corpus "$work/rtf-corpus"
mkdir -p build-fuzz/artifacts
# A finding stops the run with a non-zero status and leaves its input in
# build-fuzz/artifacts for replaying (the case reader's with the prefix case-,
# the batch reader's with batch-, the RTF reader's with rtf-; rtf-text
# replays one as a document).
build-fuzz/tests/fuzz/input_path_fuzz -max_total_time="$share" -print_final_stats=1 \
    -artifact_prefix=build-fuzz/artifacts/ "$work/corpus"
build-fuzz/tests/fuzz/case_file_fuzz -max_total_time="$share" -print_final_stats=1 \
    -artifact_prefix=build-fuzz/artifacts/case- "$work/case-corpus"
build-fuzz/tests/fuzz/batch_file_fuzz -max_total_time="$share" -print_final_stats=1 \
    -artifact_prefix=build-fuzz/artifacts/batch- "$work/batch-corpus"
build-fuzz/tests/fuzz/rtf_fuzz -max_total_time="$share" -print_final_stats=1 \
    -artifact_prefix=build-fuzz/artifacts/rtf- "$work/rtf-corpus"
