#!/usr/bin/env bash
# Installs what is missing, builds and starts TarnelJava.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh run
scripts/build.sh
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    echo "No desktop here (DISPLAY is not set): start it in a desktop session, or with: xvfb-run -a out/bin/TarnelJava" >&2
    exit 1
fi
exec out/bin/TarnelJava
