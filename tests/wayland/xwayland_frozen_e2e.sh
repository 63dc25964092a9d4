#!/usr/bin/env bash
# The program under XWayland (Qt's xcb platform in a sway session) picks on the frozen
# screen: --command pick-color shows it full screen over both known-color windows, the virtual
# pointer over each gives its color in screen pixels, and a click picks it there. The saved
# picks read back with their colors, screen positions and the titles sway gives the windows.
# usage: xwayland_frozen_e2e.sh NERIMLENS NERIMLENS-CLI
set -uo pipefail
program=$1
cli=$2
source "$(dirname "$0")/wayland_support.sh"
for tool in grim wtype python3; do command -v $tool >/dev/null || wl_skip "$tool is missing"; done
wl_session_up
[[ -n $X11_DISPLAY ]] || wl_skip "XWayland did not start"
wl_solids
export HOME=$WL/home-nl XDG_CONFIG_HOME=$WL/config-nl XDG_DATA_HOME=$WL/data-nl
mkdir -p "$HOME"

main_title=' - NerimLens$'
frozen_title='^NerimLens frozen screen$'
data=$WL/NerimLens.dat
doc=$WL/picks.nlz
"$cli" settings defaults "$data" >/dev/null || { echo "FAIL: cli settings defaults" >&2; exit 1; }
"$cli" doc add "$doc" '#000000' --at 1,1 >/dev/null || { echo "FAIL: cli doc add" >&2; exit 1; }
DISPLAY=$X11_DISPLAY QT_QPA_PLATFORM=xcb "$program" "UserDataFilePath:$data" "$doc" \
    >"$WL/program.log" 2>&1 &
wl_pids+=($!)
if ! wait_for 150 view_shown "$main_title"; then
    fail "the main window did not appear"
    cat "$WL/program.log" >&2
    exit 1
fi
sleep 0.5

# The frozen screen's view in sway's tree: full screen, over the whole output.
frozen_mode() {
    swaymsg -t get_tree | python3 -c '
import json, re, sys
def walk(n):
    if n.get("pid") and re.search(sys.argv[1], n.get("name") or ""):
        r = n["rect"]
        print(n.get("fullscreen_mode"), r["x"], r["y"], r["width"], r["height"])
        sys.exit(0)
    for c in n.get("nodes", []) + n.get("floating_nodes", []): walk(c)
walk(json.load(sys.stdin))
sys.exit(1)' "$frozen_title"
}

# The hot key's way in: a second start hands the command to the running instance.
DISPLAY=$X11_DISPLAY QT_QPA_PLATFORM=xcb timeout 20 "$program" --command pick-color \
    >>"$WL/program.log" 2>&1
if wait_for 50 view_shown "$frozen_title"; then echo "ok: --command pick-color shows the frozen screen"; else
    fail "no frozen screen after --command pick-color"
    cat "$WL/program.log" >&2
    exit 1
fi
sleep 0.5
mode=$(frozen_mode)
[[ $mode == "1 0 0 1600 1000" ]] && echo "ok: the frozen screen is full screen over the output" ||
    fail "the frozen screen's mode and rectangle: $mode"

native_at=(1200 150)
x11_at=(1200 900)
for at in native x11; do
    declare -n p=${at}_at
    wl_pointer move "${p[@]}"
    sleep 0.3
    wl_pointer click "${p[@]}"
    sleep 0.5
done
# Esc leaves the frozen screen; the picks are saved.
wtype -k Escape
wait_for 50 view_gone "$frozen_title" || fail "Esc did not leave the frozen screen"
sleep 0.3
wtype -M ctrl s -m ctrl
wait_for 50 bash -c "'$cli' doc info '$doc' | grep -q '\"index\": 3'" || fail "the picks were not saved"
info=$("$cli" doc info "$doc" 2>/dev/null)
colors=$(grep -o '"color": "#[0-9A-F]*"' <<<"$info" | tr '\n' ' ')
[[ $colors == *'"#12C863"'*'"#C83264"'* ]] && echo "ok: both picks have their window's color" ||
    fail "the picked colors: $colors"
grep -q '"x": 1200,' <<<"$info" && grep -q '"y": 900' <<<"$info" &&
    echo "ok: the picks lie at screen positions" || fail "the positions: $(grep -A2 '"position"' <<<"$info")"
titles=$(grep -o '"source_title": "[^"]*"' <<<"$info" | tr '\n' ' ')
[[ $titles == *"solid $WL_NATIVE_COLOR"*"solid $WL_X11_COLOR"* ]] && echo "ok: the picks name the windows sway shows there" ||
    fail "the titles: $titles"

if ((failures)); then
    echo "$failures check(s) failed" >&2
    cat "$WL/program.log" >&2
    exit 1
fi
echo "all XWayland frozen-screen checks passed"
