#!/usr/bin/env bash
# End-to-end test of the installed program on a real X server (Xvfb with openbox), the real
# xterm, the real JDK, and input sent with xdotool, as a new user would use it.
# Usage: desktop_e2e.sh BUILD_DIR    installs the build into a folder of its own
#        desktop_e2e.sh --installed  the program installed on this machine (the package),
#                                    started by its menu entry's Exec line
set -euo pipefail
helpers="$(dirname "$(realpath "$0")")/x11_session.sh"
work="$(mktemp -d)"
cleanup() { rm -rf "$work"; }
trap cleanup EXIT

if [[ "$1" == --installed ]]; then
    entry=/usr/share/applications/tarneljava.desktop
    start="$(sed -n 's/^Exec=//p' "$entry")"
    prog="$(sed -n 's/^Path=//p' "$entry")"
else
    cmake --install "$(realpath "$1")" --prefix "$work/prefix" >/dev/null
    prog="$work/prefix/lib/tarneljava"
    start="\"$prog/TarnelJava\""
fi
mkdir -p "$work/home" "$work/bin"
# A runtime folder of its own: the warm compiler the builds start lives there, and ends when the
# folder goes with the test.
mkdir -m 700 "$work/runtime"
# The console is xterm, whatever terminal this machine has as x-terminal-emulator.
xterm="$(command -v xterm)" || { echo "FAIL: xterm is not installed" >&2; exit 1; }
ln -s "$xterm" "$work/bin/x-terminal-emulator"
# xterm keeps a copy of the console's output.
printf '*logging: true\n*logFile: %s\n' "$work/console.log" >"$work/xresources"

cat >"$work/session.sh" <<'SESSION'
set -euo pipefail
prog="$1"; work="$2"; start="$4"
source "$3"
unset XDG_CONFIG_HOME
export HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" XENVIRONMENT="$work/xresources" LANG=C.UTF-8
export PATH="$work/bin:$PATH" QT_QPA_PLATFORM=xcb
pids=()
finish() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; }
trap finish EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
# Waits up to $2 seconds for a condition given as a command line.
until_true() { local t=$(( $1 * 5 )); shift; while ! "$@" >/dev/null 2>&1; do ((t--)) || return 1; sleep 0.2; done; }
# A key in the console ends the script; the program cleans up the work folder: close_console
# CONSOLE FOLDER.
close_console() {
    xdotool windowactivate --sync "$1" >/dev/null 2>&1 || true
    xdotool key space
    until_true 10 bash -c "[[ \$(ls -A '$2') == Korvath.bat ]]" || fail "work folder after the key: $(ls -A "$2")"
}

# Types a program into the emptied editor and starts 编译+运行; the console window's id is left
# in $console: build_typed PROGRAM WHEN.
build_typed() {
    click 200 200
    xdotool key ctrl+a Delete
    xdotool type --delay 3 "$1"
    sleep 0.5
    : >"$work/console.log"
    click 106 25    # 编译+运行
    console=$(wait_window "Korvath.bat" 30) || fail "no console window $2"
}

start_window_manager; pids+=("$WINDOW_MANAGER_PID")
eval "$start" & app=$!; pids+=($app)
main=$(wait_window "TarnelJava编译器" 15) || fail "the main window did not appear"
sleep 1

# Placed by its real outer size, with the frame the window manager gave it: centred, a third
# of the free height above (to a pixel).
read -r fl fr ft fb < <(xprop -id "$main" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
cw=$(xwininfo -id "$main" | sed -n 's/^ *Width: //p'); ch=$(xwininfo -id "$main" | sed -n 's/^ *Height: //p')
fx=$(( $(origin "$main" X) - fl )); fy=$(( $(origin "$main" Y) - ft ))
ex=$(( (1280 - cw - fl - fr + 1) / 2 )); ey=$(( (900 - ch - ft - fb + 1) / 3 ))
(( fx - ex <= 1 && ex - fx <= 1 && fy - ey <= 1 && ey - fy <= 1 )) ||
    fail "the main window's frame is at $fx,$fy, not at $ex,$ey (frame $fl $fr $ft $fb)"

# A fresh user gets the default settings in the own configuration folder: the installed
# program's folder is for every user.
ini="$HOME/.config/TarnelJava/Setting.ini"
[[ "$(od -c "$ini" | head -3)" == "$(printf 'JavaPath=D:\\MyJava\r\nClassExist= 0\r\n' | od -c | head -3)" ]] \
    || fail "Setting.ini: $(cat -A "$ini")"
[[ ! -e "$prog/Setting.ini" ]] || fail "Setting.ini beside the installed program"

# The screen is 900 pixels high: the main window has its reference layout.
click() { click_in "$main" "$1" "$2"; sleep 0.5; }

click 200 200   # the editor
# A paste of text whose program has ended (a console window that closed) pastes nothing and
# kills nothing: Ctrl+V, Shift+Insert, the middle button, the context menu.
command -v xclip >/dev/null || fail "xclip is not installed"
for selection in clipboard primary; do printf 'gone' | xclip -selection "$selection" & done
sleep 0.5; pkill -x xclip; sleep 0.5
xdotool key ctrl+v; sleep 0.3; xdotool key shift+Insert; sleep 0.3; xdotool click 2; sleep 0.3
xdotool click 3; sleep 0.8; xdotool key Escape; sleep 0.3
kill -0 "$app" || fail "a paste from a program that has ended killed the program"
# The program pasted from a program that is still there.
printf '%s' 'public class Hello { public static void main(String[] args) { System.out.println("Hello from TarnelJava"); } }' |
    xclip -selection clipboard & pids+=($!)
sleep 0.5
click 200 200
xdotool key ctrl+v
sleep 0.5
click 106 25    # 编译+运行
console=$(wait_window "Korvath.bat" 30) || fail "no console window"
work_folder="$HOME/MyJava/ClassFiles"
until_true 60 grep -q "请按任意键继续" "$work/console.log" || fail "no pause prompt: $(cat "$work/console.log" 2>/dev/null)"
log=$(cat "$work/console.log")
for text in "------------编译中...------------" "----------编译+运行完成----------" "Hello from TarnelJava"; do
    grep -qF -- "$text" <<<"$log" || fail "console lacks '$text': $log"
done
[[ -f "$work_folder/Hello.java" && -f "$work_folder/Hello.class" ]] || fail "no build files during the build"

# A key in the console ends the script; the program cleans up.
close_console "$console" "$work_folder"
until_true 15 bash -c "! xdotool search --name Korvath.bat | grep -q ." || fail "the console stayed open"

# The main window is still there and answers: saving works.
kill -0 "$app" || fail "the program has ended"
has_window "TarnelJava编译器" || fail "the main window is gone"
click 32 25     # 保存
until_true 5 test -f "$HOME/MyJava/Hello.java" || fail "nothing saved"
grep -q 'System.out.println("Hello from TarnelJava"); } }' "$HOME/MyJava/Hello.java" || fail "saved text"
[[ "$(tail -c 2 "$HOME/MyJava/Hello.java" | od -An -c | tr -d ' ')" == '\r\n' ]] || fail "saved line end"

# An applet: 帮助 → compile type "Applet 应用程序" (200 × 400) → 应用, then 编译+运行. The
# program's own viewer (the JDK has none) shows it in its window; closing that window leads
# to the console's pause, and the key to the clean-up.
click 409 648   # 帮助
options=$(wait_window "^帮助$" 10) || fail "no options dialog"
sleep 0.5
click_in "$options" 120 202; sleep 0.5
xdotool key Down Return; sleep 0.3
click_in "$options" 355 172; sleep 0.5   # 应用
has_window "^帮助$" && { xdotool windowactivate --sync "$options" >/dev/null 2>&1; xdotool key alt+F4; sleep 0.5; }
click 200 200
xdotool key ctrl+a Delete
xdotool type --delay 3 'import java.awt.*; public class Paint extends java.applet.Applet { public void paint(Graphics g) { g.setColor(new Color(0, 200, 0)); g.fillRect(0, 0, 400, 200); } }'
sleep 0.5
click 106 25    # 编译+运行
viewer=$(wait_window "小应用程序查看器: Paint.class" 60) || fail "no applet window: $(cat "$work/console.log")"
sleep 2
[[ -n "${TARNEL_SHOTS:-}" ]] && import -window root "$TARNEL_SHOTS/applet-viewer.png"
import -window "$viewer" "$work/applet.png"
for point in 10,10 390,190 200,100; do
    pixel=$(convert "$work/applet.png" -format "%[pixel:p{$point}]" info:)
    [[ "$pixel" == "srgb(0,200,0)" ]] || fail "the applet's drawing at $point: $pixel"
done
[[ "$(xwininfo -id "$viewer" | sed -n 's/^ *Width: //p')" -ge 400 ]] || fail "the applet window's width"
until_true 5 grep -q "Paint.HTML" <(ls "$work_folder") || fail "no applet page during the build"
! grep -q "请按任意键继续" <(tail -c 200 "$work/console.log") || fail "the pause came before the window closed"
xdotool windowactivate --sync "$viewer" >/dev/null 2>&1 || true
xdotool key alt+F4
until_true 15 bash -c "! xdotool search --name 小应用程序查看器 | grep -q ." || fail "the applet window stayed open"
console=$(wait_window "Korvath.bat" 5) || fail "the console went away"
until_true 30 bash -c "tail -c 200 '$work/console.log' | grep -q 请按任意键继续" || fail "no pause after the applet: $(cat "$work/console.log")"
close_console "$console" "$work_folder"
grep -q "Exception" "$work/console.log" && fail "a stack trace in the console: $(cat "$work/console.log")"
click 32 25     # 保存
until_true 5 test -f "$HOME/MyJava/Paint.java" || fail "the applet was not saved"

# Another folder, stored with 保存设置.
click 244 618   # 目录
xdotool key ctrl+a; xdotool type --delay 20 'D:\Work'
click 351 648   # 保存设置
until_true 5 grep -q 'JavaPath=D:\\Work' "$ini" || fail "the folder was not stored: $(cat -A "$ini")"

# 退出 closes the program (everything is saved: no question).
click 456 648
until_true 10 bash -c "! kill -0 $app" || fail "the program did not end"

# Started again, it builds in the stored folder.
eval "$start" & app=$!; pids+=($app)
main=$(wait_window "TarnelJava编译器" 15) || fail "the main window did not appear again"
sleep 0.5
build_typed 'public class Again { public static void main(String[] args) { System.out.println("again " + (6 * 7)); } }' "after the restart"
until_true 60 grep -q "请按任意键继续" "$work/console.log" || fail "no pause: $(cat "$work/console.log")"
grep -q "again 42" "$work/console.log" || fail "the program's output: $(cat "$work/console.log")"
[[ -f "$HOME/Work/ClassFiles/Again.java" ]] || fail "not built in the stored folder"
close_console "$console" "$HOME/Work/ClassFiles"

# In a GB18030 locale the console speaks the locale's encoding both ways: Chinese typed into a
# Scanner program arrives whole, with the machine's default JDK and its newest other one.
locales="$5"
if [[ -n "$locales" ]]; then
    click 32 25     # 保存, so that 退出 asks nothing
    click 456 648   # 退出
    until_true 10 bash -c "! kill -0 $app" || fail "the program did not end"
    default_bin="$(dirname "$(readlink -f "$(command -v javac)")")"
    newest_bin="$(ls -d /usr/lib/jvm/*/bin | grep -vxF "$default_bin" | sort -V | tail -1)"
    for jdk_bin in "$default_bin" $newest_bin; do
        [[ -x "$jdk_bin/javac" ]] || continue
        PATH="$jdk_bin:$PATH" LOCPATH="$locales" LANG=zh_CN.GB18030 LC_ALL=zh_CN.GB18030 \
            eval "$start" & app=$!; pids+=($app)
        # Qt writes the legacy WM_NAME in UTF-8 whatever the locale: matched without the Chinese.
        main=$(wait_window "^TarnelJava.* v[0-9]" 15) || fail "no main window in GB18030"
        sleep 0.5
        build_typed 'public class Ask { public static void main(String[] args) { System.out.println("type:"); String s = new java.util.Scanner(System.in).nextLine(); System.out.println("got [" + s + "] " + s.length()); } }' "in GB18030"
        until_true 60 grep -q "^type:" "$work/console.log" || fail "no run in GB18030: $(cat "$work/console.log")"
        # Given as xterm's selection (xdotool's typing of characters off the keyboard map loses
        # some under load): it reaches the program through the same conversion as typed text.
        printf '你好世界' | xclip -selection primary & pids+=($!)
        sleep 0.5
        xdotool windowactivate --sync "$console" >/dev/null 2>&1 || true
        xdotool key shift+Insert Return
        until_true 30 grep -q "请按任意键继续" "$work/console.log" || fail "no pause in GB18030: $(cat "$work/console.log")"
        grep -qF "got [你好世界] 4" "$work/console.log" ||
            fail "typed Chinese did not arrive whole with $jdk_bin: $(cat "$work/console.log")"
        close_console "$console" "$HOME/Work/ClassFiles"
        click 32 25     # 保存
        click 456 648   # 退出
        until_true 10 bash -c "! kill -0 $app" || fail "the program did not end"
    done
fi
echo "desktop end-to-end: passed"
SESSION

# The tests' own GB18030 locale, when the build made it.
locales=""
[[ "$1" != --installed && -d "$1/tests/locales/zh_CN.GB18030" ]] && locales="$(realpath "$1")/tests/locales"
timeout 240 xvfb-run -a -s "-screen 0 1280x900x24" \
    bash "$work/session.sh" "$prog" "$work" "$helpers" "$start" "$locales"
