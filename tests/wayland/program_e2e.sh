#!/usr/bin/env bash
# The program's desktop service in a Wayland session, through a probe built on the real
# platform factory: on Qt's wayland platform the compositor's desktop (the output, no pointer
# following, pixels and sway's titles over a Wayland and an X11 window, a freeze); under
# XWayland the X server's windows with the compositor's pixels and the note for the status
# bar; a screenshot service in place of the screen copy. Then the program itself starts on the wayland platform and shows its window;
# `--command show-hide` hides and shows it, and a second start brings it forward.
# usage: program_e2e.sh NERIMLENS NERIMLENS-CLI
set -uo pipefail
program=$1
probe=${NL_WL_PROBE:?}
source "$(dirname "$0")/wayland_support.sh"
wl_session_up
wl_solids
export HOME=$WL/home-root XDG_CONFIG_HOME=$WL/config-root XDG_DATA_HOME=$WL/data-root
mkdir -p "$HOME"

native_at=$((WL_NATIVE_CONTENT[0] + 50)),$((WL_NATIVE_CONTENT[1] + 50))
x11_at=$((WL_X11_CONTENT[0] + 50)),$((WL_X11_CONTENT[1] + 50))
QT_QPA_PLATFORM=wayland "$probe" "$native_at" "$x11_at" >"$WL/probe-wayland.txt" 2>"$WL/probe-wayland.err"
DISPLAY=$X11_DISPLAY QT_QPA_PLATFORM=xcb "$probe" "$native_at" "$x11_at" >"$WL/probe-xcb.txt" 2>"$WL/probe-xcb.err"
# Without the screen copy: a screenshot service's pictures, frozen once; refused; missing.
QT_QPA_PLATFORM=wayland "$probe" --source >"$WL/probe-source.txt" 2>"$WL/probe-source.err"

# Each case: file => a line it must hold.
while IFS= read -r line; do
    file=${line%% => *} expected=${line#* => }
    if grep -qxF -- "$expected" "$WL/$file"; then echo "ok: $file: $expected"; else
        fail "$file lacks '$expected'"
        cat "$WL/$file" "$WL/${file%.txt}.err" >&2
    fi
done <<CASES
probe-wayland.txt => platform wayland
probe-wayland.txt => monitor 0,0,1600,1000
probe-wayland.txt => follows-pointer 0
probe-wayland.txt => note 
probe-wayland.txt => pixel $native_at $WL_NATIVE_COLOR solid $WL_NATIVE_COLOR|solidwl
probe-wayland.txt => pixel $x11_at $WL_X11_COLOR solid $WL_X11_COLOR|solidx
probe-wayland.txt => freeze 1 
probe-xcb.txt => platform xcb
probe-xcb.txt => follows-pointer 0
probe-xcb.txt => note NerimLens runs best as a native Wayland program: start it with QT_QPA_PLATFORM=wayland
probe-xcb.txt => pixel $x11_at $WL_X11_COLOR solid $WL_X11_COLOR|solidx
probe-xcb.txt => freeze 1 
probe-source.txt => source-read #012030
probe-source.txt => source-read #022030
probe-source.txt => source-freeze 1
probe-source.txt => source-frozen #032030
probe-source.txt => source-thawed #042030
probe-source.txt => refused-read none
probe-source.txt => refused-reason the screenshot was refused
probe-source.txt => refused-freeze 0 the screenshot was refused
probe-source.txt => unreadable-read none
probe-source.txt => unreadable-reason the Wayland compositor does not let programs copy the screen and no screenshot service is available
CASES
# The X server alone sees black over the Wayland window; the compositor's pixels do not.
grep -q "^pixel $native_at $WL_NATIVE_COLOR " "$WL/probe-xcb.txt" && echo "ok: XWayland reads Wayland pixels" ||
    fail "under XWayland the Wayland window's pixel is not $WL_NATIVE_COLOR: $(grep "^pixel $native_at" "$WL/probe-xcb.txt")"

# A frozen screen keeps its pixels and windows while the Wayland window moves away; once
# thawed, the place shows something else.
QT_QPA_PLATFORM=wayland "$probe" --freeze-then "swaymsg '[app_id=solidwl] move position 0 500' >/dev/null" \
    "$native_at" >"$WL/probe-freeze.txt" 2>"$WL/probe-freeze.err"
frozen="$WL_NATIVE_COLOR solid $WL_NATIVE_COLOR|solidwl"
if grep -qxF "frozen-before $frozen" "$WL/probe-freeze.txt" && grep -qxF "frozen-after $frozen" "$WL/probe-freeze.txt" &&
    grep -q "^thawed #" "$WL/probe-freeze.txt" && ! grep -q "^thawed .*solidwl" "$WL/probe-freeze.txt"; then
    echo "ok: a frozen screen keeps its pixels and windows until thawed"
else
    fail "freeze and thaw"
    cat "$WL/probe-freeze.txt" "$WL/probe-freeze.err" >&2
fi

# The program itself on the wayland platform: its window shows and it keeps running.
QT_QPA_PLATFORM=wayland "$program" >"$WL/program.log" 2>&1 &
program_pid=$!
wl_pids+=($program_pid)
for _ in $(seq 100); do wl_has_view app_id net.nerim.NerimLens && break; sleep 0.1; done
if wl_has_view app_id net.nerim.NerimLens && kill -0 $program_pid 2>/dev/null; then
    echo "ok: the program's window is shown on the wayland platform"
else
    fail "the program's window did not appear on the wayland platform"
    kill -0 $program_pid 2>/dev/null || echo "the program has ended" >&2
    cat "$WL/program.log" >&2
    swaymsg -t get_tree | grep -E '"(app_id|name)"' >&2
fi
[[ -n ${NL_WL_SCREENSHOT:-} ]] && command -v grim >/dev/null && grim "$NL_WL_SCREENSHOT"

# Commands from outside, as a desktop's key binding sends them: Show/Hide hides the window
# and shows it again.
nl_hidden() { ! wl_has_view app_id net.nerim.NerimLens; }
nl_shown() { wl_has_view app_id net.nerim.NerimLens; }
for round in hidden shown; do
    QT_QPA_PLATFORM=wayland timeout 20 "$program" --command show-hide >>"$WL/program.log" 2>&1
    code=$?
    ok=0
    for _ in $(seq 50); do nl_$round && { ok=1; break; }; sleep 0.1; done
    ((code == 0 && ok)) && echo "ok: --command show-hide left the window $round" ||
        fail "--command show-hide did not leave the window $round (exit $code)"
done
# A second start brings the window forward from behind another one.
focused_app() {
    swaymsg -t get_tree | python3 -c 'import json, sys
def walk(n):
    for c in n.get("nodes", []) + n.get("floating_nodes", []):
        yield c
        yield from walk(c)
print(" ".join(str(n.get("app_id")) for n in walk(json.load(sys.stdin)) if n.get("focused")))'
}
swaymsg '[app_id="solidwl"] focus' >/dev/null
sleep 0.3
[[ $(focused_app) == solidwl ]] || fail "the Wayland window did not take the focus"
QT_QPA_PLATFORM=wayland timeout 20 "$program" >>"$WL/program.log" 2>&1
ok=0
for _ in $(seq 50); do [[ $(focused_app) == net.nerim.NerimLens ]] && { ok=1; break; }; sleep 0.1; done
((ok)) && echo "ok: a second start brought the window forward" ||
    fail "after a second start the focus is on $(focused_app)"
kill $program_pid 2>/dev/null

[[ $failures -eq 0 ]] && echo "all checks passed" || echo "$failures check(s) failed"
exit $((failures > 0))
