#!/usr/bin/env bash
# Installs what building and checking the Windows program on Debian needs: the MinGW-w64
# cross compiler, Wine, NSIS for the installer, the tools to build Qt from source, and a JDK for
# the applet viewer in java/.
set -euo pipefail
source "$(dirname "$0")/../apt.sh"
packages=(g++-mingw-w64-x86-64-posix mingw-w64-tools wine wine64 nsis dpkg-dev cmake ninja-build
          qt6-base-dev qt6-base-dev-tools qt6-translations-l10n xvfb xauth xdotool x11-utils
          openbox imagemagick fonts-wqy-microhei locales default-jdk-headless)
install_missing "${packages[@]}"
