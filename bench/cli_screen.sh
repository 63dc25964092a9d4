#!/usr/bin/env bash
# The command line's screen commands as whole processes against the tools people script
# today, on one 1600x1000 virtual screen showing a photo-like image: `capture desktop` beside
# scrot, ImageMagick's import, maim and the raw dump of xwd (median times and file sizes),
# `pick X Y` and `color` beside `xdotool getmouselocation`, every tool timed in interleaved
# rounds; then, in the same run, the program's own capture (the in-process grab and PNG
# save of the grab benchmark) for comparison. Prints the ratios to scrot. scrot, maim and xwd are installed here when missing
# and the machine allows it; a tool that stays missing is left out.
#
# Usage: bench/cli_screen.sh [CLI [RUNS]]
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
cli=$(realpath "${1:-$here/../build/default/src/cli/nerimlens-cli}")
runs=${2:-15}
grab_bench=$(dirname "$cli")/../../bench/nerimlens_grab_bench
width=1600
height=1000

for tool in Xvfb convert display xdotool; do
    command -v "$tool" >/dev/null || { echo "$tool is missing (scripts/install-deps)" >&2; exit 1; }
done
[[ -x $cli ]] || { echo "no command line at $cli (build it first)" >&2; exit 1; }

# The tools compared against: installed only for this measurement, never by install-deps.
missing=()
command -v scrot >/dev/null || missing+=(scrot)
command -v maim >/dev/null || missing+=(maim)
command -v xwd >/dev/null || missing+=(x11-apps)
if ((${#missing[@]} > 0)); then
    sudo=""
    [[ $(id -u) -eq 0 ]] || sudo="sudo -n"
    if [[ -z $sudo ]] || command -v sudo >/dev/null; then
        echo "Installing ${missing[*]} for the comparison..."
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends \
            "${missing[@]}" >/dev/null 2>&1 || echo "could not install ${missing[*]}: left out"
    fi
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/nl-cliscreen-XXXXXX")
xvfb_pid=
viewer_pid=
cleanup() {
    [[ -n $viewer_pid ]] && kill "$viewer_pid" 2>/dev/null && wait "$viewer_pid" 2>/dev/null
    [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

display_number=$((90 + RANDOM % 100))
Xvfb ":$display_number" -screen 0 "${width}x${height}x24" -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=:$display_number
for ((i = 0; i < 50; i++)); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
convert -size "${width}x${height}" plasma:fractal "$work/photo.png"
# The photo fills the screen in a window of its own (no window manager frames it).
display -geometry "+0+0" "$work/photo.png" >/dev/null 2>&1 &
viewer_pid=$!
for ((i = 0; i < 100; i++)); do
    [[ -n $(xdotool search --onlyvisible --class display 2>/dev/null) ]] && break
    sleep 0.1
done
sleep 0.5
cd "$work" || exit 1

# Each tool's command, by name; `run NAME` runs it once, its output thrown away.
run() {
    case $1 in
        nerimlens-cli) "$cli" capture desktop cli.png ;;
        scrot) scrot -o s.png ;;
        import) import -window root i.png ;;
        maim) maim m.png ;;
        xwd) xwd -root -out x.xwd ;;
        pick) "$cli" pick 800 500 ;;
        color) "$cli" color 12,200,99 ;;
        xdotool) xdotool getmouselocation ;;
    esac >/dev/null 2>&1
}
# The median wall times in milliseconds of ROUNDS rounds in which every named tool runs once,
# in turn, after one warm-up round: tools timed in blocks would each meet another state of
# the machine (caches, load, frequency), and their ratios would mislead. Sets ms[NAME].
declare -A ms size
interleaved() {
    local rounds=$1 name round start end
    shift
    declare -A times=()
    for name in "$@"; do run "$name"; done
    for ((round = 0; round < rounds; round++)); do
        for name in "$@"; do
            start=$(date +%s%N)
            run "$name"
            end=$(date +%s%N)
            times[$name]+="$(((end - start) / 1000)) "
        done
    done
    for name in "$@"; do
        ms[$name]=$(tr ' ' '\n' <<<"${times[$name]}" | grep . | sort -n |
            awk '{t[NR] = $1} END {printf "%.1f", t[int((NR + 1) / 2)] / 1000}')
    done
}
bytes() { stat -c %s "$1" 2>/dev/null || echo 0; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }

# The tools present; one missing is left out.
declare -A command_of=([nerimlens-cli]=$cli [scrot]=scrot [import]=import [maim]=maim [xwd]=xwd)
declare -A file_of=([nerimlens-cli]=cli.png [scrot]=s.png [import]=i.png [maim]=m.png [xwd]=x.xwd)
capturers=()
for name in nerimlens-cli scrot import maim xwd; do
    if command -v "${command_of[$name]}" >/dev/null; then capturers+=("$name"); else
        echo "$name: not installed, left out"
    fi
done
interleaved "$runs" "${capturers[@]}"
for name in "${capturers[@]}"; do size[$name]=$(bytes "${file_of[$name]}"); done

echo
echo "Full desktop ${width}x${height}, medians of $runs interleaved rounds as whole processes:"
printf '%-14s %9s %11s %10s %10s\n' tool ms bytes "time/scrot" "size/scrot"
for name in "${capturers[@]}"; do
    ratio_t=- ratio_s=-
    if [[ -n ${ms[scrot]:-} ]]; then
        ratio_t=$(ratio "${ms[$name]}" "${ms[scrot]}")
        ratio_s=$(ratio "${size[$name]}" "${size[scrot]}")
    fi
    printf '%-14s %9s %11s %10s %10s\n' "$name" "${ms[$name]}" "${size[$name]}" "$ratio_t" "$ratio_s"
done

echo
echo "Process times, medians of $((2 * runs)) interleaved rounds (goal for pick: under 10 ms):"
interleaved $((2 * runs)) pick color xdotool
printf '%-34s %6s ms\n' "nerimlens-cli pick 800 500" "${ms[pick]}" "nerimlens-cli color 12,200,99" \
    "${ms[color]}" "xdotool getmouselocation" "${ms[xdotool]}"
printf '%-34s %6s\n' "pick / color" "$(ratio "${ms[pick]}" "${ms[color]}")" \
    "pick / xdotool getmouselocation" "$(ratio "${ms[pick]}" "${ms[xdotool]}")"

if [[ -x $grab_bench ]]; then
    echo
    echo "The program's capture in the same run (in-process grab of the desktop, Qt's PNG save):"
    "$grab_bench" --benchmark_filter='BM_GrabFullDesktop|BM_SavePng' 2>/dev/null |
        sed 's/\x1b\[[0-9;]*m//g' | grep -E '^BM_' || echo "the grab benchmark did not run"
fi
