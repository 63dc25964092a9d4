#!/usr/bin/env bash
# Runs the real program on the X server of $DISPLAY (the test runs it under xvfb-run) and
# checks the Options sheet end to end: Tools > Options opens it from the keyboard, "Run at
# log-in" with Apply writes the autostart entry and removes it again, Back Up copies the data
# file to a chosen path, and Restore copies a chosen file over the data file and ends the
# program without writing its settings over the restored file.
#
# Usage: options_sheet_e2e.sh PROGRAM CLI [SCREENSHOT_PREFIX]
set -uo pipefail

program=$1
cli=$2
shots=${3:-}
source "$(dirname "$0")/e2e_support.sh" options-sheet-e2e
require_tools xdotool xclip cmp

data=$work/NerimLens.dat
entry=$XDG_CONFIG_HOME/autostart/net.nerim.NerimLens.desktop
ctrl_f12=0x2007B  # MOD_CONTROL << 16 | VK_F12: makes the restored file differ from the first

"$cli" settings defaults "$data" || { echo "FAIL: cli defaults" >&2; exit 1; }
"$cli" settings defaults "$work/restore.dat" --hot-key "0=$ctrl_f12" ||
    { echo "FAIL: cli defaults of the file to restore" >&2; exit 1; }

start_program "UserDataFilePath:$data"

sheet_window() { xdotool search --onlyvisible --name '^NerimLens: Options$' 2>/dev/null | head -n 1; }
sheet_shown() { [[ -n $(sheet_window) ]]; }
program_windows() { xdotool search --onlyvisible --classname '^nerimlens$' 2>/dev/null | wc -l; }
# A dialog over the main window and the sheet.
dialog_shown() { (($(program_windows) > 2)); }
dialog_gone() { ! dialog_shown; }
shot() { [[ -n $shots ]] && import -window root "$shots-$1.png" 2>/dev/null; }

# Tools > Options from the main window, sent again should a busy program miss the keys;
# $1 says whether the sheet is then shown (open) or gone (closed).
sheet_gone() { ! sheet_shown; }
options_command() {
    local want=$1 attempt
    for attempt in 1 2 3; do
        focus_window "$main"
        xdotool key --window "$main" alt+t
        sleep 0.5
        xdotool key o
        if [[ $want == open ]]; then wait_for 50 sheet_shown && return 0; else
            wait_for 50 sheet_gone && return 0
        fi
        echo "note: Tools > Options attempt $attempt did not leave the sheet $want" >&2
        xdotool key Escape
    done
    return 1
}

options_command open || { fail "Tools > Options opened no sheet"; exit 1; }
sheet=$(sheet_window)
echo "ok: Tools > Options opened the sheet"
focus_window "$sheet"
shot general

# Run at log-in, then Apply: the autostart entry appears; the same again removes it.
xdotool key alt+r
sleep 0.2
xdotool key alt+a
if wait_for 50 test -f "$entry"; then echo "ok: the autostart entry was written"; else
    fail "no autostart entry after Apply"
fi
grep -q "^Exec=.*nerimlens" "$entry" 2>/dev/null || fail "the entry does not start the program"
xdotool key alt+r
sleep 0.2
xdotool key alt+a
if wait_for 50 bash -c "! test -e '$entry'"; then echo "ok: the autostart entry was removed"; else
    fail "the autostart entry stayed after Apply"
fi

# Past Notification and Hot Keys to the Color Export tab; the Options command closes the
# sheet and opens it again on that page, from which Ctrl+Tab leads to Maintenance (where the
# back-up key below works).
for _ in 1 2 3; do
    xdotool key ctrl+Tab
    sleep 0.4
done
shot export
options_command closed && echo "ok: Tools > Options closed the sheet" || fail "the sheet stayed open"
options_command open || { fail "Tools > Options did not open the sheet again"; exit 1; }
sheet=$(sheet_window)
focus_window "$sheet"
xdotool key ctrl+Tab
sleep 0.4
shot maintenance

# Chooses $1 in the file dialog that key $2 opens: the path is pasted into the name field,
# which has the focus when the dialog opens.
choose_file() {
    local target=$1 key=$2
    focus_window "$sheet"
    xdotool key "$key"
    wait_for 100 dialog_shown || { fail "$key opened no file dialog"; return 1; }
    sleep 0.8
    printf '%s' "$target" | xclip -selection clipboard -i
    xdotool key ctrl+a ctrl+v
    sleep 0.5
    xdotool key Return
}

mkdir -p "$work/out"
backup=$work/out/backup.dat
choose_file "$backup" alt+b
if wait_for 100 test -s "$backup"; then echo "ok: Back Up wrote $backup"; else fail "Back Up wrote nothing"; fi
wait_for 50 dialog_gone
cmp -s "$backup" "$data" && echo "ok: the back-up equals the data file" ||
    fail "the back-up differs from the data file"

choose_file "$work/restore.dat" alt+r
# The confirmation: OK.
wait_for 50 dialog_shown && sleep 0.5
xdotool key Return
expect_exit
pid=
cmp -s "$work/restore.dat" "$data" && echo "ok: the restored data file survived the exit" ||
    fail "the data file was written over after the restore"
# The dump is read whole first: grep -q stops at the first match, and the dump still writing
# into the closed pipe would fail the pipeline.
dump=$("$cli" settings dump "$data")
grep -q "\"value\": $((ctrl_f12))" <<<"$dump" ||
    fail "the restored hot key is not in the data file"

if ((failures)); then
    echo "$failures check(s) failed; program output:" >&2
    cat "$work/program.log" >&2
    exit 1
fi
echo "all options checks passed"
