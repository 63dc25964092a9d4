#!/usr/bin/env bash
# Runs the real program under a window manager (openbox), which puts every window in a frame
# of its own, beside ImageMagick's display (a window without child windows). The Screen
# Copier's window shape takes the frame with its window; with Shift held it takes the window
# the manager framed, 300 x 200 pixels of its color and nothing of the frame.
#
# Usage: window_pick_e2e.sh PROGRAM CLI
set -uo pipefail

program=$1
cli=$2
source "$(dirname "$0")/e2e_support.sh" pick-e2e
require_tools xdotool display xclip xwininfo identify convert openbox xprop

data=$work/NerimLens.dat
blue='#1A5C9E'
"$cli" settings defaults "$data" || { echo "FAIL: cli defaults" >&2; exit 1; }
openbox >"$work/wm.log" 2>&1 &
extra_pids+=($!)
wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
wait_for 100 wm_running || { fail "the window manager did not start"; exit 1; }
show_swatch Framed 900,300 "$blue" || exit 1
start_program "UserDataFilePath:$data"
menu_item alt+t s

# The frame's size: the window manager's window that holds the swatch.
frame_id=$(xwininfo -name Framed -tree | awk '/Parent window id:/ {print $4}')
frame=$(xwininfo -id "$frame_id" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')
[[ $frame != 300x200 ]] || fail "the swatch has no frame around it"

overlay_shown() { [[ -n $(xdotool search --onlyvisible --classname '^NerimScrCop$' 2>/dev/null) ]]; }
overlay_gone() { ! overlay_shown; }
clip=$work/clip.png

# modifier (none or shift) | expected image size | pixel=color checks (image coordinates)
steps=(
    "none|$frame|"
    "shift|300x200|0,0=$blue 299,199=$blue"
)
for step in "${steps[@]}"; do
    IFS='|' read -r modifier size checks <<<"$step"
    xclip -selection clipboard -i /dev/null
    # The window shape's button, from the main window's corner (xwininfo: xdotool misplaces
    # framed windows by the title bar).
    read -r x y < <(xwininfo -id "$main" | awk '/Absolute upper-left X/ {x=$4}
        /Absolute upper-left Y/ {y=$4} END {print x, y}')
    xdotool mousemove $((x + 20)) $((y + 104)) click 1
    wait_for 50 overlay_shown || fail "$modifier: no overlay"
    [[ $modifier == none ]] || xdotool keydown "$modifier"
    xdotool mousemove 1040 400
    sleep 0.2
    xdotool mousemove 1050 410 click 1
    [[ $modifier == none ]] || xdotool keyup "$modifier"
    wait_for 50 overlay_gone || fail "$modifier: the overlay stayed"
    wait_for 50 window_shown || fail "$modifier: the main window did not come back"
    sleep 0.3
    xclip -selection clipboard -t image/png -o >"$clip" 2>/dev/null
    got=$(identify -format '%wx%h' "$clip" 2>/dev/null)
    [[ $got == "$size" ]] && echo "ok: $modifier: a $got image" ||
        fail "$modifier: the image is ${got:-missing}, not $size"
    for check in $checks; do
        have=$(convert "$clip" -format "#%[hex:p{${check%=*}}]" info: 2>/dev/null | cut -c1-7)
        [[ $have == "${check#*=}" ]] && echo "ok: $modifier: pixel ${check%=*} is $have" ||
            fail "$modifier: pixel ${check%=*} is $have, not ${check#*=}"
    done
done

if ((failures)); then
    echo "$failures check(s) failed; program output:" >&2
    cat "$work/program.log" >&2
    exit 1
fi
echo "all end-to-end checks passed"
