#!/usr/bin/env bash
# Builds Qt for Windows (a minimal qtbase 6.4.2: Core, Gui, Widgets, Test) from Debian's own
# source package with the MinGW-w64 cross compiler, once, into a cache folder outside the
# repository; a later run finds it there (its stamp written once the install has ended) and does
# nothing; a run that comes while another builds waits for it. About 27 minutes on 2 cores.
# Usage: scripts/windows/qt.sh            (prints the Qt folder)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
qt="${TARNEL_QT_WINDOWS:-/var/cache/tarneljava/qt-6.4.2-mingw}"
cache="$(dirname "$qt")"
source "$here/../apt.sh"
as_root mkdir -p "$cache"
as_root chown "$(id -u):$(id -g)" "$cache"
# One build at a time: a second check waits here until the first has built Qt, then uses it.
exec 9>"$cache/qt.lock"
flock 9
# Written once Qt's install has ended: everything a check uses is there.
stamp="$qt/.installed"
# A Qt installed before the stamp was written counts when the last parts a check needs are there.
if [[ ! -f "$stamp" && -f "$qt/lib/cmake/Qt6Widgets/Qt6WidgetsConfig.cmake" &&
      -f "$qt/bin/Qt6Test.dll" && -f "$qt/plugins/platforms/qwindows.dll" &&
      -f "$qt/lib/cmake/Qt6Test/Qt6TestConfig.cmake" ]]; then
    : >"$stamp"
fi
if [[ -f "$stamp" ]]; then
    echo "$qt"
    exit 0
fi
"$here/install-deps.sh"

# Debian's source entries, made from the binary entries this machine already has.
sources=/etc/apt/sources.list.d/tarneljava-deb-src.sources
if [[ ! -f "$sources" ]]; then
    if [[ -f /etc/apt/sources.list.d/debian.sources ]]; then
        sed -e 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
            as_root tee "$sources" >/dev/null
    else
        sources="${sources%.sources}.list"
        sed -n 's/^deb \(.*\)$/deb-src \1/p' /etc/apt/sources.list | as_root tee "$sources" >/dev/null
    fi
    apt_get update -qq >&2
fi
as_root mkdir -p "$cache/source"
as_root chown "$(id -u):$(id -g)" "$cache/source"
src="$(find "$cache/source" -maxdepth 1 -type d -name 'qt6-base-*' | head -1)"
if [[ -z "$src" ]]; then
    (cd "$cache/source" && apt-get source -qq qt6-base >&2)
    src="$(find "$cache/source" -maxdepth 1 -type d -name 'qt6-base-*' | head -1)"
fi
work="$(mktemp -d /var/tmp/tarneljava-qt.XXXXXX)"
trap 'rm -rf "$work"' EXIT
cd "$work"
"$src/configure" -prefix "$qt" -release -opensource -confirm-license \
    -qt-host-path /usr -platform linux-g++ -xplatform win32-g++ \
    -device-option CROSS_COMPILE=x86_64-w64-mingw32- \
    -nomake examples -nomake tests \
    -qt-zlib -qt-pcre -qt-libpng -qt-libjpeg -qt-harfbuzz -qt-freetype \
    -no-opengl -no-dbus -no-feature-sql -no-feature-network -no-feature-printsupport \
    -no-feature-concurrent -no-feature-xml -no-feature-vulkan -no-feature-tabletevent \
    -- -DCMAKE_TOOLCHAIN_FILE="$here/mingw-toolchain.cmake" \
    -DQT_HOST_PATH_CMAKE_DIR="$(dirname "$(dirname "$(find /usr/lib -name Qt6HostInfoConfig.cmake | head -1)")")" >&2
cmake --build . --parallel "$(nproc)" >&2
cmake --install . >&2
: >"$stamp"
echo "$qt"
