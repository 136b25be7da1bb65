#!/usr/bin/env bash
# What the console costs a build: from the click on 编译+运行 to the Java program's first
# output, against javac + java typed into an xterm that is already open, interleaved, under
# Xvfb with openbox, the real xterm and the JDK on PATH. The Java program prints the time it
# started (ms since the epoch); each side's cost is that time minus the moment of the click or
# of the command. Then the parts on their own: an xterm's start, the interpreter's start, the
# compile and run alone.
# Usage: bench/console_cost.sh [BUILD_DIR] [RUNS]   (default out, 10)
set -euo pipefail
build="$(realpath "${1:-out}")"
runs="${2:-10}"
helpers="$(dirname "$(realpath "$0")")/../tests/desktop/x11_session.sh"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/home" "$work/bin" "$work/hand"
ln -s "$(command -v xterm)" "$work/bin/x-terminal-emulator"

cat >"$work/session.sh" <<'SESSION'
set -euo pipefail
build="$1"; work="$2"; runs="$3"
source "$4"
export HOME="$work/home" PATH="$work/bin:$PATH" LANG=C.UTF-8 QT_QPA_PLATFORM=xcb
unset XDG_CONFIG_HOME
now() { date +%s%3N; }
median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : int((a[NR/2] + a[NR/2+1]) / 2)}'; }
until_true() { local t=$(( $1 * 100 )); shift; while ! "$@" >/dev/null 2>&1; do ((t--)) || return 1; sleep 0.01; done; }
start_window_manager
program='public class Stamp { public static void main(String[] a) { System.out.println("stamp " + System.currentTimeMillis()); } }'

# By hand: an xterm already open, running a shell that takes each command line from a FIFO.
printf '%s\n' "$program" >"$work/hand/Stamp.java"
mkfifo "$work/hand/commands"
xterm -xrm "*logging: false" -e bash -c "cd '$work/hand'; while true; do read -r line <'$work/hand/commands'; eval \"\$line\"; done" &
hand_terminal=$!
sleep 1

# The program, with the program typed once.
"$build/bin/TarnelJava" >/dev/null 2>&1 &
app=$!
main=$(wait_window "TarnelJava编译器" 15)
sleep 1
click_in "$main" 200 200
xdotool type --delay 2 "$program"
sleep 0.5
classes="$HOME/MyJava/ClassFiles"
# The pointer rests on 编译+运行: each run's clock starts with the click itself.
xdotool mousemove $(( $(origin "$main" X) + 106 )) $(( $(origin "$main" Y) + 25 ))

: >"$work/tool.ms"; : >"$work/hand.ms"
for ((i = 0; i < runs; i++)); do
    # The tool: click, the program's stamp in the source copy's output (the console's log).
    rm -f "$work/stamp.txt"
    t0=$(now)
    xdotool click 1
    console=$(wait_window "Korvath.bat" 30)
    until_true 30 test -f "$classes/Stamp.class"
    # The stamp is read from the console window's text through xterm's log.
    until_true 30 grep -q "^stamp " "$work/console.log"
    stamp=$(grep "^stamp " "$work/console.log" | tail -1 | tr -d '\r' | cut -d' ' -f2)
    echo $((stamp - t0)) >>"$work/tool.ms"
    : >"$work/console.log"
    xdotool windowactivate --sync "$console" >/dev/null 2>&1 || true
    xdotool key space
    until_true 15 bash -c "! xdotool search --name Korvath.bat | grep -q ."
    sleep 0.3
    # By hand.
    rm -f "$work/hand/out.txt" "$work/hand/Stamp.class"
    t0=$(now)
    echo "javac Stamp.java && java Stamp >out.txt" >"$work/hand/commands"
    until_true 30 grep -q "^stamp " "$work/hand/out.txt"
    stamp=$(cut -d' ' -f2 "$work/hand/out.txt")
    echo $((stamp - t0)) >>"$work/hand.ms"
    sleep 0.3
done
kill "$app" "$hand_terminal" 2>/dev/null || true

# The parts on their own.
: >"$work/xterm.ms"; : >"$work/interpreter.ms"
printf '@echo off\r\necho x\r\n' >"$work/empty.bat"
for ((i = 0; i < runs; i++)); do
    t0=$(now); xterm -e true; echo $(( $(now) - t0 )) >>"$work/xterm.ms"
    t0=$(now); "$build/bin/tarneljava-cmd" "$work/empty.bat" >/dev/null; echo $(( $(now) - t0 )) >>"$work/interpreter.ms"
done
tool=$(median <"$work/tool.ms"); hand=$(median <"$work/hand.ms")
echo "runs: $runs each, interleaved"
echo "click to the program's start:       median $tool ms  ($(tr '\n' ' ' <"$work/tool.ms"))"
echo "javac + java in an open xterm:      median $hand ms  ($(tr '\n' ' ' <"$work/hand.ms"))"
awk -v t="$tool" -v h="$hand" 'BEGIN { printf "ratio: %.2f, the tool adds %d ms\n", t / h, t - h }'
echo "an xterm's start and end alone:     median $(median <"$work/xterm.ms") ms"
echo "the interpreter's start and end:    median $(median <"$work/interpreter.ms") ms"
SESSION

printf '*logging: true\n*logFile: %s\n' "$work/console.log" >"$work/xresources"
XENVIRONMENT="$work/xresources" timeout 600 xvfb-run -a -s "-screen 0 1280x900x24" \
    bash "$work/session.sh" "$build" "$work" "$runs" "$helpers"
