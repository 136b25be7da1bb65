#!/usr/bin/env bash
# Makes the Debian package out/tarneljava_<version>_amd64.deb from the build in out/.
# Usage: scripts/package.sh        (after scripts/build.sh; prints the package's path)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/apt.sh
install_missing dpkg-dev
[[ -f out/CMakeCache.txt ]] || scripts/build.sh >&2
cmake --build out >&2
(cd out && rm -f tarneljava_*.deb && cpack -G DEB >/dev/null)
realpath out/tarneljava_*.deb
