#!/usr/bin/env bash
# Takes the README's screenshots (docs/*.png) of the real program under Xvfb with xterm:
# the main window, the options dialog, the about box and a build's console window.
# Usage: scripts/screenshots.sh [output folder]   (needs a build in out/)
set -euo pipefail
cd "$(dirname "$0")/.."
out="$(realpath -m "${1:-docs}")"
mkdir -p "$out"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/prog" "$work/home"
cp out/bin/TarnelJava out/bin/tarneljava-cmd "$work/prog/"

cat >"$work/session.sh" <<'SESSION'
set -euo pipefail
out="$1"; work="$2"
export HOME="$work/home" LANG=C.UTF-8
openbox --sm-disable >/dev/null 2>&1 &
sleep 0.5
"$work/prog/TarnelJava" &
app=$!
trap 'kill $app 2>/dev/null || true' EXIT
main=""
for _ in $(seq 50); do
    main=$(xdotool search --name "TarnelJava编译器" 2>/dev/null | head -1 || true)
    [[ -n "$main" ]] && break
    sleep 0.2
done
sleep 0.5
# The client area's position on the screen.
origin() { xwininfo -id "$1" | sed -n "s/^ *Absolute upper-left $2: *//p"; }
mx=$(origin "$main" X) my=$(origin "$main" Y)
# A window with its frame: the frame is the window's parent under the window manager.
shot() {
    local id="$1"
    [[ "$id" != root ]] && id=$(xwininfo -id "$id" -tree | sed -n 's/^ *Parent window id: \(0x[0-9a-f]*\).*/\1/p')
    import -window "$id" "$out/$2"
}
click() { xdotool mousemove $((mx + $1)) $((my + $2)) click 1; sleep 0.8; }
# Waits for a window whose name matches and prints its id.
window() {
    local id=""
    for _ in $(seq 50); do
        id=$(xdotool search --name "$1" 2>/dev/null | head -1 || true)
        [[ -n "$id" ]] && { echo "$id"; return; }
        sleep 0.2
    done
    echo "no window named $1" >&2
    xdotool search --name . getwindowname %@ >&2 || true
    return 1
}

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
dialog=$(window "^帮助$")
shot "$dialog" options-dialog.png
xdotool windowactivate --sync "$dialog"; xdotool key alt+F4
sleep 0.5
click 180 25
about=$(window "^关于$")
ax=$(origin "$about" X) ay=$(origin "$about" Y)
xdotool mousemove $((ax + 100)) $((ay + 174)); sleep 0.5   # hover over 个人主页
shot "$about" about-box.png
xdotool mousemove $((ax + 288)) $((ay + 176)) click 1; sleep 0.5   # 确定

# A build: the console window over the main window.
click 106 25
sleep 3
shot root build-console.png
console=$(window "Korvath.bat")
xdotool windowactivate --sync "$console"
xdotool key space
sleep 1
SESSION
xvfb-run -a -s "-screen 0 1280x900x24" bash "$work/session.sh" "$out" "$work"
echo "screenshots in $out"
