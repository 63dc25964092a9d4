#!/usr/bin/env bash
# Drives the options pages on the X server of $DISPLAY (the test runs it under xvfb-run) with
# xdotool. Hot Keys: with Ctrl+F12 held by the program as the Clipboard Viewer's hot key, the
# editor of the Ruler's hot key still receives Ctrl+F12; Ctrl+Alt+F9 typed into it becomes the
# Ruler's hot key, pressing it runs the Ruler command, and Ctrl+F12 is held again after the
# editor. Notification: sounds switched on, Tick2 chosen for "Pick color" from the sound menu,
# Test plays it, Apply saves both. With NL_SCREENSHOT_DIR set, screenshots of both pages and of
# the editor are kept there.
#
# Usage: options_e2e.sh OPTIONS_PAGES_HOST
set -uo pipefail

host=$1
source "$(dirname "$0")/e2e_support.sh" options
require_tools xdotool import

log=
shots=${NL_SCREENSHOT_DIR:-$work/shots}
mkdir -p "$shots"
ctrl_f12=0x2007B  # MOD_CONTROL << 16 | VK_F12
ctrl_alt_f9=0x30078
ctrl_shift_f9=0x60078

# Starts the host on page $1 with the remaining arguments; waits for its cell coordinates.
start_host() {
    log=$work/host_$1.log
    "$host" "$@" >>"$log" 2>&1 &
    pid=$!
    wait_for 150 grep -q '^cell ' "$log" || { fail "page $1 did not appear"; cat "$log" >&2; exit 1; }
    sleep 0.3
}
# The centre "X Y" of button cell ROW COLUMN, or of control $1.
cell() { awk -v r="$1" -v c="$2" '$1 == "cell" && $2 == r && $3 == c { print $4, $5; exit }' "$log"; }
control() { awk -v id="$1" '$1 == "control" && $2 == id { print $3, $4; exit }' "$log"; }
click_at() { xdotool mousemove $1 $2 click 1; sleep 0.4; }
logged() { grep -qx -- "$1" "$log"; }
stop_host() { kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; pid=; }

# --- Hot Keys ---
start_host hotkeys --hot-key "3=$ctrl_f12"  # Clipboard Viewer
import -window root "$shots/hotkeys_page.png"
click_at $(cell 2 2)  # Edit of "Ruler"
wait_for 50 grep -q '^key None$' "$log" || fail "the editor did not open on the Ruler's key"
editor=$(xdotool search --onlyvisible --name 'Edit Hot Key' | head -n 1)
[[ -n $editor ]] && focus_window "$editor"
xdotool key ctrl+F12
if wait_for 30 logged "key Ctrl + F12"; then echo "ok: the program's own hot key reached the editor"
else fail "Ctrl+F12 did not reach the editor (still grabbed?)"; fi
# X servers whose keyboard map makes Ctrl+Alt+F1 .. F12 switch consoles keep those presses
# to themselves (neither a grab nor the focused window gets them); Ctrl+Shift+F9 stands in.
key=ctrl+alt+F9 text="Ctrl + Alt + F9" value=$ctrl_alt_f9
xdotool key $key
if ! wait_for 30 logged "key $text"; then
    echo "note: the X server kept Ctrl+Alt+F9 (a console switch key here); using Ctrl+Shift+F9"
    key=ctrl+shift+F9 text="Ctrl + Shift + F9" value=$ctrl_shift_f9
    xdotool key $key
fi
if wait_for 30 logged "key $text"; then echo "ok: editor shows $text"
else fail "the editor did not show $text"; fi
import -window root "$shots/hotkey_editor.png"
xdotool key Return
if wait_for 30 logged "hotkeys 0x0 0x0 $value $ctrl_f12"; then echo "ok: the Ruler's hot key stored"
else fail "the hot key table did not change"; fi
import -window root "$shots/hotkeys_page_after.png"
sleep 0.3
xdotool key $key
if wait_for 30 logged "command 3057"; then echo "ok: $text ran the Ruler command"
else fail "$text did not run the Ruler command"; fi
# The Clipboard Viewer's key is held again now that the editor is closed.
logged "command 3058" && fail "the Clipboard Viewer command ran while the editor had its key"
xdotool key ctrl+F12
if wait_for 30 logged "command 3058"; then echo "ok: Ctrl+F12 is a hot key again"
else fail "Ctrl+F12 ran no Clipboard Viewer command after the editor closed"; fi
stop_host

# --- Notification ---
start_host helpers --sounds-off
import -window root "$shots/notification_page.png"
click_at $(control 5501)
click_at $(cell 0 2)  # Edit of "Pick color": the sound menu
xdotool key Down Down Down Return  # None, Tick1, Tick2
sleep 0.4
click_at $(cell 0 3)  # Test
if wait_for 30 logged "sound 1202"; then echo "ok: Test played Tick2"; else fail "Test played no Tick2"; fi
import -window root "$shots/notification_page_after.png"
click_at $(control apply)
if wait_for 30 logged "saved 1 2 0 0"; then echo "ok: Apply saved sounds on and Tick2"
else fail "Apply did not save the sounds"; grep '^saved' "$log" >&2; fi
stop_host

if ((failures)); then
    echo "$failures check(s) failed; host output:" >&2
    for page in hotkeys helpers; do
        echo "--- $page" >&2
        grep -v '^cell \|^control ' "$work/host_$page.log" >&2
    done
    exit 1
fi
echo "all options end-to-end checks passed"
