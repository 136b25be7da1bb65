#!/usr/bin/env bash
# Applies each one-line mutation of tests/mutations/mutations.tsv to a scratch copy of the
# tree, builds it and runs the quick tests (ctest -LE slow); a mutation that the tests do not
# notice "survived". Prints one line per mutation and the count caught; fails when a row no
# longer applies (its text is not in its file). In a row, \n is a line break, \t a tab and \\ one
# backslash (a C++ '\n' is written '\\n'). Takes a few minutes.
# Usage: scripts/mutations.sh [scratch folder] [list]   (the list: tests/mutations/mutations.tsv)
set -uo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
scratch="${1:-$(mktemp -d /var/tmp/tarneljava-mutations.XXXXXX)}"
list="$(realpath "${2:-tests/mutations/mutations.tsv}")"
mkdir -p "$scratch/src"
git ls-files -z | tar --null -T - -cf - | tar -xf - -C "$scratch/src"
cmake -S "$scratch/src" -B "$scratch/out" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$scratch/out" >/dev/null || { echo "the unmutated copy does not build"; exit 2; }
caught=0 total=0 missing=0
while IFS=$'\t' read -r file text replacement; do
    [[ -z "$file" || "$file" == \#* ]] && continue
    total=$((total + 1))
    cp "$scratch/src/$file" "$scratch/original"
    if ! python3 - "$scratch/src/$file" "$text" "$replacement" <<'PY'; then
import re, sys
def unescaped(row):
    return re.sub(r"\\(.)", lambda m: {"n": "\n", "t": "\t", "\\": "\\"}.get(m[1], m[0]), row)
path, old, new = sys.argv[1], unescaped(sys.argv[2]), unescaped(sys.argv[3])
text = open(path, encoding="utf-8").read()
if old not in text:
    sys.exit(1)
open(path, "w", encoding="utf-8").write(text.replace(old, new, 1))
PY
        echo "NOT FOUND  $file: $text"
        missing=$((missing + 1))
        continue
    fi
    if ! cmake --build "$scratch/out" >/dev/null 2>&1; then
        result="caught (does not build)"
        caught=$((caught + 1))
    elif (cd "$scratch/out" && ctest -LE slow --timeout 120 >/dev/null 2>&1); then
        result="SURVIVED"
    else
        result="caught"
        caught=$((caught + 1))
    fi
    printf '%-24s %s: %s -> %s\n' "$result" "$file" "$text" "$replacement"
    cp "$scratch/original" "$scratch/src/$file"
done <"$list"
cmake --build "$scratch/out" >/dev/null 2>&1
echo "caught $caught of $((total - missing)) mutations; $missing rows no longer apply"
((missing == 0)) || exit 1
