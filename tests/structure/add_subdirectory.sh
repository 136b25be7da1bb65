#!/usr/bin/env bash
# Configures a small parent project that adds this project with add_subdirectory, builds only
# the parent's own program (which links tarneljava_core) and checks that the project's paths
# point into its own folders: its includes resolve, its executables are bound for its own bin/,
# and nothing but the core libraries (QtCore logic and the launchers' shared settings, no
# window) was compiled.
# Usage: add_subdirectory.sh <source root>
set -euo pipefail
source_root="$(realpath "$1")"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

cmake -S "$source_root/tests/structure/parent" -B "$work" -G Ninja \
      -DTARNEL_SOURCE="$source_root" -DCMAKE_BUILD_TYPE=Release >"$work.log" 2>&1 ||
    { cat "$work.log"; rm -f "$work.log"; exit 1; }
rm -f "$work.log"
cmake --build "$work" --target parent_tool
[[ "$("$work/parent_tool")" == "Hello 7" ]] || { echo "parent_tool printed the wrong text"; exit 1; }

fail=0
for exe in TarnelJava test_settings tarneljava-cmd; do
    grep -q "build tarneljava/bin/$exe:" "$work/build.ninja" ||
        { echo "$exe is not bound for the project's own bin/"; fail=1; }
done
core='/tarneljava_(platform|editor|settings|layout|buildrun|jdklaunch)\.dir/'
# The list first: grep -q ending the pipe early would fail find with SIGPIPE under pipefail.
objects=$(find "$work/tarneljava" -name '*.o')
grep -qE "$core" <<<"$objects" || { echo "the core libraries were not built"; fail=1; }
built=$(grep -vE "$core" <<<"$objects" || true)
[[ -z "$built" ]] || { echo "more than the core libraries were compiled:"; echo "$built"; fail=1; }
[[ -z "$(find "$work/tarneljava/bin" -type f 2>/dev/null)" ]] || { echo "a program of the project was built"; fail=1; }
((fail)) || echo "parent project built with the core libraries alone"
exit $fail
