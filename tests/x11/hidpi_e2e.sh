#!/usr/bin/env bash
# Runs the real program three times on the X server of $DISPLAY (the test runs it under
# xvfb-run): at the desktop's plain scale, with QT_SCALE_FACTOR=2 and with the desktop's
# resource Xft.dpi: 192. Each time Enter picks the color under the cursor, which must be the
# color of the window there with the cursor's position in the X server's pixels, and the
# magnifier's stretched copy as wide as the window; the scaled runs must show the main window
# twice as large as the plain one, and wholly on the screen. The ruler's readout counts
# the X server's pixels at every scale.
#
# Usage: hidpi_e2e.sh PROGRAM CLI [SCREENSHOT-PREFIX]
set -uo pipefail

program=$1
cli=$2
screenshots=${3:-}
source "$(dirname "$0")/e2e_support.sh" hidpi-e2e
require_tools xdotool display xrdb xwininfo xclip identify

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
    [[ -n $screenshots ]] && import -window root "$screenshots-$mode-ruler.png" 2>/dev/null
}
# Runs the program in mode $1 (plain, factor or xft), picks once and checks the pick and the
# window's size.
run_scaled() {
    local mode=$1 data=$work/$1.dat doc=$work/$1.nlz geometry w h x y info
    "$cli" settings defaults "$data" --hot-key "2=$ctrl_f11" || { fail "$mode: cli defaults"; return; }
    "$cli" doc add "$doc" '#000000' --at 1,1 >/dev/null || { fail "$mode: cli doc add"; return; }
    case $mode in
        xft) echo "Xft.dpi: 192" | xrdb -nocpp -merge ;;
        *) xrdb -nocpp -remove 2>/dev/null ;;
    esac
    if [[ $mode == factor ]]; then
        QT_SCALE_FACTOR=2 start_program "UserDataFilePath:$data" "$doc"
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
    if [[ $mode == plain ]]; then check_ruler "$mode" 96; else check_ruler "$mode" 192; fi
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
    if [[ $mode == plain ]]; then
        plain_w=$w
    elif ((w >= 2 * plain_w - 4 && w <= 2 * plain_w + 4)); then
        echo "ok: $mode: the window is twice as wide as at the plain scale"
    else
        fail "$mode: the window is $w wide, the plain one $plain_w"
    fi
}

run_scaled plain
run_scaled factor
run_scaled xft

if ((failures)); then
    cat "$work/program.log" >&2
    exit 1
fi
echo "all scaling end-to-end checks passed"
