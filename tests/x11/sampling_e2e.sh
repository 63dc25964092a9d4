#!/usr/bin/env bash
# Runs the real program on the X server of $DISPLAY with picks sampling 3 x 3 pixels by the
# mean (kept in the settings file beside the data file) and checks it end to end: Enter over
# a window of one-pixel black and white checks picks their average, not the pixel; the
# Magnifier's panes show the color at the centre of a known swatch, which its new command
# copies as text; at 800 % with View > Gridlines on, the magnifier shows the pixel grid and
# the sampled square's outline (photographed into SCREENSHOT when given).
#
# Usage: sampling_e2e.sh PROGRAM CLI [SCREENSHOT]
set -uo pipefail

program=$1
cli=$2
screenshot=${3:-}
source "$(dirname "$0")/e2e_support.sh" sample-e2e
require_tools xdotool display import xclip

data=$work/NerimLens.dat
doc=$work/picks.nlz
swatch_color='#1A5C9E'

"$cli" settings defaults "$data" || { echo "FAIL: cli defaults" >&2; exit 1; }
"$cli" doc add "$doc" '#000000' --at 1,1 >/dev/null || { echo "FAIL: cli doc add" >&2; exit 1; }
printf 'sample.size=3\nsample.stat=mean\n' >"$work/NerimLens.ini"

# One-pixel checks (ImageMagick's gray50 pattern) and a swatch of one color.
display -title Checks -geometry +860+100 -size 300x200 pattern:gray50 >>"$work/swatch.log" 2>&1 &
extra_pids+=("$!")
wait_for 300 bash -c '[[ -n $(xdotool search --onlyvisible --name "^Checks\$") ]]' ||
    { echo "FAIL: the checks did not appear" >&2; exit 1; }
show_swatch Swatch 860,640 "$swatch_color" || exit 1

screen_pixel() { import -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null | grep -o '#[0-9A-F]\{6\}' | head -n 1; }
clipboard() { xclip -selection clipboard -o 2>/dev/null | tr -d '\r'; }

start_program "UserDataFilePath:$data" "$doc"

# Tools > Color Picker; Enter over the checks. Five of the 3 x 3 pixels have the centre's
# color and four the other: their mean is 113 or 142 in each channel.
menu_item alt+t c
xdotool mousemove 1000 200
sleep 0.3
centre=$(screen_pixel 1000 200)
case $centre in
    '#000000') expected='#717171' ;;
    '#FFFFFF') expected='#8E8E8E' ;;
    *) fail "the checks show $centre at 1000,200"; expected=none ;;
esac
focus_window "$main"
xdotool key --window "$main" Return
sleep 0.5

# Tools > Magnifier over the swatch: the centre color is the swatch's (all nine pixels are);
# Ctrl+Alt+C copies its text in the color format, the #HTML row of nerimlens-cli color.
menu_item alt+t m
xdotool mousemove 1000 700
sleep 0.3
focus_window "$main"
sleep 0.5
xdotool key --window "$main" ctrl+alt+c
format=$("$cli" color "$swatch_color" | head -n 1 | cut -f2)
copied_as() { [[ $(clipboard) == "$1" ]]; }
if wait_for 20 copied_as "$format"; then
    echo "ok: Copy Center Color put '$format' on the clipboard"
else
    fail "Copy Center Color put '$(clipboard)' on the clipboard, not '$format'"
fi
# The pane's swatch: pixels of the swatch's color in the toolbar above the magnified view,
# which starts below the form.
eval "$(xdotool getwindowgeometry --shell "$main")"
tile=$(import -window root -crop "120x80+$X+$((Y + 40))" -depth 8 txt:- 2>/dev/null |
    grep -c "$swatch_color")
((tile > 200)) && echo "ok: the pane's tile shows $swatch_color ($tile pixels)" ||
    fail "the pane's tile shows $tile pixels of $swatch_color"

# View > Gridlines is on by default; four notches up over the magnified view zoom from 400 %
# to 800 %. The pointer by the corner of the checks shows them, the desktop, the grid and the
# outline.
view_x=$((X + WIDTH / 2)) view_y=$((Y + HEIGHT - 60))
xdotool mousemove "$view_x" "$view_y"
for _ in 1 2 3 4; do xdotool click 4; sleep 0.1; done
xdotool mousemove 862 102
sleep 1
shot=$work/shot.png
import -window root "$shot" 2>/dev/null
[[ -n $screenshot ]] && convert "$shot" -crop "${WIDTH}x${HEIGHT}+$X+$Y" +repage "$screenshot"
# Across the row through the centre of the magnified view, the outline's white and black
# rings lie side by side (the grid lines are grey, never pure black or white).
row=$(convert "$shot" -crop "${WIDTH}x1+$X+$((Y + HEIGHT - 1 - (HEIGHT - 200) / 2))" -depth 8 txt:- 2>/dev/null |
    grep -o '#[0-9A-F]\{6\}' | tr '\n' ' ')
grid=$(grep -o '#E0E0E0\|#202020' <<<"$row" | wc -l)
((grid > 10)) && echo "ok: the 800 % view shows the grid" || fail "no grid in the 800 % view"
grep -q '#FFFFFF #000000' <<<"$row" && echo "ok: the 800 % view outlines the sampled square" ||
    fail "the row through the view's centre shows no outline"

focus_window "$main"
save_and_exit

info=$("$cli" doc info "$doc")
grep -q "\"color\": \"$expected\"" <<<"$info" &&
    echo "ok: the 3 x 3 mean over the checks picked $expected" ||
    fail "the pick over the checks is not $expected"
grep -q '"x": 1000,' <<<"$info" && echo "ok: the pick keeps the centre" || fail "no pick at x 1000"

if ((failures)); then
    echo "$failures check(s) failed; document:" >&2
    echo "$info" >&2
    cat "$work/program.log" >&2
    exit 1
fi
echo "all sampling end-to-end checks passed"
