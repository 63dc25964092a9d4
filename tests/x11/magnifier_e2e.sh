#!/usr/bin/env bash
# Runs the real program on the X server of $DISPLAY (the test runs it under xvfb-run) with a
# window of a known color on the screen, and checks live picking end to end: with the cursor
# over that window, Enter in the main window and the pick hot key each add the window's color
# with its title and the cursor's position; Ctrl+C in the magnifier puts an image as wide as
# the magnifier pane on the clipboard; Save writes the picks into the document, which
# nerimlens-cli reads back.
#
# Usage: magnifier_e2e.sh PROGRAM CLI [SCREENSHOT]
set -uo pipefail

program=$1
cli=$2
screenshot=${3:-}
source "$(dirname "$0")/e2e_support.sh" mag-e2e
require_tools xdotool display xsetroot import

data=$work/NerimLens.dat
doc=$work/picks.nlz
ctrl_f11=0x2007A  # MOD_CONTROL << 16 | VK_F11: the pick hot key
swatch_color='#1A5C9E'

"$cli" settings defaults "$data" --hot-key "1=$ctrl_f11" || { echo "FAIL: cli defaults" >&2; exit 1; }
"$cli" doc add "$doc" '#000000' --at 1,1 >/dev/null || { echo "FAIL: cli doc add" >&2; exit 1; }

# A window of one known color, away from where the main window opens.
show_swatch Swatch 860,640 "$swatch_color" || exit 1

start_program "UserDataFilePath:$data" "$doc"

# The cursor over the color window, the main window active: Enter picks.
xdotool mousemove 1000 700
sleep 0.3
focus_window "$main"
sleep 0.5
xdotool key --window "$main" Return
sleep 0.3
# The pick hot key picks wherever the focus is.
xdotool mousemove 1010 710
sleep 0.3
xdotool key ctrl+F11
sleep 0.5
[[ -n $screenshot ]] && import -window root "$screenshot" 2>/dev/null

# Ctrl+C in the magnifier: the stretched image, as wide as the magnifier pane (the window's
# client width), on the clipboard, read back with xclip.
xdotool windowfocus --sync "$main" 2>/dev/null
xdotool key --window "$main" ctrl+c
sleep 0.5
if command -v xclip >/dev/null; then
    size=$(xclip -selection clipboard -t image/png -o 2>/dev/null | identify -format '%w %h' - 2>/dev/null)
    geometry=$(xdotool getwindowgeometry "$main")
    width=$(sed -n 's/.*Geometry: \([0-9]*\)x\([0-9]*\).*/\1/p' <<<"$geometry")
    height=$(sed -n 's/.*Geometry: \([0-9]*\)x\([0-9]*\).*/\2/p' <<<"$geometry")
    read -r image_w image_h <<<"$size"
    if [[ -n ${image_w:-} && $image_w -eq $width && $image_h -gt 0 && $image_h -lt $height ]]; then
        echo "ok: Ctrl+C put a ${image_w}x${image_h} image on the clipboard"
    else
        fail "clipboard image '${size}' for a ${width}x${height} window"
    fi
else
    echo "skip: no xclip to read the clipboard image"
fi

# The screen changes under a still pointer: the magnifier shows the new color within a few
# picking ticks. The pointer rests on the bare desktop, whose background is redrawn, so no
# window changes with it.
screen_pixel() { import -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null | grep -o '#[0-9A-F]\{6\}' | head -n 1; }
geometry=$(xdotool getwindowgeometry "$main")
read -r main_x main_y <<<"$(sed -n 's/.*Position: \([0-9]*\),\([0-9]*\).*/\1 \2/p' <<<"$geometry")"
read -r main_w main_h <<<"$(sed -n 's/.*Geometry: \([0-9]*\)x\([0-9]*\).*/\1 \2/p' <<<"$geometry")"
# A quarter of the way across the view's middle: inside the zoom, off its centre mark.
probe_x=$((main_x + main_w / 4))
probe_y=$((main_y + main_h / 2))
xdotool mousemove 150 950
for color in '#C03010' '#10A040'; do
    xsetroot -solid "$color"
    magnified_as() { [[ $(screen_pixel "$probe_x" "$probe_y") == "$1" ]]; }
    if wait_for 20 magnified_as "$color"; then
        echo "ok: the magnifier shows $color drawn under the still pointer"
    else
        fail "the magnifier shows $(screen_pixel "$probe_x" "$probe_y"), not $color drawn under the still pointer"
    fi
done

# The right button's menu simulates Deuteranopia: the magnified #C83264 shows as such eyes
# see it (Machado's matrix in linear light), within 2 per channel. The probe moves down,
# clear of the name the view shows over a simulated picture.
probe_y=$((main_y + main_h * 3 / 4))
xsetroot -solid '#C83264'
wait_for 20 magnified_as '#C83264' || fail "the magnifier does not show #C83264"
xdotool mousemove "$probe_x" "$probe_y" click 3
sleep 0.5
xdotool key Down Down Down Return
xdotool mousemove 150 950
near() {
    local got=$(screen_pixel "$probe_x" "$probe_y") i
    [[ -n $got ]] || return 1
    for i in 1 3 5; do
        local a=$((16#${got:i:2})) b=$((16#${2:i:2}))
        ((a - b <= 2 && b - a <= 2)) || return 1
    done
}
if wait_for 30 near x '#7F7860'; then
    echo "ok: simulated Deuteranopia shows #C83264 as $(screen_pixel "$probe_x" "$probe_y")"
    [[ -n $screenshot ]] && import -window "$main" "${screenshot%.png}-simulated.png" 2>/dev/null
else
    fail "with Deuteranopia the magnifier shows $(screen_pixel "$probe_x" "$probe_y"), not about #7F7860"
fi

# Save (Ctrl+S writes the opened document without asking), then Exit.
xdotool windowfocus --sync "$main" 2>/dev/null
save_and_exit

info=$("$cli" doc info "$doc")
count=$(grep -c '"index"' <<<"$info")
[[ $count -eq 3 ]] && echo "ok: two picks added" || fail "the document holds $count colors"
picks=$(grep -c "\"color\": \"$swatch_color\"" <<<"$info")
[[ $picks -eq 2 ]] && echo "ok: both picks have the window's color" || fail "$picks picks of $swatch_color"
titles=$(grep -c '"source_title": "Swatch"' <<<"$info")
[[ $titles -eq 2 ]] && echo "ok: both picks name the window" || fail "$titles picks name the window"
for at in '"x": 1000,' '"x": 1010,'; do
    grep -q "$at" <<<"$info" && echo "ok: a pick at $at" || fail "no pick at $at"
done

if ((failures)); then
    echo "$failures check(s) failed; document:" >&2
    echo "$info" >&2
    cat "$work/program.log" >&2
    exit 1
fi
echo "all magnifier end-to-end checks passed"
