#!/usr/bin/env bash
# End-to-end check of the Windows program under Wine on a virtual X server: a build with
# stand-ins for javac.exe and java.exe (tests/windows/fake_*.c). The program is started with
# its output redirected (as from a terminal), types a program, runs 编译+运行: the console of
# the command interpreter appears, the source copy exists while the script runs, a key in the
# console ends it, and only Korvath.bat is left. The working folder holds a space, "&" and
# parentheses, which the command interpreter takes only inside quotes, and "%PATH%" and a lone
# "%", which it would expand or drop unless doubled. Screenshots go to
# $TARNEL_SHOTS if set.
# Usage: e2e.sh PROGRAM_FOLDER   (Wine set up as scripts/windows/check.sh does)
set -euo pipefail
program="$(realpath "$1")"
here="$(dirname "$(realpath "$0")")"
work="$(mktemp -d)"
trap 'wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT

cp -r "$program" "$work/prog"
java="$work/my java (1) & co %PATH% 100%"
mkdir -p "$work/jdk" "$java/ClassFiles"
for tool in javac java; do
    x86_64-w64-mingw32-gcc-posix -O2 -o "$work/jdk/$tool.exe" "$here/fake_$tool.c"
done
winpath() { echo "Z:${1//\//\\}"; }
printf 'JavaPath=%s\r\nClassExist= 0\r\n' "$(winpath "$java")" >"$work/prog/Setting.ini"
export WINEPATH="$(winpath "$work/jdk")"

cat >"$work/session.sh" <<'SESSION'
set -euo pipefail
work="$1"; shots="$2"
source "$3"
fail() { echo "FAIL: $*" >&2; exit 1; }
until_true() { local t=$(( $1 * 5 )); shift; while ! "$@" >/dev/null 2>&1; do ((t--)) || return 1; sleep 0.2; done; }
start_window_manager
wine "$work/prog/TarnelJava.exe" </dev/null >"$work/program.log" 2>&1 &
main=$(wait_window "TarnelJava编译器" 60) || fail "the main window did not appear"
sleep 2
click_in "$main" 200 200; sleep 0.5
xdotool type --delay 20 'public class Hello { public static void main(String[] a) { } }'
sleep 1
[[ -n "$shots" ]] && import -window root "$shots/wine-main-window.png"
click_in "$main" 106 25
folder="$work/my java (1) & co %PATH% 100%/ClassFiles"
until_true 30 test -f "$folder/Hello.class" || fail "no compile: $(ls -A "$folder")"
[[ -f "$folder/Hello.java" ]] || fail "no source copy while the script runs"
sleep 2
[[ -n "$shots" ]] && import -window root "$shots/wine-console.png"
console=$(xdotool search --name 'cmd|Korvath|conhost' 2>/dev/null | tail -1)
[[ -n "$console" ]] && xdotool windowactivate --sync "$console" 2>/dev/null || true
sleep 0.5
xdotool key space
until_true 20 bash -c "[[ \$(ls -A '$folder') == Korvath.bat ]]" || fail "work folder after the key: $(ls -A "$folder")"

# The program closed while a console runs: the console (and what runs in it) goes on to its
# pause; no clean-up pulls the files from under it.
click_in "$main" 106 25
until_true 30 test -f "$folder/Hello.class" || fail "no second compile: $(ls -A "$folder")"
sleep 2
console=$(xdotool search --name 'cmd|Korvath|conhost' 2>/dev/null | tail -1)
[[ -n "$console" ]] || fail "no console for the second build"
xdotool windowactivate --sync "$main" key alt+F4
# The typed program was never saved: the prompt's 否 closes without saving.
if prompt=$(wait_window "保存确认" 10 2>/dev/null); then
    xdotool windowactivate --sync "$prompt" key alt+n
fi
until_true 20 bash -c "! xdotool search --name 'TarnelJava编译器' | grep -q ." || fail "the program did not close"
sleep 2
xdotool search --name 'cmd|Korvath|conhost' 2>/dev/null | grep -qx "$console" || fail "the console ended with the program"
[[ -f "$folder/Hello.java" ]] || fail "the source copy was removed under the running console"
xdotool windowactivate --sync "$console" 2>/dev/null || true
sleep 0.5
xdotool key space
until_true 20 bash -c "! xdotool search --name 'cmd|Korvath|conhost' | grep -qx '$console'" ||
    fail "the console did not end after the key"
echo "Windows end-to-end: passed"
SESSION
timeout 240 xvfb-run -a -s "-screen 0 1280x900x24" \
    bash "$work/session.sh" "$work" "${TARNEL_SHOTS:-}" "$here/../desktop/x11_session.sh"
