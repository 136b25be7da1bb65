#!/usr/bin/env bash
# Fails when a file that is built on both systems switches on the system with the preprocessor.
# Where Linux and Windows differ, each has a file of its own (NAME_unix.cpp, NAME_win.cpp),
# chosen by CMake; shared files ask platform::kOnWindows where they need to know.
# Usage: one_file_per_system.sh [source root]
set -uo pipefail
root="${1:-$(dirname "$0")/../..}"
cd "$root" || exit 2
hits=$(find app dialogs ui editor settings buildrun layout platform tools java tests bench -type f \
           \( -name '*.h' -o -name '*.cpp' \) ! -name '*_unix.*' ! -name '*_win.*' -print0 |
       xargs -0 grep -nE '^[[:space:]]*#[[:space:]]*(if|ifdef|ifndef|elif).*(Q_OS_WIN|_WIN32|Q_OS_UNIX|Q_OS_LINUX|__linux__)')
if [[ -n "$hits" ]]; then
    echo "$hits"
    echo "these files are built on both systems: move the system's part into NAME_unix.cpp / NAME_win.cpp"
    exit 1
fi
echo "no shared file switches on the system"
