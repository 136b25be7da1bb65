#!/usr/bin/env bash
# Fails when a source file includes a header from a folder above its own. The folders, top to
# bottom: app → dialogs → ui → (editor, buildrun, layout, tools) → platform. A folder may
# include its own headers and those of any folder further down, never one above it or beside it.
# Usage: include_order.sh [source root]
set -uo pipefail
root="${1:-$(dirname "$0")/../..}"
cd "$root" || exit 2

declare -A rank=([app]=0 [dialogs]=1 [ui]=2 [editor]=3 [buildrun]=3 [layout]=3 [tools]=3 [platform]=4)
bad=0
while IFS= read -r file; do
    from="${file%%/*}"
    while IFS= read -r target; do
        to="${target%%/*}"
        [[ -n "${rank[$to]:-}" && "$to" != "$from" ]] || continue
        if ((rank[$to] <= rank[$from])); then
            echo "$file includes $target: $to/ is not below $from/"
            bad=1
        fi
    done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
done < <(find "${!rank[@]}" -type f \( -name '*.h' -o -name '*.cpp' \) 2>/dev/null | sort)
((bad)) || echo "every include runs downwards"
exit $bad
