#!/usr/bin/env bash
# Runs the real program on the X server of $DISPLAY with a dark and a light window of known
# colors, opens the Contrast window from outside (--command contrast), picks the text color
# from the dark window and the background from the light one with Pick and Enter, and reads
# the ratio and verdicts back from Copy Report (xclip); a swatch simulated for deuteranopia
# in the Magnifier is checked elsewhere. Optionally photographs the window.
#
# Usage: contrast_e2e.sh PROGRAM CLI [SCREENSHOT]
set -uo pipefail

program=$1
cli=$2
shot=${3:-}
source "$(dirname "$0")/e2e_support.sh" contrast-e2e
require_tools xdotool display xclip

data=$work/NerimLens.dat
doc=$work/pair.nlz
# Ctrl+F11 is the Contrast window's own hot key, kept in the side file beside the data file.
"$cli" settings defaults "$data" --hot-key 4=0x2007A >/dev/null ||
    { echo "FAIL: cli defaults" >&2; exit 1; }
"$cli" doc add "$doc" '#000000' --at 1,1 >/dev/null || { echo "FAIL: cli doc add" >&2; exit 1; }
show_swatch Dark 900,100 '#1A5C9E' || exit 1
show_swatch Light 900,400 '#F4F1E8' || exit 1

start_program "UserDataFilePath:$data" "$doc"
contrast_window() { xdotool search --onlyvisible --name '^NerimLens: Contrast$' 2>/dev/null | head -n 1; }
contrast_shown() { [[ -n $(contrast_window) ]]; }
"$program" --command contrast "UserDataFilePath:$data" >>"$work/program.log" 2>&1
if wait_for 100 contrast_shown; then echo "ok: --command contrast opened the window"; else
    fail "--command contrast showed no Contrast window"
    cat "$work/program.log" >&2
    exit 1
fi
window=$(contrast_window)

# Pick (Alt+P for the text, Alt+I for the background) waits for a pick; Enter in the window
# picks the pixel under the pointer.
pick_into() {
    focus_window "$window"
    xdotool key --window "$window" "$1"
    sleep 0.4
    xdotool mousemove "$2" "$3"
    sleep 0.4
    focus_window "$window"
    xdotool key --window "$window" Return
    sleep 0.5
}
pick_into alt+p 1000 200
pick_into alt+i 1000 500

clipboard() { xclip -selection clipboard -o 2>/dev/null | tr -d '\r'; }
expected=$'Text\t#1A5C9E\nBackground\t#F4F1E8\nContrast ratio\t6.06:1\nAA normal text\tpass\nAA large text\tpass\nAAA normal text\tfail\nAAA large text\tpass\nNon-text\tpass'
report_is() { [[ $(clipboard | head -n 8) == "$expected" ]]; }
focus_window "$window"
xdotool key --window "$window" alt+o
if wait_for 30 report_is; then echo "ok: the picked pair reads 6.06:1, AA but not AAA for body text"; else
    fail "Copy Report gave: $(clipboard)"
fi
# The command line agrees with the window.
[[ $("$cli" contrast '#1A5C9E' '#F4F1E8' | head -n 1) == $'Contrast ratio\t6.06:1' ]] &&
    echo "ok: nerimlens-cli contrast agrees" || fail "nerimlens-cli contrast disagrees"

[[ -n $shot ]] && import -window "$window" "$shot" 2>/dev/null
contrast_gone() { ! contrast_shown; }
# Esc closes the window; the hot key opens it again.
focus_window "$window"
xdotool key --window "$window" Escape
wait_for 30 contrast_gone || fail "Esc did not close the Contrast window"
xdotool key ctrl+F11
if wait_for 50 contrast_shown; then echo "ok: the Contrast hot key Ctrl+F11 opened the window"; else
    fail "Ctrl+F11 showed no Contrast window"
fi
# Left open at exit, the window comes back at the next start with the pair.
focus_window "$main"
save_and_exit
side=${data%.*}.ini
grep -q '^contrast.text=#1A5C9E$' "$side" && grep -q '^contrast.background=#F4F1E8$' "$side" &&
    grep -q '^contrast.open=1$' "$side" &&
    echo "ok: the pair and the open window are kept in ${side##*/}" ||
    fail "the side file holds: $(cat "$side" 2>&1)"
start_program "UserDataFilePath:$data" "$doc"
if wait_for 100 contrast_shown; then echo "ok: the Contrast window came back at start"; else
    fail "the Contrast window open at exit did not come back"
fi
window=$(contrast_window)
focus_window "$window"
xdotool key --window "$window" alt+o
wait_for 30 report_is && echo "ok: it came back with the picked pair" ||
    fail "after the restart Copy Report gave: $(clipboard)"
# The command toggles the window: closed now, and not back at the next start.
"$program" --command contrast "UserDataFilePath:$data" >>"$work/program.log" 2>&1
wait_for 30 contrast_gone || fail "--command contrast did not close the Contrast window"
focus_window "$main"
save_and_exit
grep -q '^contrast.open=' "$side" && fail "closed, the window is still marked open" ||
    echo "ok: a closed window stays closed"

((failures == 0)) && echo "PASS" || exit 1
