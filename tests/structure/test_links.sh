#!/usr/bin/env bash
# Fails when a test program below the windows links the whole program: each test names the
# libraries it links (tarnel_test(... LINK ...) in tests/CMakeLists.txt), its folder's and what
# it needs beside it, so that it shows its layer stands alone. Only the tests of the main window
# and the dialogs opened from it (tests/app, tests/dialogs) link everything.
# Usage: test_links.sh [source root]
set -uo pipefail
root="${1:-$(dirname "$0")/../..}"
cd "$root" || exit 2
bad=0
# Each call on one line: its name, its first source and what follows.
while read -r name _ source rest; do
    folder="${source%%/*}"
    [[ "$folder" == app || "$folder" == dialogs ]] && continue
    if [[ " $rest " != *" LINK "* || " $rest " == *tarneljava_lib* || " $rest " == *tarneljava_app* ]]; then
        echo "$name ($source) links the whole program: name its own libraries with LINK"
        bad=1
    fi
done < <(grep -v '^[[:space:]]*#' tests/CMakeLists.txt | tr '\n' ' ' |
         grep -o 'tarnel_test([^)]*)' | sed 's/^tarnel_test(//; s/)$//; s/  */ /g')
((bad == 0)) && echo "every test below the windows links its own layer"
exit $bad
