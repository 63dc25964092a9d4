#!/usr/bin/env bash
# The magnifier's processor use on a virtual display, beside KMag: NerimLens with its
# Magnifier at 400% and KMag run side by side on a patterned desktop; the pointer moves 20
# times a second for SECONDS, then rests for SECONDS. Prints each program's share of one core
# moving and at rest (from /proc/PID/stat), its processor time per pointer move, and the
# ratios. KMag (Debian's kmag) is installed here when missing and the machine allows it;
# without it NerimLens is measured alone.
#
# Each program's repaints while the pointer moves are counted from outside by the X server's
# damage reports on its windows (nerimlens_repaint_count), so that "per repaint" means the
# same for both: KMag redraws at its own refresh rate, NerimLens when the picture changed.
#
# Usage: bench/magnifier_cpu.sh [PROGRAM [SECONDS]]
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
program=${1:-$here/../build/default/nerimlens}
counter=$(dirname "$program")/bench/nerimlens_repaint_count
seconds=${2:-10}
moves_per_second=20
width=1920
height=1080

for tool in Xvfb xdotool convert display awk; do
    command -v "$tool" >/dev/null || { echo "$tool is missing (scripts/install-deps)" >&2; exit 1; }
done
[[ -x $program ]] || { echo "no program at $program (build it first)" >&2; exit 1; }
[[ -x $counter ]] || { echo "no repaint counter at $counter (build it first)" >&2; exit 1; }

# KMag for comparison: installed only for this measurement, never by install-deps.
if ! command -v kmag >/dev/null; then
    sudo=""
    [[ $(id -u) -eq 0 ]] || sudo="sudo -n"
    if [[ -z $sudo ]] || command -v sudo >/dev/null; then
        echo "Installing kmag for the comparison..."
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends kmag \
            >/dev/null 2>&1 || echo "kmag could not be installed: measuring NerimLens alone"
    fi
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/nl-magcpu-XXXXXX")
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null && wait "$p" 2>/dev/null; done
    rm -rf "$work"
}
trap cleanup EXIT
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
export XDG_CACHE_HOME=$work/cache XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

# A display of our own.
for ((n = 90; n < 190; n++)); do
    [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]] || break
done
Xvfb ":$n" -screen 0 "${width}x${height}x24" -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
export DISPLAY=:$n
for ((i = 0; i < 50; i++)); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done

# Something to magnify: checks and a gradient as the desktop background.
convert -size "${width}x${height}" gradient:'#204080-#e0a040' \
    \( -size "${width}x${height}" pattern:checkerboard -alpha set -channel A -evaluate set 30% \) \
    -composite "$work/desktop.png" && display -window root "$work/desktop.png"

# NerimLens on its defaults: the Magnifier at 400%, picking started.
"$program" >"$work/nerimlens.log" 2>&1 &
nl_pid=$!
pids+=("$nl_pid")
kmag_pid=
if command -v kmag >/dev/null; then
    # KMag at 1:4 (zoom index 6, in the section KMag reads), following the mouse, at the
    # right of the screen.
    mkdir -p "$XDG_CONFIG_HOME"
    printf '[General Options]\nZoomIndex=6\n' >"$XDG_CONFIG_HOME/kmagrc"
    QT_QPA_PLATFORM=xcb kmag >"$work/kmag.log" 2>&1 &
    kmag_pid=$!
    pids+=("$kmag_pid")
fi
sleep 5
if [[ -n $kmag_pid ]]; then
    kmag_window=$(xdotool search --onlyvisible --pid "$kmag_pid" 2>/dev/null | head -n 1)
    [[ -n $kmag_window ]] && xdotool windowmove "$kmag_window" 1100 50 windowsize "$kmag_window" 350 250
fi
sleep 2
[[ -n ${NL_SCREENSHOT:-} ]] && import -window root "$NL_SCREENSHOT"

# Processor time of all of a process's threads in nanoseconds (the scheduler's own count, far
# finer than the clock ticks of /proc/PID/stat).
ticks() {
    [[ -n $1 && -d /proc/$1/task ]] || { echo 0; return; }
    cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ s += $1 } END { printf "%.0f\n", s }'
}
# Starts counting the repaints of a process's visible windows; prints the counter's pid.
count_repaints() {
    local windows= try
    # A search that meets a window going away comes back empty: ask again.
    for ((try = 0; try < 5 && ${#windows} == 0; try++)); do
        windows=$(xdotool search --onlyvisible --pid "$1" 2>/dev/null | tr '\n' ' ')
        [[ -n $windows ]] || sleep 0.2
    done
    [[ -n $windows ]] || { echo "no window of process $1 found: its repaints are not counted" >&2; return; }
    # shellcheck disable=SC2086
    "$counter" $windows >"$work/repaints.$1" &
    echo $!
}
repaints_of() {
    [[ -n $2 ]] || { echo 0; return; }
    # The counter was started in a command substitution: not this shell's child to wait for.
    kill -INT "$2" && while kill -0 "$2" 2>/dev/null; do sleep 0.05; done
    cat "$work/repaints.$1"
}
now() { date +%s.%N; }

# Moving: a zig-zag over the desktop's pattern at the left, away from both windows.
nl_counter=$(count_repaints "$nl_pid")
kmag_counter=
[[ -n $kmag_pid ]] && kmag_counter=$(count_repaints "$kmag_pid")
nl_start=$(ticks "$nl_pid"); kmag_start=$(ticks "$kmag_pid"); t0=$(now)
moves=$((seconds * moves_per_second))
# One xdotool run makes every move with its own pauses between them: a process per move
# would spend its start-up between moves and halve the rate.
pause=$(awk -v r="$moves_per_second" 'BEGIN { printf "%.3f", 1 / r }')
steps=()
for ((i = 0; i < moves; i++)); do
    steps+=(mousemove $((100 + (i * 37) % 500)) $((600 + (i * 23) % 400)) sleep "$pause")
done
xdotool "${steps[@]}"
nl_moved=$(ticks "$nl_pid"); kmag_moved=$(ticks "$kmag_pid"); t1=$(now)
nl_repaints=$(repaints_of "$nl_pid" "$nl_counter")
kmag_repaints=$(repaints_of "$kmag_pid" "$kmag_counter")
# At rest.
sleep "$seconds"
nl_rest=$(ticks "$nl_pid"); kmag_rest=$(ticks "$kmag_pid"); t2=$(now)

kill -0 "$nl_pid" 2>/dev/null || { echo "NerimLens ended early:" >&2; cat "$work/nerimlens.log" >&2; exit 1; }

awk -v moves="$moves" -v t0="$t0" -v t1="$t1" -v t2="$t2" \
    -v n0="$nl_start" -v n1="$nl_moved" -v n2="$nl_rest" -v nr="$nl_repaints" \
    -v k0="$kmag_start" -v k1="$kmag_moved" -v k2="$kmag_rest" -v kr="$kmag_repaints" \
    -v haskmag="${kmag_pid:+1}" '
function pct(a, b, t) { return 100 * (b - a) / 1e9 / t }
function per(a, b, n) { return n > 0 ? (b - a) / 1e6 / n : 0 }
BEGIN {
    moving = t1 - t0; rest = t2 - t1
    printf "%d pointer moves in %.1f s, then %.1f s at rest\n", moves, moving, rest
    printf "%-10s %9s %9s %9s %13s %13s\n", "", "moving", "at rest", "repaints", "ms per move", "ms per repaint"
    printf "%-10s %8.2f%% %8.3f%% %9d %13.3f %13.3f\n", "NerimLens", pct(n0, n1, moving), pct(n1, n2, rest), nr, per(n0, n1, moves), per(n0, n1, nr)
    if (!haskmag) { print "KMag: not available, NerimLens measured alone"; exit }
    printf "%-10s %8.2f%% %8.3f%% %9d %13.3f %13.3f\n", "KMag", pct(k0, k1, moving), pct(k1, k2, rest), kr, per(k0, k1, moves), per(k0, k1, kr)
    if (k1 > k0) printf "ratio NerimLens/KMag moving: %.2f\n", (n1 - n0) / (k1 - k0)
    if (per(k0, k1, kr) > 0 && nr > 0) printf "ratio NerimLens/KMag per repaint: %.2f (goal at most 0.5)\n", per(n0, n1, nr) / per(k0, k1, kr)
    if (k2 > k1) printf "ratio NerimLens/KMag at rest: %.2f\n", (n2 - n1) / (k2 - k1)
    print "goal at rest: at most 0.30% of a core"
}'
