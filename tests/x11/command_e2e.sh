#!/usr/bin/env bash
# Both programs' --version, an unknown option refused with 2. Commands from outside:
# `nerimlens --command NAME` (or `nerimlens-cli command NAME`) runs a hot-key command in the running
# instance (Show/Hide hides and shows the main window, Pick Color picks the color under the
# cursor into the document), a wrong name ends with 2 and the list of names, a start for a
# command where none runs starts the program and runs it there, and a plain second start
# brings the first window to the front over another window and gives it the focus, with and
# without a window manager, and ends with 0. Without a tray, closing the window ends the
# program.
#
# Usage: command_e2e.sh PROGRAM CLI
set -uo pipefail

program=$1
cli=$2
source "$(dirname "$0")/e2e_support.sh" cmd-e2e
window_hidden() { ! window_shown; }
require_tools xdotool display openbox xprop python3

data=$work/NerimLens.dat
doc=$work/picks.nlz
swatch_color='#2E8B57'
"$cli" settings defaults "$data" >/dev/null || { echo "FAIL: cli defaults" >&2; exit 1; }
"$cli" doc add "$doc" '#000000' --at 1,1 >/dev/null || { echo "FAIL: cli doc add" >&2; exit 1; }

# What needs no running instance: --help, and a wrong name refused before anything starts.
help=$("$program" --help)
[[ $? -eq 0 && $help == *"--command NAME"* && $help == *"clipboard-viewer"* ]] &&
    echo "ok: --help names --command and its commands" || fail "--help: $help"
message=$("$program" --command bogus 2>&1 >/dev/null)
code=$?
[[ $code -eq 2 && $message == *'"bogus"'* && $message == *"show-hide, pick-color, ruler, clipboard-viewer, contrast"* ]] &&
    echo "ok: an unknown command ends with 2 and lists the names" || fail "unknown command: $code $message"

# --version of both programs, and an option the program does not know: refused with a usage
# line and 2, before any window or instance.
for tool in "$program" "$cli"; do
    version=$("$tool" --version 2>&1)
    code=$?
    [[ $code -eq 0 && $version =~ ^nerimlens(-cli)?\ [0-9]+\.[0-9]+\.[0-9]+$ ]] &&
        echo "ok: ${tool##*/} --version: $version" || fail "${tool##*/} --version: $code $version"
done
message=$("$program" --bogus "UserDataFilePath:$data" 2>&1 >/dev/null)
code=$?
[[ $code -eq 2 && $message == *'"--bogus"'* && $message == *"Usage: nerimlens"* ]] &&
    echo "ok: an unknown option ends with 2 and a usage line" || fail "unknown option: $code $message"
window_hidden || fail "an unknown option started the program"

# A command where none runs starts the program, which runs it: the ruler opens. The socket of
# an instance that crashed, on which nobody listens, does not hold the start up.
ruler_shown() { [[ -n $(xdotool search --onlyvisible --name '^NerimLens \| ' 2>/dev/null) ]]; }
ruler_hidden() { ! ruler_shown; }
python3 -c 'import socket, sys; socket.socket(socket.AF_UNIX).bind(sys.argv[1])' \
    "$XDG_RUNTIME_DIR/Nerim_NerimLens.socket" || fail "no socket left behind"
"$program" --command ruler "UserDataFilePath:$data" "$doc" >>"$work/program.log" 2>&1 &
pid=$!
if wait_for 150 window_shown && wait_for 100 ruler_shown; then
    echo "ok: --command ruler started the program with the ruler"
else
    fail "--command ruler without an instance: no ruler"
    cat "$work/program.log" >&2
fi
main=$(xdotool search --onlyvisible --classname '^nerimlens$' | head -n 1)

# The same command sent to the running instance closes the ruler again; the sender ends with 0,
# having handed it over without starting the toolkit (its trace has no QApplication stage).
trace=$(NL_LATENCY_TRACE=1 timeout 20 "$program" --command ruler 2>&1 >/dev/null)
code=$?
[[ $code -eq 0 ]] || fail "--command ruler to the instance ended with $code"
[[ $trace == *"nerimlens-latency instance"* && $trace != *"nerimlens-latency qapp"* ]] &&
    echo "ok: the command reached the instance without starting the toolkit" ||
    fail "the command started the toolkit: $trace"
wait_for 50 ruler_hidden && echo "ok: --command ruler closed the ruler" ||
    fail "the ruler stayed open"

# Show/Hide from outside, twice from the program and twice from the command line's client,
# which loads no toolkit at all.
for round in "hid program" "showed program" "hid cli" "showed cli"; do
    read -r state sender <<<"$round"
    if [[ $sender == program ]]; then
        timeout 20 "$program" --command show-hide >/dev/null 2>&1
    else
        timeout 20 "$cli" command show-hide >/dev/null 2>&1
    fi
    code=$?
    if [[ $state == hid ]]; then check=window_hidden; else check=window_shown; fi
    if [[ $code -eq 0 ]] && wait_for 50 $check; then echo "ok: $sender's show-hide $state the window"
    else fail "$sender's show-hide did not leave the window $state (exit $code)"; fi
done
message=$("$cli" command bogus 2>&1 >/dev/null)
code=$?
[[ $code -eq 2 && $message == *'"bogus"'* ]] && echo "ok: the client refuses an unknown command with 2" ||
    fail "nerimlens-cli command bogus: $code $message"

# A second start raises the first over another window and gives it the focus.
main=$(xdotool search --onlyvisible --classname '^nerimlens$' | head -n 1)
eval "$(xdotool getwindowgeometry --shell "$main")"
show_swatch Cover "$X,$Y" "$swatch_color" || exit 1
cover=$(xdotool search --onlyvisible --name '^Cover$' | head -n 1)
focus_window "$cover"
center="$((X + 20)) $((Y + 20))"
covered=$("$cli" pick $center --format '#HTML' 2>/dev/null)
[[ $covered == *"$swatch_color"* ]] || fail "the cover window does not lie over the main window: $covered"
timeout 20 "$program" >/dev/null 2>&1
code=$?
[[ $code -eq 0 ]] || fail "a plain second start ended with $code"
focused() { [[ $(xdotool getwindowfocus 2>/dev/null) == "$main" ]]; }
wait_for 50 focused && echo "ok: a second start gave the first window the focus" ||
    fail "the focus stayed on $(xdotool getwindowfocus getwindowname 2>&1) (main $main: $(xdotool getwindowname "$main"))"
sleep 0.3
uncovered=$("$cli" pick $center --format '#HTML' 2>/dev/null)
[[ $uncovered != *"$swatch_color"* ]] && echo "ok: a second start raised the first window" ||
    fail "the first window stayed below the cover: $uncovered"
kill "${extra_pids[@]}" 2>/dev/null

# Pick Color from outside picks the color under the cursor (picking runs from the start).
show_swatch Swatch 860,640 "$swatch_color" || exit 1
xdotool mousemove 1000 700
sleep 0.5
timeout 20 "$program" --command pick-color >/dev/null 2>&1 || fail "--command pick-color failed"
sleep 0.5

# Save, then Exit.
focus_window "$main"
save_and_exit
info=$("$cli" doc info "$doc" 2>/dev/null)
picks=$(grep -c "\"color\": \"$swatch_color\"" <<<"$info")
[[ $picks -eq 1 ]] && echo "ok: --command pick-color picked the window's color" ||
    fail "$picks picks of $swatch_color in: $info"

# Under a window manager (which refuses activation requests that look like focus stealing)
# a second start activates the first window too.
mkdir -p "$XDG_CONFIG_HOME/openbox"
cp /etc/xdg/openbox/rc.xml "$XDG_CONFIG_HOME/openbox/" 2>/dev/null
openbox >"$work/wm.log" 2>&1 &
extra_pids+=($!)
wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
wait_for 100 wm_running || fail "the window manager did not start"
start_program "UserDataFilePath:$data" "$doc"
show_swatch Other 100,100 "$swatch_color" || exit 1
other=$(xdotool search --onlyvisible --name '^Other$' | head -n 1)
xdotool windowactivate --sync "$other" 2>/dev/null
sleep 0.5
active() { [[ $(xdotool getactivewindow 2>/dev/null) == "$1" ]]; }
wait_for 30 active "$other" || fail "the window manager did not activate the other window"
timeout 20 "$program" >/dev/null 2>&1
if wait_for 50 active "$main"; then echo "ok: under a window manager a second start activated the first"
else fail "under a window manager the active window stayed $(xdotool getactivewindow getwindowname 2>&1)"; fi

# With no notification area to bring it back from, closing the window ends the program.
focus_window "$main"
xdotool key alt+F4
if wait_for 150 program_ended; then
    wait "$pid"
    code=$?
    [[ $code -eq 0 ]] && echo "ok: without a tray closing the window ended the program" ||
        fail "closing the window without a tray ended with $code"
else
    fail "without a tray closing the window left the program running"
fi
pid=

if ((failures)); then
    echo "$failures check(s) failed; program output:" >&2
    cat "$work/program.log" >&2
    exit 1
fi
echo "all end-to-end checks passed"
