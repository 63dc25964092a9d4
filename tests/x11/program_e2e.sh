#!/usr/bin/env bash
# Runs the real program on the X server of $DISPLAY (the test runs it under xvfb-run) and
# drives it with xdotool: the main window appears, a second start shows the first and ends
# with exit code 0, a global hot key hides and shows the window, Stay on Top keeps the
# window, Exit writes a data file that nerimlens-cli accepts.
#
# Usage: program_e2e.sh PROGRAM CLI
set -uo pipefail

program=$1
cli=$2
source "$(dirname "$0")/e2e_support.sh" e2e
window_hidden() { ! window_shown; }
require_tools xdotool

data=$work/NerimLens.dat
ctrl_f12=0x2007B  # MOD_CONTROL << 16 | VK_F12

"$cli" settings defaults "$data" --hot-key "0=$ctrl_f12" || { echo "FAIL: cli defaults" >&2; exit 1; }
before=$(stat -c %Y.%s "$data")
sleep 1  # a later write shows in the modification time

start_program "UserDataFilePath:$data"

# A second start while the first is visible ends at once with exit code 0: the first took it.
timeout 20 "$program" "UserDataFilePath:$data" >/dev/null 2>&1
code=$?
[[ $code -eq 0 ]] && echo "ok: second start ended with 0" || fail "second start exit code $code"
kill -0 "$pid" 2>/dev/null || fail "the first instance ended"

# The Show/Hide hot key hides the window and shows it again.
xdotool key ctrl+F12
if wait_for 50 window_hidden; then echo "ok: hot key hid the window"; else fail "hot key did not hide"; fi

# A second start while the first is hidden shows the first.
timeout 20 "$program" "UserDataFilePath:$data" >/dev/null 2>&1
code=$?
[[ $code -eq 0 ]] || fail "second start (hidden first) exit code $code"
if wait_for 50 window_shown; then echo "ok: second start showed the first"; else
    fail "second start did not show the first"
    xdotool key ctrl+F12
    wait_for 50 window_shown || fail "hot key did not show the window again"
fi

xdotool key ctrl+F12
wait_for 50 window_hidden || fail "hot key did not hide the window the second time"
xdotool key ctrl+F12
if wait_for 50 window_shown; then echo "ok: hot key showed the window"; else fail "hot key did not show"; fi

# Stay on Top (Ctrl+T) changes the existing window, on and off again: the same X window.
main=$(xdotool search --onlyvisible --classname '^nerimlens$' | head -n 1)
for round in on off; do
    focus_window "$main"
    xdotool key --window "$main" ctrl+t
    sleep 0.5
    now=$(xdotool search --onlyvisible --classname '^nerimlens$' | head -n 1)
    [[ $now == "$main" ]] && echo "ok: stay on top $round kept the window" ||
        fail "stay on top $round made window $now out of $main"
done

# Exit from the File menu.
focus_window "$main"
xdotool key --window "$main" alt+f
sleep 0.5
xdotool key x
expect_exit
wait "$pid" 2>/dev/null
code=$?
pid=
[[ $code -eq 0 ]] || fail "the program ended with $code"

after=$(stat -c %Y.%s "$data")
[[ $after != "$before" ]] && echo "ok: data file written at exit" || fail "data file not written"
checked=$("$cli" settings check "$data")
[[ $checked == ok ]] && echo "ok: data file checks" || fail "settings check: $checked"
dump=$("$cli" settings dump "$data")
grep -q "\"value\": $((ctrl_f12))" <<<"$dump" || fail "the hot key was not kept"

if ((failures)); then
    echo "$failures check(s) failed; program output:" >&2
    cat "$work/program.log" >&2
    exit 1
fi
echo "all end-to-end checks passed"
