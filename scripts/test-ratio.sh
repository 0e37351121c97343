#!/usr/bin/env bash
# Non-blank lines of test code and scripts under tests/ against those of the
# program (engine, graphics, screens, rtf, cli, app); golden files and fuzz
# corpora are data and do not count.
set -euo pipefail
cd "$(dirname "$0")/.."
count() {
    git ls-files -- "$@" | grep -E '\.(cpp|cc|h|hpp|sh|py|cmake)$|CMakeLists\.txt$' | xargs cat | grep -c -v -E '^\s*$'
}
tests=$(count tests)
program=$(count engine graphics screens rtf cli app)
echo "test lines: $tests, program lines: $program, ratio $(awk "BEGIN { printf \"%.2f\", $tests / $program }")"
