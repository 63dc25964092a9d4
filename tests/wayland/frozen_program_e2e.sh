#!/usr/bin/env bash
# The program native on Wayland (Qt's wayland platform), end to end in one headless sway
# session with a Wayland and an X11 known-color window. Start picking (Tools menu, keys typed
# by wtype) shows the frozen screen; the virtual pointer over each window is the cursor: the
# Magnifier shows its color, a click and Enter pick it, Esc leaves; Save writes both picks,
# which nerimlens-cli reads back with their colors, screen positions and sway's titles. The
# Ruler, opened from the menu and dragged over each window, lets them show through at its
# alpha. The Screen Copier's rectangle capture covers the screen with its overlay until Esc.
# Screenshots (grim) of each stage go to $NL_WL_SHOTS when set.
# usage: frozen_program_e2e.sh NERIMLENS NERIMLENS-CLI
set -uo pipefail
program=$1
cli=$2
source "$(dirname "$0")/wayland_support.sh"
for tool in grim wtype python3; do command -v $tool >/dev/null || wl_skip "$tool is missing"; done
wl_session_up
wl_solids
export HOME=$WL/home-nl XDG_CONFIG_HOME=$WL/config-nl XDG_DATA_HOME=$WL/data-nl
mkdir -p "$HOME"
shots=${NL_WL_SHOTS:-}
[[ -n $shots ]] && mkdir -p "$shots"

# Takes the screen as $WL/$1.ppm (and as a PNG into $shots).
shot() {
    grim -t ppm "$WL/$1.ppm"
    [[ -n $shots ]] && grim "$shots/$1.png"
}

# Chooses item $2 of the main window's menu $1 by their access keys.
menu_item() {
    wtype -M alt "$1" -m alt
    sleep 0.4
    wtype "$2"
}

main_title=' - NerimLens$'
frozen_title='^NerimLens frozen screen$'
ruler_title='^NerimLens \| '
overlay_title='^NerimScrCopCov$'

data=$WL/NerimLens.dat
doc=$WL/picks.nlz
"$cli" settings defaults "$data" >/dev/null || { echo "FAIL: cli settings defaults" >&2; exit 1; }
"$cli" doc add "$doc" '#000000' --at 1,1 >/dev/null || { echo "FAIL: cli doc add" >&2; exit 1; }
QT_QPA_PLATFORM=wayland "$program" "UserDataFilePath:$data" "$doc" >"$WL/program.log" 2>&1 &
program_pid=$!
wl_pids+=($program_pid)
if ! wait_for 150 view_shown "$main_title"; then
    fail "the main window did not appear"
    cat "$WL/program.log" >&2
    exit 1
fi
sleep 0.5
view_gone "$frozen_title" && echo "ok: picking waits for the user's start" ||
    fail "a frozen screen came up at start-up"

# --- the frozen screen: the Magnifier and picks over both windows --------------------------
native_at=(1200 150)
x11_at=(1200 900)
# Whether the main window (over the frozen screen) shows more than 2000 pixels of color $1:
# the Magnifier's zoom of the window under the pointer.
magnified() {
    local rect
    rect=$(view_rect "$main_title") || return 1
    grim -t ppm "$WL/magnified.ppm"
    (($(echo "count $1 $rect" | shot_query magnified) > 2000))
}

shot before-picking
menu_item t p
if wait_for 50 view_shown "$frozen_title"; then echo "ok: Start picking shows the frozen screen"; else
    fail "no frozen screen after Start picking"
    cat "$WL/program.log" >&2
    exit 1
fi
wl_pointer move "${native_at[@]}"
wait_for 30 magnified "$WL_NATIVE_COLOR" && echo "ok: the Magnifier shows the Wayland window" ||
    fail "the Magnifier does not show $WL_NATIVE_COLOR over the Wayland window"
shot wayland-frozen-native
# The picture shows the screen as it was before the Tools menu opened: the menu (below its
# title at 124,44, 152 x 181) left the screen before the freeze.
changed=$(echo "differs before-picking 124 44 152 181" | shot_query wayland-frozen-native)
((changed < 3000)) && echo "ok: the frozen picture holds no menu" ||
    fail "$changed pixels of the frozen picture changed where the Tools menu was"
wl_pointer click "${native_at[@]}"
wl_pointer move "${x11_at[@]}"
wait_for 30 magnified "$WL_X11_COLOR" && echo "ok: the Magnifier shows the X11 window" ||
    fail "the Magnifier does not show $WL_X11_COLOR over the X11 window"
shot wayland-frozen-x11
wtype -k Return
sleep 0.3
wtype -k Escape
wait_for 30 view_gone "$frozen_title" && echo "ok: Esc leaves the frozen screen" ||
    fail "the frozen screen stayed after Esc"

# The picks, saved and read back: color, screen position, title and class of each window.
sleep 0.3
wtype -M ctrl s -m ctrl
sleep 0.7
"$cli" doc info "$doc" >"$WL/info.json" 2>&1 || fail "nerimlens-cli doc info: $(cat "$WL/info.json")"
picks=$(python3 -c '
import json, sys
for c in json.load(open(sys.argv[1]))["colors"][1:]:
    print("%s %d,%d %s|%s" % (c["color"].lower(), c["position"]["x"], c["position"]["y"],
                              c["source_title"], c["window_class"]))' "$WL/info.json" 2>&1)
expected="$WL_NATIVE_COLOR ${native_at[0]},${native_at[1]} solid $WL_NATIVE_COLOR|solidwl
$WL_X11_COLOR ${x11_at[0]},${x11_at[1]} solid $WL_X11_COLOR|solidx"
[[ $picks == "$expected" ]] && echo "ok: the picks hold both windows' colors, positions and titles" ||
    fail "picks: expected '$expected', got '$picks'"

# --- the Ruler: translucent over each window --------------------------------------------------
# Drags the ruler by the point $1,$2 of its body to put its corner at $3,$4.
drag_ruler() {
    local x y w h
    read -r x y w h < <(view_rect "$ruler_title")
    wl_pointer move $((x + $1)) $((y + $2))
    wl_pointer down
    wl_pointer move $((x + $1 + ($3 - x) / 2)) $((y + $2 + ($4 - y) / 2))
    wl_pointer move $(($3 + $1)) $(($4 + $2))
    wl_pointer up
    sleep 0.3
    [[ $(view_rect "$ruler_title") == "$3 $4 "* ]]
}
# The ruler's body lies between its caption and its ticks; its point 25,30 is free of labels.
body=(25 30)
ruler_over=()
menu_item t r
if wait_for 50 view_shown "$ruler_title"; then
    for place in "800 168 native" "800 668 x11"; do
        read -r rx ry name <<<"$place"
        if drag_ruler 200 40 "$rx" "$ry"; then
            sleep 0.3
            shot "wayland-ruler-$name"
            ruler_over+=("$(echo "pixel $((rx + body[0])) $((ry + body[1]))" | shot_query "wayland-ruler-$name")")
        else
            fail "dragging the ruler to $rx,$ry left it at $(view_rect "$ruler_title")"
        fi
    done
else
    fail "Tools > Ruler did not open the ruler"
fi
# Drawn at alpha 202/255, the ruler over two colors differs by the rest of their difference.
if ((${#ruler_over[@]} == 2)); then
    python3 - "${ruler_over[@]}" "$WL_NATIVE_COLOR" "$WL_X11_COLOR" <<'PY' && echo "ok: the ruler is translucent (${ruler_over[*]})" || fail "the ruler is not a blend: ${ruler_over[*]}"
import sys
over_a, over_b, a, b = [[int(c[i:i + 2], 16) for i in (1, 3, 5)] for c in sys.argv[1:5]]
rest = 1 - 202 / 255
sys.exit(0 if over_a not in (a, b) and over_b not in (a, b) and
         all(abs((p - q) - rest * (s - t)) <= 4 for p, q, s, t in zip(over_a, over_b, a, b)) else 1)
PY
    menu_item t r
    wait_for 30 view_gone "$ruler_title" || fail "Tools > Ruler did not close the ruler"
fi

# --- the Screen Copier's overlay -------------------------------------------------------------
menu_item t s
sleep 0.5
read -r mx my _ _ < <(view_rect "$main_title")
rectangle_button=(20 69)
wl_pointer click $((mx + rectangle_button[0])) $((my + rectangle_button[1]))
if wait_for 50 view_shown "$overlay_title"; then
    [[ $(view_rect "$overlay_title") == "0 0 1600 1000" ]] && echo "ok: the Screen Copier's overlay covers the screen" ||
        fail "the overlay lies at $(view_rect "$overlay_title")"
    wl_pointer move 1000 100
    wl_pointer down
    wl_pointer move 1200 300
    wl_pointer move 1400 800
    sleep 0.3
    shot wayland-screen-copier
    # The overlay shows the screen dimmed, and as it is inside the rectangle being drawn.
    veiled=$(printf 'pixel 900 300\npixel 1100 300\n' | shot_query wayland-screen-copier | tr '\n' ' ')
    [[ $veiled != "$WL_NATIVE_COLOR "* && $veiled == *" $WL_NATIVE_COLOR " ]] &&
        echo "ok: the overlay dims the screen outside the rectangle" || fail "overlay pixels: $veiled"
    wtype -k Escape
    wl_pointer up
    wait_for 30 view_gone "$overlay_title" && echo "ok: Esc ends the overlay" || fail "the overlay stayed after Esc"
    wait_for 30 view_shown "$main_title" || fail "the main window did not come back after the overlay"
else
    fail "the rectangle capture showed no overlay"
fi

kill -0 $program_pid 2>/dev/null || fail "the program has ended: $(cat "$WL/program.log")"
kill $program_pid 2>/dev/null
[[ $failures -eq 0 ]] && echo "all checks passed" || echo "$failures check(s) failed"
exit $((failures > 0))
