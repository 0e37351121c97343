#!/usr/bin/env bash
# Non-blank lines of tests against those of the program (engine, files,
# graphics, screens, rtf, cli, app, web). Tests are the test code and scripts in
# any language under tests/ and the hand-written case tables (tests/cases:
# every row is an expectation someone wrote); the golden recordings
# (tests/golden), which the code wrote and a person approved, and the fuzz
# corpora are printed beside them. Tests over a third of the program fail
# the run, saying by how many lines.
set -euo pipefail
cd "$(dirname "$0")/.."
# Files git tracks or would add, as they stand in the working tree.
files() {
    git ls-files --cached --others --exclude-standard -- "$@" | sort -u | while read -r f; do if [ -f "$f" ]; then echo "$f"; fi; done
}
lines() { xargs -r cat | grep -c -v -E '^\s*$' || true; }
code='\.(cpp|cc|h|hpp|sh|py|js|mjs|html|css|cmake)$|CMakeLists\.txt$'
test_code=$(files tests | grep -v -E '^tests/(golden|cases|fuzz/[a-z-]*corpus)/' | grep -E "$code" | lines)
case_tables=$(files tests/cases | lines)
tests=$((test_code + case_tables))
program=$(files engine files graphics screens rtf cli app web | grep -E "$code" | lines)
goldens=$(files tests/golden | lines)
ratio=$(awk "BEGIN { printf \"%.3f\", $tests / $program }")
echo "test lines: $tests ($test_code of code, $case_tables of case tables), program lines: $program, ratio $ratio"
echo "golden recordings (approved output, not counted): $goldens lines"
over=$((tests - program / 3))
if [ "$over" -gt 0 ]; then
    echo "the tests are $over lines over a third of the program" >&2
    exit 1
fi
