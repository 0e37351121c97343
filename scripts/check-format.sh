#!/usr/bin/env bash
# Fails when a C++ file differs from what clang-format makes of it; prints
# the files. Run clang-format -i on them to fix.
set -euo pipefail
cd "$(dirname "$0")/.."
unformatted=()
while IFS= read -r file; do
    clang-format --dry-run -Werror "$file" >/dev/null 2>&1 || unformatted+=("$file")
done < <(git ls-files '*.cpp' '*.h')
if [ "${#unformatted[@]}" -gt 0 ]; then
    printf 'not formatted: %s\n' "${unformatted[@]}"
    exit 1
fi
echo "every C++ file is formatted"
