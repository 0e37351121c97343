#!/usr/bin/env bash
# Non-blank lines of test code and scripts under tests/ against those of the
# program (engine, graphics, screens, rtf, cli, app); golden recordings, case
# tables (tests/cases) and fuzz corpora are data and do not count, and are
# printed beside it.
set -euo pipefail
cd "$(dirname "$0")/.."
# Files git tracks or would add, as they stand in the working tree.
files() {
    git ls-files --cached --others --exclude-standard -- "$@" | sort -u | while read -r f; do if [ -f "$f" ]; then echo "$f"; fi; done
}
count() {
    files "$@" | grep -E '\.(cpp|cc|h|hpp|sh|py|cmake)$|CMakeLists\.txt$' | xargs cat | grep -c -v -E '^\s*$'
}
tests=$(count tests)
program=$(count engine graphics screens rtf cli app)
data=$(files tests/golden tests/cases | xargs cat | grep -c -v -E '^\s*$')
echo "test lines: $tests, program lines: $program, ratio $(awk "BEGIN { printf \"%.2f\", $tests / $program }")"
echo "data lines (golden recordings and case tables): $data"
