#!/usr/bin/env bash
# Runs the real program on the X server of $DISPLAY (the test runs it under xvfb-run): at the
# desktop's plain scale, with QT_SCALE_FACTOR=2, again plainly with the data file of the
# scaled run, with QT_SCALE_FACTOR=1.5 and with the desktop's resource Xft.dpi: 192. Each
# time Enter picks the color under the cursor, which must be the color of the window there
# with the cursor's position in the X server's pixels, and the magnifier's stretched copy as
# wide as the window; the scaled runs must show the main window as many times larger than the
# plain one, wholly on the screen, and after the run at 2 the plain run as large as the first.
# The ruler's readout counts the X server's pixels at every scale; in the scaled runs the
# Screen Copier copies exactly the pixels of an area dragged from an odd and an even pixel
# (over a pattern of alternating pixels) and the Gauge keeps the points of a dragged
# rectangle.
#
# Usage: hidpi_e2e.sh PROGRAM CLI [SCREENSHOT-PREFIX]
set -uo pipefail

program=$1
cli=$2
screenshots=${3:-}
source "$(dirname "$0")/e2e_support.sh" hidpi-e2e
require_tools xdotool display xrdb xwininfo xclip identify convert compare import awk

swatch_color='#C81E32'
cursor_x=120
cursor_y=130
read -r screen_w screen_h < <(xwininfo -root | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w, h}')

# A window of one known color in the corner, clear of the centered main window at any scale.
# It also keeps the server from resetting (and dropping the resources) between the runs.
show_swatch Swatch 20,20 "$swatch_color" || exit 1

plain_w=
ctrl_f11=0x2007A  # MOD_CONTROL << 16 | VK_F11

# Opens the ruler with its hot key in inches, points an inch of device pixels ($2) along it
# and checks that its caption reads one inch there.
check_ruler() {
    local mode=$1 inch=$2 ruler geometry rx ry title
    xdotool key ctrl+F11
    ruler_up() { [[ -n $(xdotool search --onlyvisible --name '^NerimLens \| ' 2>/dev/null) ]]; }
    wait_for 50 ruler_up || { fail "$mode: the ruler did not open"; return; }
    ruler=$(xdotool search --onlyvisible --name '^NerimLens \| ' | head -n 1)
    geometry=$(xdotool getwindowgeometry "$ruler")
    read -r rx ry <<<"$(sed -n 's/.*Position: \([0-9-]*\),\([0-9-]*\).*/\1 \2/p' <<<"$geometry")"
    focus_window "$ruler"
    xdotool key --window "$ruler" i
    xdotool mousemove $((rx + inch)) $((ry + 20))
    sleep 1
    title=$(xdotool getwindowname "$ruler")
    if [[ $title =~ proj:\ 1(\.0+)?([^0-9]|$) ]]; then
        echo "ok: $mode: the ruler reads an inch $inch pixels along"
    else
        fail "$mode: $inch pixels along the ruler its caption reads '$title'"
    fi
    # In pixels it counts the server's pixels one by one, at any scale.
    xdotool key --window "$ruler" p
    xdotool mousemove $((rx + 201)) $((ry + 20))
    sleep 1
    title=$(xdotool getwindowname "$ruler")
    if [[ $title =~ proj:\ 201([^0-9.,]|$) ]]; then
        echo "ok: $mode: the ruler reads 201 pixels 201 pixels along"
    else
        fail "$mode: 201 pixels along the ruler its caption reads '$title'"
    fi
    [[ -n $screenshots ]] && import -window root "$screenshots-$mode-ruler.png" 2>/dev/null
}
# A pattern of alternating pixels, where a measurement one pixel off changes every pixel.
pattern_x=20 pattern_y=320
convert -size 250x400 pattern:gray50 "$work/pattern.png"
display -title Pattern -geometry "+$pattern_x+$pattern_y" "$work/pattern.png" >>"$work/swatch.log" 2>&1 &
extra_pids+=("$!")
wait_for 300 bash -c "[[ -n \$(xdotool search --onlyvisible --name '^Pattern\$') ]]" ||
    fail "the pattern window did not appear"

# Clicks the button at $2 (X,Y in Qt's pixels from the main window's corner) at scale $1.
click_scaled() {
    eval "$(xdotool getwindowgeometry --shell "$main")"
    xdotool mousemove "$(awk -v x="$X" -v o="${2%,*}" -v s="$1" 'BEGIN {printf "%d", x + o * s}')" \
        "$(awk -v y="$Y" -v o="${2#*,}" -v s="$1" 'BEGIN {printf "%d", y + o * s}')" click 1
}
overlay_shown() { [[ -n $(xdotool search --onlyvisible --classname '^NerimScrCop$' 2>/dev/null) ]]; }
overlay_gone() { ! overlay_shown; }
# Drags from $1 to $2 (X,Y) through a middle point.
drag() {
    xdotool mousemove "${1%,*}" "${1#*,}" mousedown 1
    sleep 0.2
    xdotool mousemove $(((${1%,*} + ${2%,*}) / 2)) $(((${1#*,} + ${2#*,}) / 2))
    sleep 0.1
    xdotool mousemove "${2%,*}" "${2#*,}"
    sleep 0.2
    xdotool mouseup 1
    wait_for 50 overlay_gone || fail "the overlay stayed"
    wait_for 50 window_shown
    sleep 0.3
}
# At scale $2 the Screen Copier's rectangles from an odd and an even pixel are the server's
# own pixels of the area, and a Gauge rectangle keeps the points dragged.
check_gestures() {
    local mode=$1 scale=$2 from to expected differ rows
    menu_item alt+t s
    for from in 41,341 40,340; do
        to=$((${from%,*} + 99)),$((${from#*,} + 99))
        import -window root -crop "100x100+${from%,*}+${from#*,}" +repage "$work/expected.png"
        xclip -selection clipboard -i /dev/null
        click_scaled "$scale" 20,69
        wait_for 50 overlay_shown || { fail "$mode: no Screen Copier overlay"; continue; }
        drag "$from" "$to"
        xclip -selection clipboard -t image/png -o >"$work/copied.png" 2>/dev/null
        differ=$(compare -metric AE "$work/copied.png" "$work/expected.png" null: 2>&1)
        if [[ $(identify -format '%wx%h' "$work/copied.png" 2>/dev/null) == 100x100 && $differ == 0 ]]; then
            echo "ok: $mode: the copy from $from to $to is the screen's 100x100 pixels"
        else
            fail "$mode: the copy from $from to $to is $(identify -format '%wx%h' "$work/copied.png" 2>&1), $differ pixels differ"
        fi
    done
    menu_item alt+t g
    click_scaled "$scale" 70,70
    wait_for 50 overlay_shown || fail "$mode: no Gauge overlay"
    drag 51,401 152,503
    focus_window "$main"
    xdotool key --window "$main" ctrl+s
    sleep 0.5
    rows=$("$cli" doc rows "$doc" 2>&1)
    if grep -q $'^Rectangle\t51 , 401 - 152 , 503$' <<<"$rows"; then
        echo "ok: $mode: the Gauge keeps the rectangle from 51,401 to 152,503"
    else
        fail "$mode: the Gauge rectangle dragged from 51,401 to 152,503 reads: $rows"
    fi
}

# Runs the program in mode $1 (plain, factor, fraction or xft; again-plain runs at the plain
# scale with the data file of the factor run), picks once and checks the pick and the
# window's size.
run_scaled() {
    local mode=$1 data=$work/$1.dat doc=$work/$1.nlz geometry w h x y info scale=1
    case $mode in
        factor | xft) scale=2 ;;
        fraction) scale=1.5 ;;
        again-plain)
            again_plain
            return
            ;;
    esac
    "$cli" settings defaults "$data" --hot-key "2=$ctrl_f11" || { fail "$mode: cli defaults"; return; }
    "$cli" doc add "$doc" '#000000' --at 1,1 >/dev/null || { fail "$mode: cli doc add"; return; }
    case $mode in
        xft) echo "Xft.dpi: 192" | xrdb -nocpp -merge ;;
        *) xrdb -nocpp -remove 2>/dev/null ;;
    esac
    if [[ $mode == factor || $mode == fraction ]]; then
        QT_SCALE_FACTOR=$scale start_program "UserDataFilePath:$data" "$doc"
    else
        start_program "UserDataFilePath:$data" "$doc"
    fi
    xdotool mousemove "$cursor_x" "$cursor_y"
    sleep 0.3
    focus_window "$main"
    xdotool key --window "$main" Return
    sleep 0.5
    [[ -n $screenshots ]] && import -window root "$screenshots-$mode.png" 2>/dev/null
    geometry=$(xdotool getwindowgeometry "$main")
    read -r x y <<<"$(sed -n 's/.*Position: \([0-9-]*\),\([0-9-]*\).*/\1 \2/p' <<<"$geometry")"
    read -r w h <<<"$(sed -n 's/.*Geometry: \([0-9]*\)x\([0-9]*\).*/\1 \2/p' <<<"$geometry")"
    # The magnifier counts device pixels: its stretched copy is as wide as the window.
    xdotool key --window "$main" ctrl+c
    sleep 0.5
    image_w=$(xclip -selection clipboard -t image/png -o 2>/dev/null | identify -format '%w' - 2>/dev/null)
    if [[ ${image_w:-0} -eq $w ]]; then
        echo "ok: $mode: the magnified copy is $image_w pixels wide"
    else
        fail "$mode: the magnified copy is '${image_w:-}' wide in a $w wide window"
    fi
    xdotool key --window "$main" ctrl+s
    sleep 0.5
    # The desktop's inch: 96 pixels at the plain scale, twice as many when scaled.
    check_ruler "$mode" "$(awk -v s="$scale" 'BEGIN {print 96 * s}')"
    if [[ $mode != plain ]]; then
        # The ruler's hot key closes it again: it lies over the main window's buttons.
        xdotool key ctrl+F11
        wait_for 50 bash -c "[[ -z \$(xdotool search --onlyvisible --name '^NerimLens \| ') ]]"
        check_gestures "$mode" "$scale"
    fi
    if [[ $mode == factor ]]; then
        # Ended as a user ends it, so that the window's place is saved.
        menu_item alt+f x
        expect_exit >/dev/null
    fi
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    pid=

    info=$("$cli" doc info "$doc")
    if grep -q "\"color\": \"$swatch_color\"" <<<"$info" && grep -q '"source_title": "Swatch"' <<<"$info" &&
        grep -q "\"x\": $cursor_x," <<<"$info" && grep -q "\"y\": $cursor_y" <<<"$info"; then
        echo "ok: $mode: picked $swatch_color of Swatch at $cursor_x,$cursor_y"
    else
        fail "$mode: the pick was not $swatch_color of Swatch at $cursor_x,$cursor_y: $info"
    fi
    if ((x < 0 || y < 0 || x + w > screen_w || y + h > screen_h)); then
        fail "$mode: the ${w}x$h window at $x,$y runs off the ${screen_w}x$screen_h screen"
    else
        echo "ok: $mode: the ${w}x$h window at $x,$y is on the screen"
    fi
    local wide
    wide=$(awk -v w="$plain_w" -v s="$scale" 'BEGIN {printf "%d", w * s}')
    if [[ $mode == plain ]]; then
        plain_w=$w
    elif ((w >= wide - 4 && w <= wide + 4)); then
        echo "ok: $mode: the window is $scale times as wide as at the plain scale"
    else
        fail "$mode: the window is $w wide, the plain one $plain_w"
    fi
}
# The plain scale again with the data file the factor run saved: the window is as wide as
# in the first plain run, not the factor run's device pixels.
again_plain() {
    local w
    xrdb -nocpp -remove 2>/dev/null
    start_program "UserDataFilePath:$work/factor.dat"
    w=$(xdotool getwindowgeometry "$main" | sed -n 's/.*Geometry: \([0-9]*\)x.*/\1/p')
    if ((w == plain_w)); then
        echo "ok: after a run at twice the scale the plain window is $w wide again"
    else
        fail "after a run at twice the scale the plain window is $w wide, not $plain_w"
    fi
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    pid=
}

run_scaled plain
run_scaled factor
run_scaled again-plain
run_scaled fraction
run_scaled xft

if ((failures)); then
    cat "$work/program.log" >&2
    exit 1
fi
echo "all scaling end-to-end checks passed"
