#!/usr/bin/env bash
# What a build costs the learner: from the click on 编译+运行 to the Java program's first
# output in the console, against javac + java typed into an xterm that is already open and
# printing into it, interleaved, under Xvfb with openbox, the real xterm and the given JDK first
# on PATH. The Java program prints the time it started (ms since the epoch), which each side
# reads from its terminal's log; each side's cost is that time minus the moment of the click or
# of the command. The first build (javac's archive is made beside it) is shown apart from the
# warm ones. Then the parts on their own: the console as the program starts it (the terminal
# with the program's options, the interpreter with its socket hand-over), the interpreter and
# hand-over alone, and javac by hand against javac through the program's launcher. The warm
# series starts once what the first build started beside it is ready: javac's archive and the
# warm compiler (its socket in the runtime folder); the compiler's start and idle memory are shown.
# Usage: bench/console_cost.sh [BUILD_DIR] [RUNS] [JDK_BIN]   (default out, 10, javac on PATH)
set -euo pipefail
build="$(realpath "${1:-out}")"
runs="${2:-10}"
jdk_bin="${3:-$(dirname "$(readlink -f "$(command -v javac)")")}"
helpers="$(dirname "$(realpath "$0")")/../tests/desktop/x11_session.sh"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/home" "$work/bin" "$work/hand" "$work/direct"
ln -s "$(command -v xterm)" "$work/bin/x-terminal-emulator"
# A terminal that is none: runs its command at once, for the interpreter's own cost.
printf '#!/bin/sh\n[ "$1" = -e ] && shift\nexec "$@"\n' >"$work/direct/x-terminal-emulator"
chmod +x "$work/direct/x-terminal-emulator"

cat >"$work/session.sh" <<'SESSION'
set -euo pipefail
build="$1"; work="$2"; runs="$3"; jdk_bin="$5"
source "$4"
mkdir -m 700 "$work/runtime"
export HOME="$work/home" PATH="$work/bin:$jdk_bin:$PATH" LANG=C.UTF-8 QT_QPA_PLATFORM=xcb \
    XDG_RUNTIME_DIR="$work/runtime"
unset XDG_CONFIG_HOME XDG_CACHE_HOME
now() { date +%s%3N; }
median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : int((a[NR/2] + a[NR/2+1]) / 2)}'; }
spread() { sort -n | awk '{a[NR]=$1} END {printf "%d-%d", a[1], a[NR]}'; }
# Waits until the command succeeds, for at most $1 seconds.
until_true() {
    local deadline=$(( $(now) + $1 * 1000 )); shift
    until "$@" >/dev/null 2>&1; do (( $(now) < deadline )) || return 1; sleep 0.01; done
}
# The stamp the Java program printed into a terminal's log.
stamp_in() { grep -a "^stamp " "$1" | tail -1 | tr -d '\r' | cut -d' ' -f2; }
start_window_manager
program='public class Stamp { public static void main(String[] a) { System.out.println("stamp " + System.currentTimeMillis()); } }'
echo "JDK: $("$jdk_bin/javac" -version 2>&1); load average before: $(cut -d' ' -f1-3 /proc/loadavg)"

# By hand: an xterm already open, logging what it shows, running a shell that takes each
# command line from a FIFO.
printf '%s\n' "$program" >"$work/hand/Stamp.java"
mkfifo "$work/hand/commands"
xterm -xrm "*logging: true" -xrm "*logFile: $work/hand.log" \
    -e bash -c "cd '$work/hand'; while true; do read -r line <'$work/hand/commands'; eval \"\$line\"; done" &
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

: >"$work/tool.ms"; : >"$work/hand.ms"; terminal_options=""
for ((i = 0; i < runs; i++)); do
    # The tool: click, the program's stamp in the console's log.
    : >"$work/console.log"
    t0=$(now)
    xdotool click 1
    console=$(wait_window "Korvath.bat" 30)
    until_true 30 grep -qa "^stamp " "$work/console.log"
    echo $(( $(stamp_in "$work/console.log") - t0 )) >>"$work/tool.ms"
    # The options the program gave the terminal, for the parts below.
    [[ -n "$terminal_options" ]] ||
        terminal_options=$(tr '\0' '\n' <"/proc/$(xdotool getwindowpid "$console")/cmdline" |
                           sed -n '2,/^-e$/p' | sed '$d' | tr '\n' '\037')
    xdotool windowactivate --sync "$console" >/dev/null 2>&1 || true
    xdotool key space
    until_true 15 bash -c "! xdotool search --name Korvath.bat | grep -q ."
    if ((i == 0)); then
        closed=$(now)
        until_true 180 bash -c "ls '$work/runtime/'javac-*.sock"
        server_ready=$(( $(now) - closed ))
        until_true 180 bash -c "ls '$HOME/.cache/TarnelJava/'javac-*.jsa" || true
        sleep 1
    fi
    sleep 0.3
    # By hand, printing into the open terminal.
    rm -f "$work/hand/Stamp.class"
    : >"$work/hand.log"
    t0=$(now)
    echo "javac Stamp.java && java Stamp" >"$work/hand/commands"
    until_true 30 grep -qa "^stamp " "$work/hand.log"
    echo $(( $(stamp_in "$work/hand.log") - t0 )) >>"$work/hand.ms"
    sleep 0.3
done
kill "$app" "$hand_terminal" 2>/dev/null || true
server=$(pgrep -f "tarneljava.javacserver.JavacServer $work/runtime" | head -1 || true)
sleep 5 # an idle server gives its heap back after two seconds
server_rss=$( [[ -n "$server" ]] && awk '/VmRSS/ {print int($2 / 1024)}' "/proc/$server/status" || echo "?")
server_cpu=$( [[ -n "$server" ]] && awk '{print int(($14 + $15) * 1000 / '"$(getconf CLK_TCK)"')}' "/proc/$server/stat" || echo "?")

# The parts on their own.
IFS=$'\037' read -r -a options <<<"$terminal_options"
: >"$work/xterm.ms"; : >"$work/javac.ms"; : >"$work/launcher.ms"
export TARNELJAVA_JDK_BIN="$jdk_bin" TARNELJAVA_JAVAC_START=fast
archive=$(ls "$HOME/.cache/TarnelJava/"javac-*.jsa 2>/dev/null | head -1 || true)
if [[ -n "$archive" ]]; then
    export TARNELJAVA_JAVAC_ARCHIVE="$archive"
    version=$("$jdk_bin/javac" -version 2>&1 | sed 's/javac \([0-9]*\).*/\1/')
    TARNELJAVA_JAVAC_START=$( ((version >= 19)) && echo auto || echo use)
fi
cd "$work/hand"
for ((i = 0; i < runs; i++)); do
    t0=$(now); xterm "${options[@]}" -e true; echo $(( $(now) - t0 )) >>"$work/xterm.ms"
    t0=$(now); "$jdk_bin/javac" Stamp.java; echo $(( $(now) - t0 )) >>"$work/javac.ms"
    if [[ -x "$build/bin/jdk-launchers/javac" ]]; then # not in builds before the launchers
        t0=$(now); "$build/bin/jdk-launchers/javac" Stamp.java; echo $(( $(now) - t0 )) >>"$work/launcher.ms"
    fi
done
[[ -z "$server" ]] || kill "$server"
if [[ -x "$build/bin/bench_console_start" ]]; then
    "$build/bin/bench_console_start" "$runs" >"$work/console.ms"
    PATH="$work/direct:$PATH" "$build/bin/bench_console_start" "$runs" >"$work/interpreter.ms"
fi

first=$(head -1 "$work/tool.ms")
tool=$(tail -n +2 "$work/tool.ms" | median); hand=$(median <"$work/hand.ms")
echo "runs: $runs each, interleaved; load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "click to the program's start, warm:  median $tool ms, spread $(tail -n +2 "$work/tool.ms" | spread)  ($(tail -n +2 "$work/tool.ms" | tr '\n' ' '))"
echo "click to the program's start, first: $first ms (javac's archive made beside it)"
echo "the warm compiler: ready ${server_ready} ms after the first console closed; its processor time in all: ${server_cpu} ms; idle resident memory: ${server_rss} MB"
echo "javac + java in an open xterm:       median $hand ms, spread $(spread <"$work/hand.ms")  ($(tr '\n' ' ' <"$work/hand.ms"))"
awk -v t="$tool" -v h="$hand" -v f="$first" \
    'BEGIN { printf "ratio: %.2f warm, %.2f first; the tool adds %d ms\n", t / h, f / h, t - h }'
[[ ! -s "$work/console.ms" ]] ||
    echo "the console as the program starts it: median $(median <"$work/console.ms") ms"
echo "  the terminal (xterm, the program's options): median $(median <"$work/xterm.ms") ms"
[[ ! -s "$work/interpreter.ms" ]] ||
    echo "  the interpreter with its hand-over:  median $(median <"$work/interpreter.ms") ms"
echo "javac by hand:                        median $(median <"$work/javac.ms") ms"
[[ ! -s "$work/launcher.ms" ]] ||
    echo "javac through the launcher:           median $(median <"$work/launcher.ms") ms ($TARNELJAVA_JAVAC_START)"
SESSION

printf '*logging: true\n*logFile: %s\n' "$work/console.log" >"$work/xresources"
XENVIRONMENT="$work/xresources" timeout 900 xvfb-run -a -s "-screen 0 1280x900x24" \
    bash "$work/session.sh" "$build" "$work" "$runs" "$helpers" "$jdk_bin"
