#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs them one after the other on
# copies of their seed corpora, sharing the given number of seconds (default
# 20) between them: the input path first, then the RTF reader.
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds="${1:-20}"
inputSeconds=$(( (seconds + 1) / 2 ))
rtfSeconds=$(( seconds - inputSeconds > 0 ? seconds - inputSeconds : 1 ))

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVYRA_BUILD_FUZZ=ON -DVYRA_BUILD_TESTS=OFF -DVYRA_BUILD_BENCH=OFF
cmake --build build-fuzz --target input_path_fuzz rtf_fuzz

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r tests/fuzz/corpus "$work/corpus"
cp -r tests/fuzz/rtf-corpus "$work/rtf-corpus"
mkdir -p build-fuzz/artifacts
# A finding stops the run with a non-zero status and leaves its input in
# build-fuzz/artifacts for replaying (the RTF reader's with the prefix rtf-;
# rtf-text replays one as a document).
build-fuzz/tests/fuzz/input_path_fuzz -max_total_time="$inputSeconds" -print_final_stats=1 \
    -artifact_prefix=build-fuzz/artifacts/ "$work/corpus"
build-fuzz/tests/fuzz/rtf_fuzz -max_total_time="$rtfSeconds" -print_final_stats=1 \
    -artifact_prefix=build-fuzz/artifacts/rtf- "$work/rtf-corpus"
