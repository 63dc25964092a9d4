#!/usr/bin/env bash
# Picking on a frozen screen, end to end: the real program over the in-memory desktop with
# NL_FAKE_NO_POINTER=1 (a desktop that does not follow the pointer, as a Wayland session).
# Picking does not start by itself; Start picking shows the frozen picture; the pointer moved
# over it with xdotool is the cursor (the Magnifier shows the swatch under it); a click picks,
# an arrow key moves the cross-hair one pixel and Enter picks there; Esc leaves. Save writes
# both picks, which nerimlens-cli reads back. Run once at Qt's own scale and once at
# QT_SCALE_FACTOR=2, where the picture still lies 1:1 on the screen's pixels.
#
# Usage: frozen_e2e.sh PROGRAM CLI
set -uo pipefail

program=$1
cli=$2
source "$(dirname "$0")/e2e_support.sh" frozen-e2e
require_tools xdotool import convert

export NL_PLATFORM=fake NL_FAKE_NO_POINTER=1
frozen_title='^NerimLens frozen screen$'
# The demo desktop's palette on a 1280x1024 screen: its blue and yellow swatches.
blue='#2040E0'
blue_at=(1000 150)
yellow='#F0D020'
yellow_at=(1080 150)

frozen_shown() { [[ -n $(xdotool search --onlyvisible --name "$frozen_title" 2>/dev/null) ]]; }
frozen_gone() { ! frozen_shown; }
# How many pixels of the main window have the colour $1 (#RRGGBB).
pixels_of() {
    import -window "$main" png:- 2>/dev/null | convert png:- -format %c histogram:info:- |
        grep -i "$1" | awk '{ sum += $1 } END { print sum + 0 }'
}
# Whether the main window shows at least 2000 pixels of colour $1 (the Magnifier's pane).
magnified() { (($(pixels_of "$1") > 2000)); }

run_once() {
    local scale=$1 data=$work/data-$1.dat doc=$work/picks-$1.nlz
    "$cli" settings defaults "$data" >/dev/null || { fail "cli defaults"; return; }
    "$cli" doc add "$doc" '#000000' --at 1,1 >/dev/null || { fail "cli doc add"; return; }
    QT_SCALE_FACTOR=$scale start_program "UserDataFilePath:$data" "$doc"
    sleep 0.5
    frozen_gone && echo "ok[$scale]: picking waits for the user's start" ||
        fail "[$scale] a frozen screen came up at start-up"

    focus_window "$main"
    xdotool key --window "$main" alt+t
    sleep 0.5
    xdotool key p
    if wait_for 50 frozen_shown; then echo "ok[$scale]: Start picking shows the frozen screen"; else
        fail "[$scale] no frozen screen after Start picking"
        return
    fi
    local frozen
    frozen=$(xdotool search --onlyvisible --name "$frozen_title" | head -n 1)

    xdotool mousemove "${blue_at[@]}"
    wait_for 30 magnified "$blue" && echo "ok[$scale]: the Magnifier follows the pointer (blue)" ||
        fail "[$scale] the Magnifier shows $(pixels_of "$blue") blue pixels"
    xdotool mousemove "${yellow_at[@]}"
    wait_for 30 magnified "$yellow" && echo "ok[$scale]: the Magnifier follows the pointer (yellow)" ||
        fail "[$scale] the Magnifier shows $(pixels_of "$yellow") yellow pixels"

    xdotool mousemove "${blue_at[@]}"
    sleep 0.3
    xdotool click 1
    sleep 0.3
    focus_window "$frozen"
    xdotool key Left
    sleep 0.3
    xdotool key Return
    sleep 0.3
    xdotool key Escape
    wait_for 30 frozen_gone && echo "ok[$scale]: Esc leaves the frozen screen" ||
        fail "[$scale] the frozen screen stayed after Esc"

    focus_window "$main"
    save_and_exit

    local info picks xs
    info=$("$cli" doc info "$doc")
    picks=$(grep -c "\"color\": \"$blue\"" <<<"$info")
    [[ $picks -eq 2 ]] && echo "ok[$scale]: both picks have the blue swatch's colour" ||
        fail "[$scale] $picks picks of $blue: $info"
    grep -q '"window_class": "Swatch"' <<<"$info" && echo "ok[$scale]: the pick names the window" ||
        fail "[$scale] no pick names the class Swatch"
    xs=$(grep -A2 '"position": {' <<<"$info" | grep -o '"[xy]": [0-9]*' | sed 's/.* //' | tail -n 4 | tr '\n' ' ')
    [[ $xs == "${blue_at[0]} ${blue_at[1]} $((blue_at[0] - 1)) ${blue_at[1]} " ]] &&
        echo "ok[$scale]: the click and the arrow key picked at the right pixels" ||
        fail "[$scale] pick positions '$xs'"
}

run_once 1
run_once 2

if ((failures)); then
    echo "$failures check(s) failed" >&2
    cat "$work/program.log" >&2
    exit 1
fi
echo "all frozen-screen end-to-end checks passed"
