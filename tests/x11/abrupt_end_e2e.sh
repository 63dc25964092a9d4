#!/usr/bin/env bash
# Ends the real program without a question while its document has unsaved changes: SIGTERM
# (the end of the session) ends it at once and keeps the document beside the data file; the
# next start offers it and Yes brings the changes back, which Ctrl+S then saves. Then the X
# server dies under the program: the document is kept and the settings changed in the run
# are on the disk.
#
# Usage: abrupt_end_e2e.sh PROGRAM CLI
set -uo pipefail

program=$1
cli=$2
source "$(dirname "$0")/e2e_support.sh" abrupt-end-e2e
require_tools xdotool display xdpyinfo python3

data=$work/NerimLens.dat
doc=$work/kept.nlz
kept=$data.unsaved.nlz
"$cli" settings defaults "$data" || { echo "FAIL: cli defaults" >&2; exit 1; }
"$cli" doc add "$doc" '#000000' --at 1,1 >/dev/null || { echo "FAIL: cli doc add" >&2; exit 1; }
colors() { "$cli" doc info "$1" | python3 -c 'import json,sys; print(len(json.load(sys.stdin)["colors"]))'; }
display_options() {
    "$cli" settings dump "$data" | python3 -c 'import json,sys; print(json.load(sys.stdin)["display_options"])'
}
show_swatch Swatch 900,100 '#C01020' || exit 1

# Starts the program on the document and picks the swatch's color into it.
start_and_pick() {
    start_program "UserDataFilePath:$data" "$doc"
    wait_for 100 bash -c "xdotool getwindowname $main | grep -q '^${doc##*/}'"
    sleep 0.5
    menu_item alt+t c
    xdotool mousemove 1000 200
    sleep 0.3
    focus_window "$main"
    xdotool key --window "$main" Return
    sleep 0.5
}

# ---- SIGTERM ----
start_and_pick
kill -TERM "$pid"
if wait_for 100 program_ended; then echo "ok: SIGTERM ended the program"; else
    fail "SIGTERM did not end the program within 10 s"
fi
pid=
[[ $(colors "$doc") == 1 ]] || fail "the document file changed: $(colors "$doc") colors"
if [[ -f $kept ]]; then
    [[ $(colors "$kept") == 2 ]] && echo "ok: the document's changes were kept" ||
        fail "the kept document holds $(colors "$kept") colors"
    [[ $(head -n 1 "$data.unsaved") == "$doc" ]] || fail "the record names $(head -n 1 "$data.unsaved")"
else
    fail "nothing was kept"
fi
[[ $("$cli" settings check "$data") == ok ]] || fail "the data file does not check"

# The next start offers the kept changes; Yes (the default) restores them.
"$program" "UserDataFilePath:$data" "$doc" >>"$work/program.log" 2>&1 &
pid=$!
question() { xdotool search --onlyvisible --name '^NerimLens$' 2>/dev/null | head -n 1; }
if wait_for 100 bash -c "xdotool search --onlyvisible --name '^NerimLens\$' | grep -q ."; then
    focus_window "$(question)"
    xdotool key Return
    echo "ok: the next start asked"
else
    fail "the next start did not offer the kept document"
fi
wait_for 100 bash -c "xdotool search --onlyvisible --name '^${doc##*/}' | grep -q ."
main=$(xdotool search --onlyvisible --name "^${doc##*/}" | head -n 1)
sleep 0.5
focus_window "$main"
xdotool key --window "$main" ctrl+s
wait_for 50 bash -c "[[ \$('$cli' doc info '$doc' | grep -c '\"index\"') == 2 ]]"
[[ $(colors "$doc") == 2 ]] && echo "ok: the restored changes were saved" ||
    fail "after restore and Ctrl+S the document holds $(colors "$doc") colors"
[[ ! -e $kept && ! -e $data.unsaved ]] || fail "the recovery files are still there"
menu_item alt+f x
expect_exit
pid=

# ---- the X server dies ----
# A server of the script's own, which it can kill, with the swatch on it again.
Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp 5>"$work/display" 2>/dev/null &
server=$!
extra_pids+=("$server")
wait_for 100 test -s "$work/display" || { fail "no second X server"; exit 1; }
export DISPLAY=:$(cat "$work/display")
show_swatch Swatch 900,100 '#C01020' || exit 1
# A fresh data file, so that the Color Picker opens as in the first run.
data=$work/Second.dat
kept=$data.unsaved.nlz
"$cli" settings defaults "$data" || fail "cli defaults"
before=$(display_options)
start_and_pick
menu_item alt+v t  # View > Toolbar: a setting of this run
sleep 0.5
kill -KILL "$server"
if wait_for 100 program_ended; then echo "ok: the program ended with its display"; else
    fail "the program did not end when the display died"
fi
pid=
[[ -f $kept && $(colors "$kept") == 3 ]] && echo "ok: the document was kept" ||
    fail "no kept document after the display died"
after=$(display_options)
[[ $after != "$before" ]] && echo "ok: the changed setting was written" ||
    fail "the settings of the run were lost (display options $after)"
((failures == 0)) && echo "all abrupt-end checks passed"
((failures == 0))
