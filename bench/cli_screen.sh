#!/usr/bin/env bash
# The command line's screen commands as whole processes against the tools people script
# today, on one 1600x1000 virtual screen showing a photo-like image: `capture desktop` beside
# scrot, ImageMagick's import, maim and the raw dump of xwd (median times and file sizes),
# `pick X Y` and `color` beside `xdotool getmouselocation` (through hyperfine where it is
# installed); then, in the same run, the program's own capture (the in-process grab and PNG
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

# The median wall time in milliseconds of RUNS runs of the command, after one warm-up run.
median_ms() {
    local i start end times=()
    "$@" >/dev/null 2>&1
    for ((i = 0; i < runs; i++)); do
        start=$(date +%s%N)
        "$@" >/dev/null 2>&1
        end=$(date +%s%N)
        times+=($(((end - start) / 1000)))
    done
    printf '%s\n' "${times[@]}" | sort -n | awk '{t[NR] = $1} END {printf "%.1f", t[int((NR + 1) / 2)] / 1000}'
}
bytes() { stat -c %s "$1" 2>/dev/null || echo 0; }

declare -A ms size
row() {  # NAME FILE COMMAND...
    local name=$1 file=$2
    shift 2
    command -v "$1" >/dev/null || { echo "$name: not installed, left out"; return; }
    ms[$name]=$(median_ms "$@")
    size[$name]=$(bytes "$file")
}
row nerimlens-cli cli.png "$cli" capture desktop cli.png
row scrot s.png scrot -o s.png
row import i.png import -window root i.png
row maim m.png maim m.png
row xwd x.xwd xwd -root -out x.xwd

echo
echo "Full desktop ${width}x${height}, median of $runs runs as whole processes:"
printf '%-14s %9s %11s %10s %10s\n' tool ms bytes "time/scrot" "size/scrot"
for name in nerimlens-cli scrot import maim xwd; do
    [[ -n ${ms[$name]:-} ]] || continue
    ratio_t=- ratio_s=-
    if [[ -n ${ms[scrot]:-} ]]; then
        ratio_t=$(awk -v a="${ms[$name]}" -v b="${ms[scrot]}" 'BEGIN {printf "%.2f", a / b}')
        ratio_s=$(awk -v a="${size[$name]}" -v b="${size[scrot]}" 'BEGIN {printf "%.2f", a / b}')
    fi
    printf '%-14s %9s %11s %10s %10s\n' "$name" "${ms[$name]}" "${size[$name]}" "$ratio_t" "$ratio_s"
done

# The median wall time in milliseconds of a short command: hyperfine without a shell where it
# is installed (30 runs after 5 warm-ups), else the loop above.
quick_ms() {
    if command -v hyperfine >/dev/null; then
        hyperfine -N --warmup 5 --runs 30 --export-json "$work/hf.json" "$*" >/dev/null 2>&1 &&
            python3 -c 'import json,sys; print("%.1f" % (json.load(open(sys.argv[1]))["results"][0]["median"] * 1000))' "$work/hf.json" &&
            return
    fi
    median_ms "$@"
}

echo
echo "Process times, medians as whole processes (goal for pick: under 10 ms):"
pick=$(quick_ms "$cli" pick 800 500)
color=$(quick_ms "$cli" color 12,200,99)
mouse=$(quick_ms xdotool getmouselocation)
printf '%-34s %6s ms\n' "nerimlens-cli pick 800 500" "$pick" "nerimlens-cli color 12,200,99" \
    "$color" "xdotool getmouselocation" "$mouse"
printf '%-34s %6s\n' "pick / color" "$(awk -v a="$pick" -v b="$color" 'BEGIN {printf "%.2f", a / b}')" \
    "pick / xdotool getmouselocation" "$(awk -v a="$pick" -v b="$mouse" 'BEGIN {printf "%.2f", a / b}')"

if [[ -x $grab_bench ]]; then
    echo
    echo "The program's capture in the same run (in-process grab of the desktop, Qt's PNG save):"
    "$grab_bench" --benchmark_filter='BM_GrabFullDesktop|BM_SavePng' 2>/dev/null |
        sed 's/\x1b\[[0-9;]*m//g' | grep -E '^BM_' || echo "the grab benchmark did not run"
fi
