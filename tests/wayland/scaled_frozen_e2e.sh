#!/usr/bin/env bash
# The program native on Wayland on an output scaled 1.5 (sway, headless), where Qt draws at 2
# and the compositor scales down: picks on the frozen screen land on the device pixel under
# the pointer, odd or even, over a Wayland and an X11 window, with the colors the
# compositor's own screenshot shows there.
# usage: scaled_frozen_e2e.sh NERIMLENS NERIMLENS-CLI
set -uo pipefail
program=$1
cli=$2
source "$(dirname "$0")/wayland_support.sh"
for tool in grim wtype python3; do command -v $tool >/dev/null || wl_skip "$tool is missing"; done
wl_session_up
swaymsg output HEADLESS-1 scale 1.5 >/dev/null || fail "sway did not scale its output"
wl_solids
# The output is 1066 x 666 of sway's logical pixels now: both windows brought onto it.
swaymsg '[app_id="solidwl"] resize set 500 300, move position 500 20' >/dev/null
swaymsg '[class="solidx"] resize set 500 300, move position 500 340' >/dev/null
sleep 0.5
export HOME=$WL/home-nl XDG_CONFIG_HOME=$WL/config-nl XDG_DATA_HOME=$WL/data-nl
mkdir -p "$HOME"

data=$WL/NerimLens.dat
doc=$WL/picks.nlz
"$cli" settings defaults "$data" >/dev/null || { echo "FAIL: cli settings defaults" >&2; exit 1; }
"$cli" doc add "$doc" '#000000' --at 1,1 >/dev/null || { echo "FAIL: cli doc add" >&2; exit 1; }
grim -t ppm "$WL/screen.ppm"
# The screenshot's color at device pixel X Y.
shot_pixel() { echo "pixel $1 $2" | shot_query screen; }
read -r width _ < <(sed -n 2p "$WL/screen.ppm")
((width == 1600)) && echo "ok: the scaled output has 1600 device pixels across" ||
    fail "the screenshot is $width pixels wide"

QT_QPA_PLATFORM=wayland "$program" "UserDataFilePath:$data" "$doc" >"$WL/program.log" 2>&1 &
wl_pids+=($!)
wait_for 150 view_shown "^picks.nlz - NerimLens$" || { fail "the main window did not appear"; cat "$WL/program.log" >&2; exit 1; }
sleep 0.5
wtype -M alt t -m alt
sleep 0.4
wtype p
wait_for 50 view_shown "^NerimLens frozen screen$" || { fail "no frozen screen"; cat "$WL/program.log" >&2; exit 1; }
# The virtual pointer's extent is the output's 1600 x 1000: its positions are device pixels.
# Both points lie right of the main window, which stays over the frozen screen.
native_at=(1201 301)
x11_at=(1300 850)
wl_pointer click "${native_at[@]}"
wl_pointer move "${x11_at[@]}"
sleep 0.3
wtype -k Return
sleep 0.3
wtype -k Escape
wait_for 30 view_gone "^NerimLens frozen screen$" || fail "the frozen screen stayed after Esc"
sleep 0.3
wtype -M ctrl s -m ctrl
sleep 0.7
picks=$("$cli" doc info "$doc" 2>&1 | python3 -c '
import json, sys
for c in json.load(sys.stdin)["colors"][1:]:
    print("%s %d,%d" % (c["color"].lower(), c["position"]["x"], c["position"]["y"]))' 2>&1)
# sway maps the pointer's extent onto its output of 1066.67 logical pixels with whole-pixel
# sizes of its own, so the device pixel under the pointer may lie one off the extent's
# position; the pick's position is the device pixel (not a logical one, 1.5 times off) and
# its color the compositor's there.
want=("$WL_NATIVE_COLOR ${native_at[*]}" "$WL_X11_COLOR ${x11_at[*]}")
i=0
while read -r color position; do
    read -r wx wy <<<"${want[i]#* }"
    px=${position%,*} py=${position#*,}
    if [[ $color == "${want[i]%% *}" && $color == "$(shot_pixel "$px" "$py")" ]] &&
        ((px - wx <= 1 && wx - px <= 1 && py - wy <= 1 && wy - py <= 1)); then
        echo "ok: at scale 1.5 the pick at $wx,$wy is $color of device pixel $position"
    else
        fail "at scale 1.5 the pick at $wx,$wy is $color at $position"
    fi
    i=$((i + 1))
done <<<"$picks"
((i == 2)) || fail "expected two picks, got: $picks"
((failures)) && { cat "$WL/program.log" >&2; exit 1; }
echo "all scaled Wayland checks passed"
