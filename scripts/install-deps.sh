#!/usr/bin/env bash
# Installs the Debian packages the program needs to build, run and be tested.
# Usage: scripts/install-deps.sh [run|test]
set -euo pipefail
source "$(dirname "$0")/apt.sh"

packages=(cmake ninja-build g++ qt6-base-dev qt6-base-dev-tools libxcb1-dev qt6-translations-l10n shared-mime-info libgl-dev default-jdk xterm fonts-wqy-microhei fonts-crosextra-carlito)
if [[ "${1:-run}" == "test" ]]; then
    packages+=(xvfb xauth xdotool xclip x11-utils openbox imagemagick locales clang-format)
fi

install_missing "${packages[@]}"
