#!/usr/bin/env bash
# The manual pages and the bash completion against the programs' --help:
# the same options, and every choice word --help lists offered by the completion.
# Usage: docs-match-help.sh VYRA_SELECT VYRASENSORSELECTOR
set -euo pipefail
select="$1"
desktop="$2"
packaging="$(cd "$(dirname "$0")/../../packaging" && pwd)"
status=0

# The long options a text names: --word or --word-word, roff's \- unescaped.
options() { sed 's/\\-/-/g' | grep -oE -- '--[a-z][a-z-]*[a-z]' | sort -u; }

# compare WHAT EXPECTED FOUND
compare() {
    local missing extra
    missing=$(comm -23 <(echo "$2") <(echo "$3"))
    extra=$(comm -13 <(echo "$2") <(echo "$3"))
    [ -z "$missing" ] || { echo "$1 lacks: $(echo $missing)"; status=1; }
    [ -z "$extra" ] || { echo "$1 names what --help does not: $(echo $extra)"; status=1; }
}

selectHelp=$("$select" --help | options)
compare "vyra-select.1" "$selectHelp" "$(options <"$packaging/man/vyra-select.1")"
compare "the bash completion" "$selectHelp" "$(options <"$packaging/vyra-select.bash-completion")"
compare "VyraSensorSelector.1" "$("$desktop" --help | options)" "$(options <"$packaging/man/VyraSensorSelector.1")"

# Choice words: "--unit TEXT:{kgf,N}" in --help, "--unit) ... -W 'kgf N'" in the completion.
while read -r option words; do
    offered=$(grep -E -- "^ +$option\)" "$packaging/vyra-select.bash-completion" | grep -oE "W '[^']*'" | tr -d "W'")
    [ "$(echo $offered)" = "$words" ] \
        || { echo "the bash completion offers \"$(echo $offered)\" for $option, --help \"$words\""; status=1; }
done < <("$select" --help | grep -oE -- '--[a-z-]+ TEXT:\{[^}]*\}' | sed -E 's/ TEXT:\{([^}]*)\}/ \1/; s/,/ /g')

[ "$status" -eq 0 ] && echo "the manual pages and the completion match --help"
exit "$status"
