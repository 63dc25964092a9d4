#!/usr/bin/env bash
# Runs the real program on the X server of $DISPLAY (the test runs it under xvfb-run) and
# drives the ruler with xdotool: its global hot key opens it, O turns it, an arrow key moves
# it, Alt+F4 closes it, the hot key opens it again where it was, and so does the next start;
# a screenshot shows its ticks on the pixel columns of the layout; turned near the bottom it
# stays on the screen, and Home arranges it.
#
# Usage: ruler_e2e.sh PROGRAM CLI [SCREENSHOT]
set -uo pipefail

program=$1
cli=$2
screenshot=${3:-}
source "$(dirname "$0")/e2e_support.sh" ruler
require_tools xdotool import convert

# The ruler's window: its title is its caption, which starts with the unit readout.
ruler_window() { xdotool search --onlyvisible --name '^NerimLens \| ' 2>/dev/null | head -n 1; }
ruler_shown() { [[ -n $(ruler_window) ]]; }
ruler_hidden() { ! ruler_shown; }

# "X Y W H" of a window.
geometry_of() {
    local out
    out=$(xdotool getwindowgeometry --shell "$1") || return 1
    eval "$out"
    echo "$X $Y $WIDTH $HEIGHT"
}

data=$work/NerimLens.dat
ctrl_f11=0x2007A  # MOD_CONTROL << 16 | VK_F11

"$cli" settings defaults "$data" --hot-key "2=$ctrl_f11" || { echo "FAIL: cli defaults" >&2; exit 1; }

start_program "UserDataFilePath:$data"

# The hot key opens the ruler at its default place: half the 1280-pixel screen, 64 high.
xdotool key ctrl+F11
if wait_for 50 ruler_shown; then echo "ok: hot key opened the ruler"; else
    fail "the ruler did not open"
    cat "$work/program.log" >&2
    exit 1
fi
ruler=$(ruler_window)
read -r x y w h < <(geometry_of "$ruler")
[[ "$x $y $w $h" == "320 204 640 64" ]] && echo "ok: default place" ||
    fail "ruler at $x $y $w $h, expected 320 204 640 64"

# Ticks: majors (12 pixels) every 50 pixels from the left edge, 6-pixel ticks every 10, no
# tick on odd columns.
sleep 0.5
import -window root "$work/shot.png" 2>/dev/null || fail "no screenshot"
[[ -n $screenshot ]] && cp "$work/shot.png" "$screenshot"
pixel() { convert "$work/shot.png" -format "%[fx:int(255*luminance)]" -crop "1x1+$1+$2" info: 2>/dev/null; }
bottom=$((y + h - 1))
dark() { (($(pixel "$1" "$2") < 80)); }
for column in 50 100 150; do
    dark $((x + column)) $((bottom - 11)) || fail "no major tick at $column"
done
dark $((x + 60)) $((bottom - 5)) || fail "no 6-pixel tick at 60"
dark $((x + 60)) $((bottom - 8)) && fail "the tick at 60 is too long"
dark $((x + 51)) "$bottom" && fail "a tick on column 51"
((failures == 0)) && echo "ok: ticks where the layout puts them"

# O turns it about its origin point (the start of its bottom edge).
focus_window "$ruler"
xdotool key --window "$ruler" o
if wait_for 30 bash -c "[[ \$(xdotool getwindowgeometry --shell $ruler | grep WIDTH) == WIDTH=64 ]]"; then
    read -r x2 y2 w2 h2 < <(geometry_of "$ruler")
    [[ "$x2 $y2 $w2 $h2" == "$((x - 64)) $((y + h)) 64 640" ]] && echo "ok: O turned the ruler" ||
        fail "turned ruler at $x2 $y2 $w2 $h2"
else
    fail "O did not turn the ruler"
fi

# An arrow key moves the ruler by one pixel, not the mouse cursor.
read -r x2 y2 w2 h2 < <(geometry_of "$ruler")
xdotool key --window "$ruler" Right
sleep 0.5
read -r x3 y3 _ _ < <(geometry_of "$ruler")
[[ "$x3 $y3" == "$((x2 + 1)) $y2" ]] && echo "ok: Right moved the ruler" ||
    fail "Right: ruler at $x3 $y3, expected $((x2 + 1)) $y2"

# Waits up to $1 tenths of a second for the ruler, which should stand vertical (64 x 640) at
# x3 y3; $2 says what that shows, $3 what its absence means.
expect_vertical_ruler_at_x3() {
    local x y w h
    if ! wait_for "$1" ruler_shown; then
        fail "$3"
        return
    fi
    read -r x y w h < <(geometry_of "$(ruler_window)")
    [[ "$x $y $w $h" == "$x3 $y3 64 640" ]] && echo "ok: $2" ||
        fail "$2: no, the ruler is at $x $y $w $h, expected $x3 $y3 64 640"
}

# Alt+F4 closes it; the hot key reopens it where it was, still vertical.
# Through the keyboard of the server (the window is gone before the keys are released).
focus_window "$ruler"
xdotool key alt+F4
if wait_for 50 ruler_hidden; then echo "ok: Alt+F4 closed the ruler"; else fail "Alt+F4 did not close"; fi
xdotool key ctrl+F11
expect_vertical_ruler_at_x3 50 "reopened where it was" "the hot key did not reopen the ruler"

# Ending the program writes the settings; the next start opens the ruler where it was.
kill -TERM "$pid" 2>/dev/null
wait_for 100 program_ended || fail "the program did not end"
pid=
"$program" "UserDataFilePath:$data" >>"$work/program.log" 2>&1 &
pid=$!
expect_vertical_ruler_at_x3 150 "the next start reopened the ruler" \
    "the next start did not reopen the ruler"

# Turned near the bottom of the screen, the whole ruler stays on it; the keys both windows
# have (Home) run the ruler's own command without Qt calling them ambiguous.
ruler=$(ruler_window)
focus_window "$ruler"
xdotool key --window "$ruler" o
wait_for 30 bash -c "[[ \$(xdotool getwindowgeometry --shell $ruler | grep HEIGHT) == HEIGHT=64 ]]"
xdotool windowmove --sync "$ruler" 300 900 2>/dev/null || xdotool windowmove "$ruler" 300 900
sleep 0.5
focus_window "$ruler"
xdotool key --window "$ruler" o
sleep 0.5
read -r x y w h < <(geometry_of "$ruler")
screen_height=$(xdotool getdisplaygeometry | cut -d' ' -f2)
((w == 64 && y >= 0 && y + h <= screen_height)) && echo "ok: the turned ruler stays on the screen" ||
    fail "turned near the bottom: ruler at $x $y $w $h on a screen $screen_height high"
import -window root "$work/turned.png" 2>/dev/null
xdotool key --window "$ruler" Home
sleep 0.5
grep -q "Ambiguous shortcut" "$work/program.log" && fail "Qt found an ambiguous shortcut"
read -r x y w h < <(geometry_of "$ruler")
[[ "$x $y" == "320 204" ]] && echo "ok: Home arranged the ruler" || fail "Home: ruler at $x $y $w $h"
kill -TERM "$pid" 2>/dev/null
wait_for 100 program_ended
pid=

if ((failures)); then
    echo "$failures check(s) failed; program output:" >&2
    cat "$work/program.log" >&2
    exit 1
fi
echo "all ruler end-to-end checks passed"
