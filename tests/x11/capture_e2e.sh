#!/usr/bin/env bash
# Runs the real program on the X server of $DISPLAY (the test runs it under xvfb-run, which
# has no compositing manager: the overlay shows a dimmed snapshot) with two windows of known
# colors, and captures with each of the seven shapes by xdotool gestures. Every capture goes
# to the clipboard (Auto-copy is on by default), where xclip reads it back: its size and
# pixels are checked, the fill color outside rounded, elliptic and custom shapes included.
# The overlay shows its prompt and the selection beside the pointer, never in the copy.
# Then the last capture is exported as PNG and JPEG, and Esc aborts a capture: the main
# window comes back with the abort reported. Another client grabbing the pointer while the
# overlay is open aborts it the same way, with NL_GRAB_HELPER naming the program that grabs.
#
# Usage: capture_e2e.sh PROGRAM CLI [SCREENSHOT_FOLDER]
set -uo pipefail

program=$1
cli=$2
shots=${3:-}
source "$(dirname "$0")/e2e_support.sh" cap-e2e
require_tools xdotool display xclip xwininfo convert identify

data=$work/NerimLens.dat
blue='#1A5C9E'
red='#C03020'
white='#FFFFFF'
black='#000000'

"$cli" settings defaults "$data" || { echo "FAIL: cli defaults" >&2; exit 1; }
show_swatch Blue 900,100 "$blue" || exit 1
show_swatch Red 900,600 "$red" || exit 1
start_program "UserDataFilePath:$data"
menu_item alt+t s

# The form's buttons, as offsets from the main window's top-left corner.
declare -A button=(
    [rectangle]=20,69 [roundrect]=55,69 [ellipse]=90,69 [custom]=125,69
    [window]=20,104 [monitor]=55,104 [desktop]=90,104 [include_own]=160,186
)
click_button() {
    local at=${button[$1]}
    eval "$(xdotool getwindowgeometry --shell "$main")"
    xdotool mousemove $((X + ${at%,*})) $((Y + ${at#*,})) click 1
}
# The captured image shows in the copy without the main window.
click_button include_own
sleep 0.3

overlay_shown() { [[ -n $(xdotool search --onlyvisible --classname '^NerimScrCop$' 2>/dev/null) ]]; }
overlay_gone() { ! overlay_shown; }
main_hidden() { ! window_shown; }

# Plays a gesture over the overlay: "drag X,Y X,Y ..." presses at the first point, moves
# through the others and releases at the last; "click X,Y" presses and releases there;
# "none" waits for the overlay to finish by itself. $2 names a screenshot taken before the
# button is released.
play() {
    local gesture=$1 shot=$2 kind points p
    read -r kind points <<<"$gesture"
    case $kind in
        drag | click)
            set -- $points
            xdotool mousemove "${1%,*}" "${1#*,}" mousedown 1
            sleep 0.2
            for p in "${@:2}"; do xdotool mousemove "${p%,*}" "${p#*,}"; sleep 0.1; done
            [[ -n $shots ]] && import -window root "$shots/$shot.png" 2>/dev/null
            [[ $shot == rectangle ]] && import -window root "$work/label.png" 2>/dev/null
            xdotool mouseup 1
            ;;
    esac
}

# The blue window's outer size: the window with its border.
outer=$(xwininfo -name Blue | awk '/Width:/ {w=$2} /Height:/ {h=$2} /Border width:/ {b=$3}
    END {print w + 2 * b "x" h + 2 * b}')

clip=$work/clip.png
# The pixel of the clipboard's image at X,Y as #RRGGBB.
pixel() { convert "$clip" -format "#%[hex:p{$1}]" info: 2>/dev/null | cut -c1-7; }

# shape | gesture | expected image size | pixel=color checks (image coordinates)
steps=(
    "rectangle|drag 920,120 960,150 1019,199|100x80|0,0=$blue 99,79=$blue"
    "roundrect|drag 920,620 1000,660 1119,719|200x100|0,0=$white 100,50=$red 199,99=$white"
    "ellipse|drag 920,120 1000,180 1119,219|200x100|1,1=$white 100,50=$blue 198,1=$white"
    "custom|drag 920,620 921,621 1100,620 1010,690 920,760|*|60,47=$red 170,130=$white"
    "window|click 1000,200|$outer|150,100=$blue"
    "monitor|click 100,100|1280x1024|1000,200=$blue 1000,700=$red 640,500=$black"
    "desktop|none|1280x1024|1000,200=$blue 1000,700=$red 640,500=$black"
)
for step in "${steps[@]}"; do
    IFS='|' read -r shape gesture size checks <<<"$step"
    xclip -selection clipboard -i /dev/null
    click_button "$shape"
    if [[ $shape != desktop ]]; then
        wait_for 50 overlay_shown || fail "$shape: no overlay"
        main_hidden || fail "$shape: the main window stayed on the screen"
        [[ -n $shots && $shape == ellipse ]] && import -window root "$shots/overlay.png" 2>/dev/null
    fi
    play "$gesture" "$shape"
    wait_for 50 overlay_gone || fail "$shape: the overlay stayed"
    wait_for 50 window_shown || fail "$shape: the main window did not come back"
    sleep 0.3
    xclip -selection clipboard -t image/png -o >"$clip" 2>/dev/null
    got=$(identify -format '%wx%h' "$clip" 2>/dev/null)
    if [[ -z $got ]]; then
        fail "$shape: no image on the clipboard"
        continue
    fi
    [[ $size == '*' || $got == "$size" ]] && echo "ok: $shape: a $got image" ||
        fail "$shape: the image is $got, not $size"
    for check in $checks; do
        at=${check%=*}
        want=${check#*=}
        have=$(pixel "$at")
        [[ $have == "$want" ]] && echo "ok: $shape: pixel $at is $want" ||
            fail "$shape: pixel $at is $have, not $want"
    done
done
[[ -n $shots ]] && import -window root "$shots/captured.png" 2>/dev/null

# Without a compositor the overlay covers the main window's panes: it says on itself, beside
# the pointer, what the selection is: in its dark box 18 pixels below the pointer at
# 1019,199, turned to the pointer's left where the screen ends on the right.
label=$(convert "$work/label.png" -format '#%[hex:p{998,221}]' info: 2>/dev/null | cut -c1-7)
[[ $label == '#202428' ]] && echo "ok: the overlay showed its label beside the pointer" ||
    fail "no label beside the pointer on the overlay: $label"

# Export Image of the desktop capture: PNG keeps the pixels, JPEG is a JPEG of the same size.
for format in png jpg; do
    target=$work/desktop.$format
    menu_item alt+f i
    wait_for 50 dialog_shown || fail "no Save As dialog for $format"
    sleep 0.5
    xdotool type --delay 20 "$target"
    xdotool key Return
    wait_for 100 test -s "$target" || { fail "nothing written to $target"; continue; }
    wait_for 50 dialog_gone
    info=$(identify -format '%m %wx%h' "$target" 2>/dev/null)
    case $format in
        png) want="PNG 1280x1024" ;;
        jpg) want="JPEG 1280x1024" ;;
    esac
    [[ $info == "$want" ]] && echo "ok: Export Image wrote $info" || fail "$target is '$info'"
done
exported=$(convert "$work/desktop.png" -format '#%[hex:p{1000,200}]' info: 2>/dev/null | cut -c1-7)
[[ $exported == "$blue" ]] && echo "ok: the PNG holds the captured pixels" ||
    fail "the PNG's pixel is $exported"

# While the overlay is open the arrow keys move the cursor by one pixel and keep it open;
# Esc aborts: the overlay goes, the main window returns and the abort is reported.
click_button rectangle
wait_for 50 overlay_shown || fail "no overlay to abort"
xdotool mousemove 500 500
sleep 0.2
xdotool key Right Right Right Down
sleep 0.5
eval "$(xdotool getmouselocation --shell)"
[[ $X -eq 503 && $Y -eq 501 ]] && echo "ok: the arrow keys moved the cursor to $X,$Y" ||
    fail "after three Right and one Down the cursor is at $X,$Y"
overlay_shown || fail "an arrow key closed the overlay"
xdotool key Escape
wait_for 50 overlay_gone || fail "Esc left the overlay open"
wait_for 50 window_shown && echo "ok: Esc brought the main window back" ||
    fail "the main window did not come back after Esc"
if wait_for 50 dialog_shown; then
    echo "ok: the abort is reported"
    xdotool key Return
else
    fail "no report of the abort"
fi

# Another program taking the pointer with a grab aborts the open overlay.
if [[ -n ${NL_GRAB_HELPER:-} ]]; then
    wait_for 50 dialog_gone
    sleep 0.5
    # The returning main window may lose the first click on a busy machine.
    click_button rectangle
    wait_for 30 overlay_shown || click_button rectangle
    wait_for 50 overlay_shown || fail "no overlay for the grab test"
    xdotool mousemove 500 500
    sleep 0.3
    grabbed=$("$NL_GRAB_HELPER" pointer 1500)
    [[ $grabbed == grabbed ]] || fail "the helper could not grab the pointer"
    wait_for 50 overlay_gone && echo "ok: a foreign pointer grab closed the overlay" ||
        fail "the overlay stayed open after another client grabbed the pointer"
    wait_for 50 window_shown || fail "the main window did not come back after the grab"
    if wait_for 50 dialog_shown; then
        echo "ok: the grab loss is reported"
        xdotool key Return
    else
        fail "no report of the grab loss"
    fi
fi

menu_item alt+f x
expect_exit
pid=

if ((failures)); then
    echo "$failures check(s) failed" >&2
    cat "$work/program.log" >&2
    exit 1
fi
echo "all capture end-to-end checks passed"
