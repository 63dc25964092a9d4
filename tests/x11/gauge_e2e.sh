#!/usr/bin/env bash
# Runs the real program on the X server of $DISPLAY (xvfb-run: no compositing manager, the
# overlay shows a dimmed snapshot) and measures with the Gauge by xdotool gestures: a line
# dragged with Shift, a rectangle and a path clicked out and finished by a double-click.
# Each figure goes to the clipboard (Auto-copy is on by default), where xclip reads it back.
# The main window stays while measuring by default and leaves the screen once "Show
# NerimLens while measuring" is off. The document is saved and its rows read by the command
# line compared with the view's Copy All; Ctrl+G flashes the path over the grid for a second.
#
# Usage: gauge_e2e.sh PROGRAM CLI [SCREENSHOT_FOLDER]
set -uo pipefail

program=$1
cli=$2
shots=${3:-}
source "$(dirname "$0")/e2e_support.sh" gauge-e2e
require_tools xdotool display xclip convert import

data=$work/NerimLens.dat
doc=$work/measured.nlc
# Every coordinate stays below 1000, so no digit grouping enters the texts.
"$cli" settings defaults "$data" || { echo "FAIL: cli defaults" >&2; exit 1; }
"$cli" doc add "$doc" '#000000' --at 1,1 >/dev/null || { echo "FAIL: cli doc add" >&2; exit 1; }
# A white window under the path, to see the flashed shape and the grid against.
show_swatch White 820,450 '#FFFFFF' || exit 1
start_program "UserDataFilePath:$data" "$doc"
menu_item alt+t g

# The form's buttons, as offsets from the main window's top-left corner.
declare -A button=(
    [line]=25,70 [rectangle]=70,70 [path]=115,105 [show_while_measuring]=162,186
)
click_button() {
    local at=${button[$1]}
    eval "$(xdotool getwindowgeometry --shell "$main")"
    xdotool mousemove $((X + ${at%,*})) $((Y + ${at#*,})) click 1
}
overlay_shown() { [[ -n $(xdotool search --onlyvisible --classname '^NerimScrCop$' 2>/dev/null) ]]; }
overlay_gone() { ! overlay_shown; }
clipboard() { xclip -selection clipboard -o 2>/dev/null | tr -d '\r'; }
# Whether the clipboard holds the number $1, with or without decimals.
clipboard_is_number() { [[ $(clipboard) =~ ^$1([.,]0+)?$ ]]; }
expect_figure() {
    if wait_for 20 clipboard_is_number "$1"; then echo "ok: $2 copied $(clipboard)"; else
        fail "$2: the clipboard holds '$(clipboard)', not $1"
    fi
}
# Opens the overlay of button $1 and checks whether the main window stays ($2 = shown) or not.
open_overlay() {
    xclip -selection clipboard -i /dev/null
    # A main window that has just come back may not take the first click on a busy machine.
    click_button "$1"
    wait_for 30 overlay_shown || { click_button "$1"; wait_for 50 overlay_shown; } ||
        fail "$1: no overlay"
    sleep 0.3
    if [[ $2 == shown ]]; then
        window_shown || fail "$1: the main window left the screen"
    else
        window_shown && fail "$1: the main window stayed on the screen"
    fi
}
closed_overlay() {
    wait_for 50 overlay_gone || fail "$1: the overlay stayed"
    wait_for 50 window_shown || fail "$1: the main window did not come back"
    sleep 0.3
}

# A line dragged with Shift held goes horizontal: 200 pixels long.
open_overlay line shown
xdotool mousemove 100 100 keydown shift mousedown 1
sleep 0.2
for x in 180 250 300; do xdotool mousemove $x 110; sleep 0.1; done
xdotool mouseup 1 keyup shift
closed_overlay line
expect_figure 200 "the Shift-straightened line"

# Without "Show NerimLens while measuring" the main window leaves the screen.
click_button show_while_measuring
sleep 0.3
open_overlay rectangle hidden
xdotool mousemove 850 100 mousedown 1
sleep 0.2
for p in 900,150 950,200; do xdotool mousemove "${p%,*}" "${p#*,}"; sleep 0.1; done
xdotool mouseup 1
closed_overlay rectangle
expect_figure 400 "the rectangle's perimeter"

# The path: a click per vertex, a double-click on the last one finishes. Before the first
# click the arrow keys move the cursor by a pixel and leave the overlay open.
open_overlay path hidden
xdotool mousemove 500 500
sleep 0.2
xdotool key Right Right Down
sleep 0.5
eval "$(xdotool getmouselocation --shell)"
[[ $X -eq 502 && $Y -eq 501 ]] && echo "ok: the arrow keys moved the cursor to $X,$Y" ||
    fail "after two Right and one Down the cursor is at $X,$Y"
overlay_shown || fail "an arrow key closed the overlay"
for p in 835,510 935,510; do
    xdotool mousemove "${p%,*}" "${p#*,}" click 1
    sleep 0.6
done
xdotool mousemove 935 600
sleep 0.3
[[ -n $shots ]] && import -window root "$shots/overlay.png" 2>/dev/null
xdotool mousemove 935 610 click --repeat 2 --delay 80 1
closed_overlay path
expect_figure 200 "the path's length"

# The view lists the path's rows; the saved document reads the same through the cli.
for attempt in 1 2; do
    focus_window "$main"
    xdotool key --window "$main" ctrl+s
    wait_for 50 bash -c "'$cli' doc rows '$doc' 2>/dev/null | grep -q '^Points'" && break
done
rows=$("$cli" doc rows "$doc" 2>/dev/null)
grep -q $'^Points\t3$' <<<"$rows" && echo "ok: the saved path has 3 points" ||
    fail "the saved rows are: $rows"
grep -Eq $'^primary\t200([.,]0+)?$' <<<"$rows" && echo "ok: the saved perimeter is 200" ||
    fail "the saved primary figure: $rows"
menu_item alt+e a
view_rows=$(clipboard)
[[ $view_rows == "$(grep -v '^primary' <<<"$rows")" ]] && echo "ok: the view's rows are the saved ones" ||
    fail "the view copied '$view_rows'"
[[ -n $shots ]] && import -window root "$shots/view.png" 2>/dev/null

# Ctrl+G flashes the path over the grid for a second, the main window staying.
flash=$work/flash.png
focus_window "$main"
xdotool key --window "$main" ctrl+g
sleep 0.3
import -window root "$flash" 2>/dev/null
overlay_shown && echo "ok: Ctrl+G shows the overlay" || fail "Ctrl+G showed no overlay"
window_shown || fail "the main window left the screen for the preview"
wait_for 30 overlay_gone && echo "ok: the preview ended" || fail "the preview stayed"
[[ -n $shots ]] && cp "$flash" "$shots/flash.png"
# Gray levels: along the path, beside it, and on a grid line beside it (all over the white
# window). The path is drawn in two tones, dark dashes on white, to show on any desktop.
gray() { convert "$flash" -format "%[fx:int(255*p{$1}.g)]" info: 2>/dev/null; }
read -r path_dark path_light < <(convert "$flash" -crop 80x1+845+510 \
    -format "%[fx:int(255*minima.g)] %[fx:int(255*maxima.g)]" info: 2>/dev/null)
beside=$(gray 885,520)
on_grid=$(gray 875,520)
if ((path_dark + 40 < beside && path_light > 250 && on_grid > beside)); then
    echo "ok: the flash shows the path ($path_dark/$path_light) and the grid ($on_grid) over the veil ($beside)"
else
    fail "flash grays: path $path_dark/$path_light, veil $beside, grid $on_grid"
fi

# Edit > Snap to Edges: a rectangle dragged 3 px off each corner of a known window, outside
# it, lands on its edges. The window is 300 by 200 inside a 2-px frame: 304 by 204 at 560,80
# on the black root, a perimeter of 1016.
show_swatch Blue 560,80 '#1A5C9E' || exit 1
focus_window "$main"
menu_item alt+e e
open_overlay rectangle hidden
xdotool mousemove 557 77 mousedown 1
sleep 0.2
for p in 700,180 800,250 866,286; do xdotool mousemove "${p%,*}" "${p#*,}"; sleep 0.1; done
sleep 0.3
# The window, its snapped outline and the label with the figures.
[[ -n $shots ]] && import -window root -crop 720x340+520+40 +repage "$shots/snapped.png" 2>/dev/null
xdotool mouseup 1
closed_overlay snapped
expect_figure 1016 "the sloppy rectangle snapped to the window's edges"

# Edit > Keep Measurements: two sloppy rectangles on one overlay, the blue window and the
# white one (304 by 204 each with their frames); Enter ends the overlay with both kept. Save
# Annotated Image writes the area under them with their marks and labels as PNG, and their
# figures as JSON beside it.
menu_item alt+e d
menu_item alt+e k
open_overlay rectangle hidden
drag_to() {
    xdotool mousemove "${1%,*}" "${1#*,}" mousedown 1
    sleep 0.2
    for p in "${@:2}"; do xdotool mousemove "${p%,*}" "${p#*,}"; sleep 0.1; done
    xdotool mouseup 1
    sleep 0.4
}
drag_to 557,77 700,180 866,286
overlay_shown && echo "ok: the overlay stays open while keeping" || fail "keeping closed the overlay"
drag_to 817,447 1000,600 1126,656
[[ -n $shots ]] && import -window root -crop 700x700+480+20 +repage "$shots/kept.png" 2>/dev/null
xdotool key Return
closed_overlay kept
annotated=$work/annotated.png
menu_item alt+e s
wait_for 50 dialog_shown || fail "no Save dialog for the annotated image"
sleep 0.5
xdotool type --delay 20 "$annotated"
xdotool key Return
wait_for 100 test -s "$work/annotated.json" || fail "no JSON beside the annotated image"
wait_for 50 dialog_gone
json=$(cat "$work/annotated.json" 2>/dev/null)
sizes=$(grep -c '"Size": "304 x 204"' <<<"$json")
((sizes == 2)) && echo "ok: the JSON holds both kept rectangles" || fail "the JSON: $json"
grep -q '"file": "annotated.png"' <<<"$json" || fail "the JSON does not name its image: $json"
info=$(identify -format '%m %wx%h' "$annotated" 2>/dev/null)
# The area under both rectangles, with 40 pixels around them for the labels.
[[ $info == "PNG 646x656" ]] && echo "ok: the annotated image is $info" || fail "annotated image: $info"
# The labels' dark boxes (#202428) and the blue window's pixels are in it.
label_pixels=$(convert "$annotated" -fill black +opaque '#202428' -fill white -opaque '#202428' \
    -format '%[fx:int(mean*w*h)]' info: 2>/dev/null)
((label_pixels > 400)) && echo "ok: the labels are drawn in ($label_pixels pixels)" ||
    fail "label pixels in the annotated image: $label_pixels"
[[ $(convert "$annotated" -format '#%[hex:p{200,150}]' info: 2>/dev/null | cut -c1-7) == '#1A5C9E' ]] ||
    fail "the annotated image does not show the blue window at 200,150"
[[ -n $shots ]] && cp "$annotated" "$shots/annotated.png"
# The document lists both: the CLI reads the kept one beside it once saved.
focus_window "$main"
xdotool key --window "$main" ctrl+s
wait_for 50 test -s "$doc.measurements.json" || fail "no kept measurements beside the document"
kept=$("$cli" doc measure "$doc" --json 2>/dev/null | grep -c '"Size": "304 x 204"')
((kept == 2)) && echo "ok: the saved document keeps both measurements" || fail "saved: $kept"

menu_item alt+f x
expect_exit
pid=

if ((failures)); then
    echo "$failures check(s) failed" >&2
    cat "$work/program.log" >&2
    exit 1
fi
echo "all gauge end-to-end checks passed"
