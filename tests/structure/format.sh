#!/usr/bin/env bash
# Fails when a C or C++ file of the project is not as the repository's .clang-format writes it.
# Usage: format.sh [source root]
set -uo pipefail
root="${1:-$(dirname "$0")/../..}"
cd "$root" || exit 2
command -v clang-format >/dev/null || { echo "clang-format is not installed"; exit 1; }
list() {
    git ls-files -z '*.cpp' '*.h' '*.c' 2>/dev/null ||
        find . -path './out*' -prune -o \( -name '*.cpp' -o -name '*.h' -o -name '*.c' \) -print0
}
if ! list | xargs -0 clang-format --dry-run -Werror; then
    echo "format these files: clang-format -i FILE"
    exit 1
fi
echo "every file as .clang-format writes it"
