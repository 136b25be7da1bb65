#!/usr/bin/env bash
# Builds the Windows program on Debian and checks it under Wine:
#   1. installs the cross compiler, Wine and NSIS; builds Qt for Windows once (qt.sh, cached);
#   2. cross-compiles the project into out-win/ and lays out the program folder
#      out-win/TarnelJava/ (program, Qt DLLs and plugins, MinGW runtime, Chinese translation);
#   3. runs every test program under Wine (offscreen);
#   4. makes the installer out-win/TarnelJava-1.07-setup.exe;
#   5. builds a program through the real window and the command interpreter's console
#      (tests/windows/e2e.sh), with screenshots in out-win/shots/;
#   6. installs the installer silently, starts the installed program, uninstalls it.
# The first run takes about half an hour (Qt); later runs a few minutes.
set -euo pipefail
cd "$(dirname "$0")/../.."
root="$PWD"
scripts/windows/install-deps.sh
qt="$(scripts/windows/qt.sh)"
cache="$(dirname "$qt")"
# One check at a time uses the Wine prefix: another's wineserver -k would end this one's
# programs. A second check waits here.
exec 8>"$cache/check.lock"
flock 8

# Wine: a private prefix, and a Chinese locale so that Windows programs get code page 936.
export WINEPREFIX="$cache/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [[ ! -d "$cache/locale/zh_CN.UTF-8" ]]; then
    mkdir -p "$cache/locale"
    localedef -i zh_CN -f UTF-8 "$cache/locale/zh_CN.UTF-8"
fi
export LOCPATH="$cache/locale" LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
    wineboot --init >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine' /v Version /d win10 /f >/dev/null 2>&1
    # The console shows Chinese only in a font that has it.
    wine reg add 'HKCU\Console' /v FaceName /d 'WenQuanYi Micro Hei Mono' /f >/dev/null 2>&1
    wineserver -w
fi

cmake -S . -B out-win -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARNEL_WERROR=ON \
    -DCMAKE_TOOLCHAIN_FILE="$root/scripts/windows/mingw-toolchain.cmake" \
    -DTARNEL_QT_WINDOWS="$qt" -DCMAKE_PREFIX_PATH="$qt" -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR="$(dirname "$(dirname "$(find /usr/lib -name Qt6HostInfoConfig.cmake | head -1)")")" \
    -DCMAKE_CROSSCOMPILING_EMULATOR=wine >/dev/null
cmake --build out-win
rm -rf out-win/TarnelJava
cmake --install out-win --prefix out-win/TarnelJava >/dev/null
# The test programs find the DLLs and plugins beside them, as the program does.
cp -r out-win/TarnelJava/*.dll "$qt/bin/Qt6Test.dll" out-win/bin/
mkdir -p out-win/bin/platforms
cp "$qt"/plugins/platforms/*.dll out-win/bin/platforms/
cp -r out-win/TarnelJava/translations out-win/bin/

# A test that fails is run once more: under Wine the command interpreter now and then fails to
# start a program it has not run before ("无法将 … 识别为内部或外部命令", seen twice on the first
# run of a newly built appletviewer.exe, never again on the next runs). A failure that repeats
# fails the check.
xvfb-run -a ctest --test-dir out-win --output-on-failure --repeat until-pass:2 "$@"
(cd out-win && cpack >/dev/null)
setup="$root/$(ls out-win/TarnelJava-*-setup.exe)"
echo "installer: $setup ($(du -h "$setup" | cut -f1))"

mkdir -p out-win/shots
TARNEL_SHOTS="$root/out-win/shots" tests/windows/e2e.sh out-win/TarnelJava

# The installer: silently into the user's own programs folder, for this user only (HKCU, the
# user's Start menu, in a folder the user named: the installer takes the one a previous
# installation recorded); the program starts through its Start-menu shortcut and keeps its
# settings beside itself; the uninstaller takes it all away again, folder, shortcuts and keys.
user_dir="$WINEPREFIX/drive_c/users/$(id -un)"
installed="$user_dir/AppData/Local/Programs/TarnelJava"
programs="$user_dir/AppData/Roaming/Microsoft/Windows/Start Menu/Programs"
menu="$programs/学习/Java 工具"
common_menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/TarnelJava编译器"
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\TarnelJava'
vendor_key='HKCU\Software\TarnelJava 开发组'
has_key() { wine reg query "$1" >/dev/null 2>&1; }
rm -rf "$installed" "$programs/学习"
# What the installer's pages hold: the licence text names its button, the finish page offers
# to start the program.
nsi=out-win/_CPack_Packages/win64/NSIS/project.nsi
grep -q '\[我接受(I)\]' "$nsi" || { echo "FAIL: the licence text does not name its button"; exit 1; }
grep -q '!define MUI_FINISHPAGE_RUN "\$INSTDIR\\TarnelJava.exe"' "$nsi" ||
    { echo "FAIL: the finish page does not offer to start the program"; exit 1; }
wine reg add "$vendor_key\\TarnelJava" /v "Start Menu Folder" /d '学习\Java 工具' /f >/dev/null 2>&1
wine "$setup" /S
wineserver -w
[[ -f "$installed/TarnelJava.exe" && -f "$installed/platforms/qwindows.dll" &&
   -f "$installed/translations/qtbase_zh_CN.qm" && -f "$installed/applet-viewer/appletviewer.exe" &&
   -f "$installed/applet-viewer/tarneljava-appletviewer.jar" &&
   -f "$installed/jdk-launchers/javac.exe" && -f "$installed/jdk-launchers/java.exe" &&
   -f "$installed/jdk-launchers/tarneljava-javacserver.jar" ]] || { echo "FAIL: not installed: $installed"; exit 1; }
echo "installed size: $(du -sh "$installed" | cut -f1)"
shortcut="$menu/TarnelJava编译器.lnk"
[[ -f "$shortcut" ]] || { echo "FAIL: no Start-menu shortcut in the user's menu: $(ls "$menu" 2>&1)"; exit 1; }
[[ -f "$menu/卸载 TarnelJava编译器.lnk" && ! -e "$menu/Uninstall.lnk" ]] ||
    { echo "FAIL: the uninstaller's Start-menu entry: $(ls "$menu" 2>&1)"; exit 1; }
# The link's local path (its ANSI field): the program itself, with no ".\" inside.
target="$(strings "$shortcut" | grep -o -m1 '[A-Z]:\\.*TarnelJava\.exe$' || true)"
[[ "$target" == *'\Programs\TarnelJava\TarnelJava.exe' ]] || { echo "FAIL: the shortcut's target: $target"; exit 1; }
size="$(wine reg query "$uninstall_key" /v EstimatedSize 2>/dev/null | tr -d '\r' | awk '/EstimatedSize/ {print $3}')"
(( ${size:-0} > 1000 )) || { echo "FAIL: the uninstall entry has no size: $size"; exit 1; }
echo "uninstall entry: $((size)) KB"
[[ ! -e "$common_menu" ]] || { echo "FAIL: shortcuts for all users: $common_menu"; exit 1; }
has_key "$uninstall_key" || { echo "FAIL: no uninstall entry in HKCU"; exit 1; }
! has_key "${uninstall_key/HKCU/HKLM}" || { echo "FAIL: an uninstall entry in HKLM"; exit 1; }
# It writes its settings file beside itself at the first start, started by the shortcut.
xvfb-run -a bash -c "wine start /unix '$shortcut' >/dev/null 2>&1
    for _ in \$(seq 1 100); do [[ -f '$installed/Setting.ini' ]] && break; sleep 0.2; done
    wineserver -k 2>/dev/null || true"
[[ -f "$installed/Setting.ini" ]] || { echo "FAIL: the program did not start from its shortcut"; exit 1; }
echo "started from the Start-menu shortcut"
# The program's cache (javac's archives), made by builds, goes with it.
cache="$user_dir/AppData/Local/TarnelJava/cache"
mkdir -p "$cache" && printf 'archive' >"$cache/javac-0-0.jsa"
wine "$installed/Uninstall.exe" /S
wineserver -w
for _ in $(seq 1 50); do [[ ! -e "$installed" ]] && break; sleep 0.2; done
[[ ! -e "$installed" ]] || { echo "FAIL: the uninstaller left: $(find "$installed")"; exit 1; }
[[ ! -e "$user_dir/AppData/Local/TarnelJava" ]] || { echo "FAIL: the uninstaller left the cache: $(find "$user_dir/AppData/Local/TarnelJava")"; exit 1; }
[[ ! -e "$programs/学习" ]] || { echo "FAIL: the uninstaller left the Start-menu folder: $(find "$programs/学习")"; exit 1; }
for key in "$uninstall_key" "$vendor_key"; do
    ! has_key "$key" || { echo "FAIL: the uninstaller left the key $key"; exit 1; }
done
echo "uninstalled: nothing of the program is left"
echo "Windows check: passed"
