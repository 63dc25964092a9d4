#!/usr/bin/env bash
# The magnifier's processor use on a virtual display, beside KMag: NerimLens with its
# Magnifier at 400% and KMag run side by side on a patterned desktop; the pointer moves 20
# times a second for SECONDS, then rests for SECONDS. Prints each program's share of one core
# moving and at rest (from /proc/PID/stat), its processor time per pointer move, and the
# ratios. KMag (Debian's kmag) is installed here when missing and the machine allows it;
# without it NerimLens is measured alone.
#
# Usage: bench/magnifier_cpu.sh [PROGRAM [SECONDS]]
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
program=${1:-$here/../build/default/nerimlens}
seconds=${2:-10}
moves_per_second=20
width=1920
height=1080
ticks_per_second=$(getconf CLK_TCK)

for tool in Xvfb xdotool convert display awk; do
    command -v "$tool" >/dev/null || { echo "$tool is missing (scripts/install-deps)" >&2; exit 1; }
done
[[ -x $program ]] || { echo "no program at $program (build it first)" >&2; exit 1; }

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
    # KMag at 400% (its fourth zoom step), following the mouse, at the right of the screen.
    mkdir -p "$XDG_CONFIG_HOME"
    printf '[General]\nZoomIndex=7\n' >"$XDG_CONFIG_HOME/kmagrc"
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

ticks() { [[ -n $1 && -r /proc/$1/stat ]] && awk '{print $14 + $15}' "/proc/$1/stat" || echo 0; }
now() { date +%s.%N; }

# Moving: a zig-zag over the desktop's pattern at the left, away from both windows.
nl_start=$(ticks "$nl_pid"); kmag_start=$(ticks "$kmag_pid"); t0=$(now)
moves=$((seconds * moves_per_second))
for ((i = 0; i < moves; i++)); do
    xdotool mousemove $((100 + (i * 37) % 500)) $((600 + (i * 23) % 400))
    sleep "$(awk -v r="$moves_per_second" 'BEGIN { printf "%.3f", 1 / r }')"
done
nl_moved=$(ticks "$nl_pid"); kmag_moved=$(ticks "$kmag_pid"); t1=$(now)
# At rest.
sleep "$seconds"
nl_rest=$(ticks "$nl_pid"); kmag_rest=$(ticks "$kmag_pid"); t2=$(now)

kill -0 "$nl_pid" 2>/dev/null || { echo "NerimLens ended early:" >&2; cat "$work/nerimlens.log" >&2; exit 1; }

awk -v hz="$ticks_per_second" -v moves="$moves" -v t0="$t0" -v t1="$t1" -v t2="$t2" \
    -v n0="$nl_start" -v n1="$nl_moved" -v n2="$nl_rest" \
    -v k0="$kmag_start" -v k1="$kmag_moved" -v k2="$kmag_rest" -v haskmag="${kmag_pid:+1}" '
function pct(a, b, t) { return 100 * (b - a) / hz / t }
function ms(a, b) { return 1000 * (b - a) / hz / moves }
BEGIN {
    moving = t1 - t0; rest = t2 - t1
    printf "%d pointer moves in %.1f s, then %.1f s at rest (%d ticks a second)\n", moves, moving, rest, hz
    printf "%-10s %10s %10s %14s\n", "", "moving", "at rest", "ms per move"
    printf "%-10s %9.2f%% %9.2f%% %14.3f\n", "NerimLens", pct(n0, n1, moving), pct(n1, n2, rest), ms(n0, n1)
    if (!haskmag) { print "KMag: not available, NerimLens measured alone"; exit }
    printf "%-10s %9.2f%% %9.2f%% %14.3f\n", "KMag", pct(k0, k1, moving), pct(k1, k2, rest), ms(k0, k1)
    if (k1 > k0) printf "ratio NerimLens/KMag: moving %.2f, per move %.2f (goal at most 0.5)\n", (n1 - n0) / (k1 - k0), (n1 - n0) / (k1 - k0)
    if (k2 > k1) printf "ratio NerimLens/KMag at rest: %.2f\n", ((n2 - n1) / rest) / ((k2 - k1) / rest)
    print "goal at rest: at most 0.30% of a core"
}'
