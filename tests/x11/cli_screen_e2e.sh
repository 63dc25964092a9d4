#!/usr/bin/env bash
# The command line's screen commands on the X server of $DISPLAY, with two windows of known
# colors: pick at a point and under the cursor (color and window title, the logical position
# under Xft.dpi and Qt's scale variables), captures of a
# rectangle, an ellipse and a polygon with their fill, a window by id and under a point, a
# monitor (also each of two that RandR defines) and the desktop on standard output, a magnified image with its centre block, and
# the errors: no display, a rectangle off the screen, an unknown window, an unwritable file.
#
# Usage: cli_screen_e2e.sh PROGRAM CLI
set -uo pipefail

cli=$2
source "$(dirname "$0")/e2e_support.sh" cli-screen-e2e
require_tools xdotool display xwininfo convert identify python3 xrandr

blue='#1A5C9E'
blue_inverted='#E5A361'
red='#C03020'
green='#00FF00'

show_swatch Blue 900,100 "$blue" || exit 1
show_swatch Red 900,600 "$red" || exit 1

# Runs the command line and fails the check named $1 when it does not exit 0.
ok() {
    local what=$1
    shift
    "$cli" "$@" >"$work/out" 2>"$work/err" || { fail "$what: $(cat "$work/err")"; return 1; }
}
# The pixel of image $1 at X,Y as #RRGGBB, and its size as WxH.
pixel() { convert "$1" -format "#%[hex:p{$2}]" info: 2>/dev/null | cut -c1-7; }
size() { identify -format '%wx%h' "$1" 2>/dev/null; }
expect() { [[ $2 == "$3" ]] || fail "$1: got '$2', expected '$3'"; }
# Checks image $1 (named $2): its size $3 and pixel=color pairs after it.
check_image() {
    local file=$1 what=$2 check
    expect "$what size" "$(size "$file")" "$3"
    for check in "${@:4}"; do
        expect "$what pixel ${check%=*}" "$(pixel "$file" "${check%=*}")" "${check#*=}"
    done
}

# ---- pick ----
ok "pick" pick 1000 200 --format '#HTML' &&
    expect "pick" "$(cut -f1-3 "$work/out")" "$blue	1000,200	Blue"
ok "pick --json" pick 1000 700 --format '#HTML' --json &&
    expect "pick --json" "$(python3 -c 'import json,sys; d=json.load(sys.stdin);
print(d["color"], d["x"], d["y"], d["title"])' <"$work/out")" "$red 1000 700 Red"
xdotool mousemove 950 650
# A 3 x 3 square on the swatch's right edge (x 1201): two columns of blue, one of its frame.
# The median and the most frequent color are the swatch's; the mean is not.
for stat in median mode mean; do
    ok "pick --sample 3 --stat $stat" pick 1201 200 --sample 3 --stat $stat -f '#HTML' &&
        sampled=$(cut -f1 "$work/out")
    if [[ $stat == mean ]]; then
        [[ $sampled != "$blue" ]] || fail "pick --sample 3 --stat mean gave the swatch's color"
    else
        expect "pick --sample 3 --stat $stat" "$sampled" "$blue"
    fi
done
ok "pick --cursor" pick --cursor -f '#HTML' &&
    expect "pick --cursor" "$(cut -f1-3 "$work/out")" "$red	950,650	Red"
# The logical position beside the device one, with the scale Qt would give the monitor: from
# Xft.dpi (192 dpi: 2), replaced by the monitor's QT_SCREEN_SCALE_FACTORS entry, times
# QT_SCALE_FACTOR.
logical() {
    python3 -c 'import json,sys; d=json.load(sys.stdin);
print(d["x"], d["y"], d["logicalX"], d["logicalY"], d["scale"])' <"$work/out"
}
ok "pick --json at 96 dpi" pick 1000 700 --json && expect "1 lpx" "$(logical)" "1000 700 1000 700 1"
# Whatever the format, the JSON carries the color as hex, channels and its nearest name.
expect "pick --json color fields" "$(python3 -c 'import json,sys; d=json.load(sys.stdin);
print(d["hex"], d["rgb"], d["name"], d["name_exact"])' <"$work/out")" "$red [192, 48, 32] firebrick False"
echo "Xft.dpi: 192" | xrdb -merge
ok "pick --json at 192 dpi" pick 1000 700 --json &&
    expect "Xft.dpi 192" "$(logical)" "1000 700 500 350 2"
QT_SCREEN_SCALE_FACTORS=1.25 ok "pick --json by screen" pick 1000 700 --json &&
    expect "screen factor" "$(logical)" "1000 700 800 560 1.25"
QT_SCALE_FACTOR=1.5 ok "pick --json by both" pick 900 600 --json &&
    expect "global factor" "$(logical)" "900 600 300 200 3"
xrdb -remove

# ---- capture ----
ok "capture rect" capture rect 920,120,100,80 "$work/rect.png" &&
    check_image "$work/rect.png" rect 100x80 0,0="$blue" 99,79="$blue"
ok "capture ellipse" capture ellipse 920,120,200,100 "$work/ellipse.png" --fill "$green" &&
    check_image "$work/ellipse.png" ellipse 200x100 1,1="$green" 100,50="$blue" 198,98="$green"
ok "capture rect as JPEG" capture rect 920,120,100,80 "$work/rect.jpg" &&
    expect "JPEG file" "$(identify -format '%m %wx%h' "$work/rect.jpg" 2>/dev/null)" "JPEG 100x80"
ok "capture polygon" capture polygon 920,120 1020,120 920,200 "$work/poly.bmp" --fill "$green" &&
    check_image "$work/poly.bmp" polygon 99x80 5,5="$blue" 95,75="$green"
outer=$(xwininfo -name Blue | awk '/Width:/ {w=$2} /Height:/ {h=$2} /Border width:/ {b=$3}
    END {print w + 2 * b "x" h + 2 * b}')
id=$(xdotool search --onlyvisible --name '^Blue$' | head -1)
ok "capture window ID" capture window "$id" "$work/window.png" &&
    check_image "$work/window.png" "window $id" "$outer" 150,100="$blue"
ok "capture window --under" capture window --under 950,650 "$work/under.png" &&
    check_image "$work/under.png" "window under" "$outer" 150,100="$red"
screen=$(xwininfo -root | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')
ok "capture monitor" capture monitor 0 "$work/monitor.png" &&
    check_image "$work/monitor.png" monitor "$screen" 1000,200="$blue" 1000,700="$red"
"$cli" capture desktop - >"$work/desktop.png" 2>"$work/err" || fail "capture desktop -: $(cat "$work/err")"
check_image "$work/desktop.png" "desktop on stdout" "$screen" 1000,200="$blue"
# Two monitors side by side, each half the screen, defined through RandR: the command line
# numbers them as the server lists them, the primary first, and captures each one.
half=$((${screen%x*} / 2))
height=${screen#*x}
if xrandr --setmonitor NLRight "$half/100x$height/100+$half+0" none >/dev/null 2>&1 &&
    xrandr --setmonitor NLLeft "$half/100x$height/100+0+0" screen >/dev/null 2>&1; then
    # "N: [+][*]NAME W/MMxH/MM+X+Y ...": the primary (*) first, then the others in order.
    mapfile -t offsets < <(xrandr --listmonitors | awk 'NR > 1 {print ($2 ~ /\*/ ? 0 : 1), $3}' |
        sort -s -k1,1n | sed 's/.*+\([0-9]*\)+[0-9]*$/\1/')
    expect "RandR monitors" "${#offsets[@]}" 2
    for n in 0 1; do
        ok "capture monitor $n of two" capture monitor "$n" "$work/monitor$n.png" || continue
        if [[ ${offsets[$n]:-} == "$half" ]]; then
            check_image "$work/monitor$n.png" "right monitor" "${half}x$height" \
                "$((1000 - half)),200=$blue" "$((1000 - half)),700=$red"
        else
            check_image "$work/monitor$n.png" "left monitor" "${half}x$height" 0,0="$(pixel "$work/desktop.png" 0,0)"
        fi
    done
    xrandr --delmonitor NLLeft >/dev/null 2>&1
    xrandr --delmonitor NLRight >/dev/null 2>&1
else
    echo "xrandr cannot define monitors on this server: two-monitor captures left out"
fi
# The cursor is drawn where it is: the capture under it differs from the one without.
xdotool mousemove 960 160
ok "capture --cursor" capture rect 940,140,40,40 "$work/cursor.png" --cursor
[[ $(pixel "$work/cursor.png" 20,20) != "$blue" || $(pixel "$work/cursor.png" 21,21) != "$blue" ]] ||
    fail "capture --cursor shows no cursor"

# ---- magnify ----
# 400%: the 64 x 48 image shows 16 x 12 screen pixels; the centre block is one magnified
# pixel (4 x 4) from the image's middle, inverted.
ok "magnify" magnify 1000 200 --zoom 400 --size 64x48 "$work/zoom.png" &&
    check_image "$work/zoom.png" magnify 64x48 0,0="$blue" 31,23="$blue" 32,24="$blue_inverted" \
        35,27="$blue_inverted" 36,28="$blue"
# At the swatch's edge: the left half shows the swatch, the right half what lies beside it.
ok "magnify at an edge" magnify 1199 200 --zoom 200 --size 40x40 "$work/edge.png" &&
    check_image "$work/edge.png" "magnify edge" 40x40 0,0="$blue" 19,0="$blue"
[[ $(pixel "$work/edge.png" 39,0) != "$blue" ]] || fail "magnify edge: the right half is blue"
# As seen with deuteranopia (Machado's matrix in linear light, computed with colorjs.io).
ok "magnify --simulate" magnify 1000 200 --size 8x8 --simulate deuteranopia "$work/sim.png" &&
    check_image "$work/sim.png" "magnify --simulate" 8x8 0,0='#24559D'

# ---- errors ----
# Each fails with its message and exit code, and leaves no output file.
errors=(
    "1|no display: set WAYLAND_DISPLAY or DISPLAY|env -u DISPLAY -u WAYLAND_DISPLAY $cli pick 1 1"
    "2|does not lie on the virtual screen|$cli capture rect 1270,0,20,20 $work/e1.png"
    "2|empty rect|$cli capture rect 0,0,0,20 $work/e2.png"
    "2|unknown window id \"0x7fffff0\"|$cli capture window 0x7fffff0 $work/e3.png"
    "1|$work/none/e4.png|$cli capture rect 0,0,10,10 $work/none/e4.png"
    "2|must end in .png, .jpg or .bmp|$cli capture desktop $work/e5.gif"
    "2|invalid --simulate \"red\": expected normal, protanopia|$cli magnify 1 1 $work/e6.png --simulate red"
    "2|invalid --sample 4: expected 1, 3, 5|$cli pick 1 1 --sample 4"
    "2|invalid --stat \"avg\"|$cli pick 1 1 --sample 3 --stat avg"
)
for e in "${errors[@]}"; do
    IFS='|' read -r code message command <<<"$e"
    $command >"$work/out" 2>"$work/err"
    status=$?
    [[ $status == "$code" ]] || fail "'$command' exited $status, expected $code"
    grep -qF -- "$message" "$work/err" || fail "'$command' said '$(cat "$work/err")'"
    [[ ! -s $work/out ]] || fail "'$command' printed output"
done
ls "$work"/e[0-9].* >/dev/null 2>&1 && fail "a failed command left a file"
# A read-only file stays as it was (the superuser may write it).
if [[ $(id -u) != 0 ]]; then
    echo keep >"$work/ro.png" && chmod 444 "$work/ro.png"
    "$cli" capture rect 0,0,10,10 "$work/ro.png" 2>/dev/null && fail "a read-only file was replaced"
    expect "read-only file" "$(cat "$work/ro.png")" keep
fi

((failures == 0)) && echo "cli screen commands: all checks passed"
exit $((failures > 0))
