#!/usr/bin/env bash
# Runs the real program on the X server of $DISPLAY (the test runs it under xvfb-run) against a
# clipboard owner that answers TARGETS with 500 types and never sends their data
# ($NL_CLIP_OWNER serve): the clipboard viewer and its formats window open over it, follow it
# when another such owner takes the clipboard, and open again at the next start, while the
# program answers a ping every round within a second throughout. Then a 100 MB text that
# xclip serves is shown while the program's memory stays bounded.
# NL_E2E_SHOTS names a prefix for screenshots of the formats window.
#
# Usage: clipboard_owner_e2e.sh PROGRAM CLI
set -uo pipefail

program=$1
cli=$2
source "$(dirname "$0")/e2e_support.sh" clipboard-owner
require_tools xdotool xclip import
owner=${NL_CLIP_OWNER:?NL_CLIP_OWNER names the clipboard owner helper}

data=$work/NerimLens.dat
ctrl_f12=0x2007B  # MOD_CONTROL << 16 | VK_F12
"$cli" settings defaults "$data" --hot-key "3=$ctrl_f12" || { echo "FAIL: cli defaults" >&2; exit 1; }

viewer_shown() { [[ -n $(xdotool search --onlyvisible --name '^NerimLens: Clipboard Viewer$' 2>/dev/null) ]]; }
formats_window() { xdotool search --onlyvisible --name '^Clipboard Data Formats$' 2>/dev/null | head -n 1; }
formats_shown() { [[ -n $(formats_window) ]]; }

# Starts an owner of the clipboard with $1 types that never answers a data request.
start_owner() {
    "$owner" serve "$1" >>"$work/owner.log" 2>&1 &
    extra_pids+=($!)
    wait_for 50 grep -q "owning the clipboard with $1 types" "$work/owner.log" ||
        fail "the owner with $1 types did not take the clipboard"
}

# Pings window $1 for $2 rounds in the background, each answered within a second; sets $pinger.
start_pings() {
    "$owner" ping "$1" "$2" 1000 >"$work/ping-$3.log" 2>&1 &
    pinger=$!
    extra_pids+=($pinger)
}
# Waits for the pings started last; $1 says what ran meanwhile.
expect_answers() {
    if wait "$pinger"; then
        echo "ok: the program answered every ping within a second while $1" \
            "(slowest $(grep -o '[0-9]* ms' "$work/ping-$2.log" | sort -n | tail -n 1))"
    else
        fail "the program did not answer within a second while $1:" \
            "$(grep -c 'no answer' "$work/ping-$2.log") rounds missed"
        cat "$work/ping-$2.log" >&2
    fi
}

start_owner 500
start_program "UserDataFilePath:$data"
start_pings "$main" 50 open

# The viewer opens over the silent owner, then its formats window from the Data menu.
xdotool key ctrl+F12
wait_for 100 viewer_shown && echo "ok: the hot key opened the viewer" || fail "the viewer did not open"
viewer=$(xdotool search --onlyvisible --name '^NerimLens: Clipboard Viewer$' | head -n 1)
for attempt in 1 2 3; do
    focus_window "$viewer"
    xdotool key --window "$viewer" alt+d
    sleep 0.5
    xdotool key f
    wait_for 30 formats_shown && break
done
if formats_shown; then
    echo "ok: the formats window opened"
    sleep 3
    xdotool windowmove "$(formats_window)" 0 0 2>/dev/null
    sleep 1
    import -window "$(formats_window)" "$work/formats.png" 2>/dev/null
    [[ -n ${NL_E2E_SHOTS:-} && -f $work/formats.png ]] && cp "$work/formats.png" "$NL_E2E_SHOTS-silent-formats.png"
else
    fail "no formats window"
fi

# Another silent owner takes the clipboard: the viewer gives up the old reads and follows.
start_owner 10
sleep 4
expect_answers "the viewer and its formats window read the silent owners" open

# Both windows come back at the next start, over the silent owner.
kill -TERM "$pid" 2>/dev/null
wait_for 100 program_ended || fail "the program did not end"
pid=
start_program "UserDataFilePath:$data"
start_pings "$main" 20 restart
wait_for 100 viewer_shown && echo "ok: the next start reopened the viewer" ||
    fail "the next start did not reopen the viewer"
wait_for 50 formats_shown && echo "ok: and its formats window" || fail "the formats window did not reopen"
expect_answers "the viewer and its formats window reopened over the silent owner" restart

# A 100 MB text: the viewer shows its start and the program's memory stays bounded.
start_pings "$main" 40 large
head -c 100000000 /dev/zero | tr '\0' 'a' | xclip -selection clipboard -i
sleep 8
rss_kb=$(awk '/^VmRSS/ {print $2}' "/proc/$pid/status" 2>/dev/null)
if [[ -z $rss_kb ]]; then
    fail "the program is not running with a 100 MB text on the clipboard"
elif ((rss_kb < 400000)); then
    echo "ok: $((rss_kb / 1024)) MB resident with a 100 MB text on the clipboard"
else
    fail "$((rss_kb / 1024)) MB resident with a 100 MB text on the clipboard"
fi
expect_answers "the viewer read a 100 MB text" large

kill -TERM "$pid" 2>/dev/null
wait_for 100 program_ended || fail "the program did not end"
pid=
((failures == 0)) || { cat "$work/program.log" >&2; exit 1; }
echo "all silent clipboard owner checks passed"
