#!/usr/bin/env bash
# Installs what is missing, builds (warnings as errors) and runs every test with ctest.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh test
scripts/build.sh -DTARNEL_WERROR=ON
cd out
ctest --output-on-failure "$@"
