#!/usr/bin/env bash
# Takes the README's screenshots (docs/*.png) of the real program under Xvfb with xterm:
# the main window, the options dialog, the about box, a build's console window, the save
# prompt, and a failed compile's errors marked in the editor.
# Usage: scripts/screenshots.sh [output folder] [scale]   (needs a build in out/)
# A scale of 2 draws everything at 200 % on a screen twice as large in each direction.
set -euo pipefail
cd "$(dirname "$0")/.."
out="$(realpath -m "${1:-docs}")"
scale="${2:-1}"
mkdir -p "$out"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/prog" "$work/home" "$work/bin"
cp -r out/bin/TarnelJava out/bin/tarneljava-cmd out/bin/jdk-launchers "$work/prog/"
ln -s "$(command -v xterm)" "$work/bin/x-terminal-emulator"

cat >"$work/session.sh" <<'SESSION'
set -euo pipefail
out="$1"; work="$2"; scale="$4"
source "$3"
export HOME="$work/home" LANG=C.UTF-8 PATH="$work/bin:$PATH" QT_QPA_PLATFORM=xcb
export QT_SCALE_FACTOR="$scale"
start_window_manager
"$work/prog/TarnelJava" &
app=$!
trap 'kill $app 2>/dev/null || true' EXIT
main=$(wait_window "TarnelJava编译器")
sleep 0.5
# A window with its frame: the frame is the window's parent under the window manager.
shot() {
    local id="$1"
    [[ "$id" != root ]] && id=$(xwininfo -id "$id" -tree | sed -n 's/^ *Parent window id: \(0x[0-9a-f]*\).*/\1/p')
    import -window "$id" "$out/$2"
}
click() { click_in "$main" $(($1 * scale)) $(($2 * scale)); sleep 0.8; }

# The editor with a program, then the main window.
click 200 200
xdotool type --delay 2 'public class Hello {'
xdotool key Return; xdotool type --delay 2 '    public static void main(String[] args) {'
xdotool key Return; xdotool type --delay 2 '        System.out.println("Hello, TarnelJava!");'
xdotool key Return; xdotool type --delay 2 '    }'
xdotool key Return; xdotool type --delay 2 '}'
sleep 0.5
shot "$main" main-window.png

# The options dialog (帮助) and the about box (关于).
click 409 648
dialog=$(wait_window "^帮助$")
shot "$dialog" options-dialog.png
xdotool windowactivate --sync "$dialog"; xdotool key alt+F4
sleep 0.5
click 180 25
about=$(wait_window "^关于$")
ax=$(origin "$about" X) ay=$(origin "$about" Y)
xdotool mousemove $((ax + 100 * scale)) $((ay + 174 * scale)); sleep 0.5   # hover over 个人主页
shot "$about" about-box.png
xdotool mousemove $((ax + 288 * scale)) $((ay + 176 * scale)) click 1; sleep 0.5   # 确定

# A build: the console window over the main window.
click 106 25
sleep 3
shot root build-console.png
console=$(wait_window "Korvath.bat")
xdotool windowactivate --sync "$console"
xdotool key space
sleep 1

# The save prompt: 退出 with an unsaved change.
click 200 300
xdotool type --delay 2 ' '
click 456 648
prompt=$(wait_window "^保存确认$")
sleep 0.5
shot "$prompt" save-prompt.png
xdotool key Escape
sleep 0.5

# A failed compile: the lines javac named marked in the editor, a message under the mouse.
click 200 300
xdotool key ctrl+a Delete
xdotool type --delay 2 'public class Hello {'
xdotool key Return; xdotool type --delay 2 '    public static void main(String[] args) {'
xdotool key Return; xdotool type --delay 2 '        int count = "three";'
xdotool key Return; xdotool type --delay 2 '        System.out.println("Hello, " + name);'
xdotool key Return; xdotool type --delay 2 '    }'
xdotool key Return; xdotool type --delay 2 '}'
click 106 25
console=$(wait_window "Korvath.bat")
sleep 3
xdotool windowactivate --sync "$console"
xdotool key space
sleep 1.5
mx=$(origin "$main" X) my=$(origin "$main" Y)
xdotool mousemove $((mx + 120 * scale)) $((my + 112 * scale)); sleep 2
# The tooltip is a window of its own: the screen's pixels where the main window stands.
frame=$(xwininfo -id "$main" -tree | sed -n 's/^ *Parent window id: \(0x[0-9a-f]*\).*/\1/p')
geometry=$(xwininfo -id "$frame" | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF}
    /Width/{w=$NF} /Height/{h=$NF} END{print w "x" h "+" x "+" y}')
import -window root -crop "$geometry" +repage "$out/compile-errors.png"
SESSION
xvfb-run -a -s "-screen 0 $((1280 * scale))x$((900 * scale))x24" \
    bash "$work/session.sh" "$out" "$work" "$PWD/tests/desktop/x11_session.sh" "$scale"
echo "screenshots in $out"
