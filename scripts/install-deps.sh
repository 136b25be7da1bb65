#!/usr/bin/env bash
# Installs the Debian packages the program needs to build, run and be tested.
# Usage: scripts/install-deps.sh [run|test]
set -euo pipefail

packages=(cmake ninja-build g++ qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libgl-dev default-jdk-headless xterm fonts-wqy-microhei fonts-crosextra-carlito)
if [[ "${1:-run}" == "test" ]]; then
    packages+=(xvfb xauth xdotool x11-utils openbox imagemagick locales)
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    sudo=""
    [[ $(id -u) -ne 0 ]] && sudo="sudo"
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
fi
