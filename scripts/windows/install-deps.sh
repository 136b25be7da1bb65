#!/usr/bin/env bash
# Installs what building and checking the Windows program on Debian needs: the MinGW-w64
# cross compiler, Wine, NSIS for the installer, and the tools to build Qt from source.
set -euo pipefail
packages=(g++-mingw-w64-x86-64-posix mingw-w64-tools wine wine64 nsis dpkg-dev cmake ninja-build
          qt6-base-dev qt6-base-dev-tools qt6-translations-l10n xvfb xauth xdotool x11-utils
          openbox imagemagick fonts-wqy-microhei locales)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}" >&2
    apt-get update -qq >&2
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
fi
