#!/usr/bin/env bash
# Builds the input-path fuzz target with clang and runs it for the given
# number of seconds (default 20) on a copy of the seed corpus.
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds="${1:-20}"

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVYRA_BUILD_FUZZ=ON -DVYRA_BUILD_TESTS=OFF -DVYRA_BUILD_BENCH=OFF
cmake --build build-fuzz --target input_path_fuzz

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r tests/fuzz/corpus "$work/corpus"
mkdir -p build-fuzz/artifacts
# A finding stops the run with a non-zero status and leaves its input in
# build-fuzz/artifacts for replaying.
build-fuzz/tests/fuzz/input_path_fuzz -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix=build-fuzz/artifacts/ "$work/corpus"
