#!/usr/bin/env bash
# Runs the real program over the in-memory desktop (NL_PLATFORM=fake) on the X server of
# $DISPLAY: Enter in the main window picks the colour of the fake desktop under the fake
# cursor (the palette's red swatch), two arrow keys move that cursor, a second Enter picks
# there, and Save writes both into the document, which nerimlens-cli reads back. An unknown
# NL_PLATFORM ends the program at once with exit code 2.
#
# Usage: fake_platform_e2e.sh PROGRAM CLI
set -uo pipefail

program=$1
cli=$2
source "$(dirname "$0")/e2e_support.sh" fake-e2e
require_tools xdotool

data=$work/NerimLens.dat
doc=$work/picks.nlz
swatch_color='#E02020'

NL_PLATFORM=x11 "$program" >"$work/refused.log" 2>&1
code=$?
if [[ $code -eq 2 ]] && grep -q 'NL_PLATFORM' "$work/refused.log"; then
    echo "ok: an unknown NL_PLATFORM is refused"
else
    fail "NL_PLATFORM=x11 ended with $code: $(cat "$work/refused.log")"
fi

"$cli" settings defaults "$data" >/dev/null || { echo "FAIL: cli defaults" >&2; exit 1; }
"$cli" doc add "$doc" '#000000' --at 1,1 >/dev/null || { echo "FAIL: cli doc add" >&2; exit 1; }

export NL_PLATFORM=fake
start_program "UserDataFilePath:$data" "$doc"
focus_window "$main"
sleep 0.5
xdotool key --window "$main" Return
sleep 0.3
xdotool key --window "$main" Left
xdotool key --window "$main" Up
sleep 0.3
xdotool key --window "$main" Return
sleep 0.3
save_and_exit

info=$("$cli" doc info "$doc")
picks=$(grep -c "\"color\": \"$swatch_color\"" <<<"$info")
[[ $picks -eq 2 ]] && echo "ok: both picks have the fake swatch's colour" ||
    fail "$picks picks of $swatch_color"
classes=$(grep -c '"window_class": "Swatch"' <<<"$info")
[[ $classes -eq 2 ]] && echo "ok: both picks name the fake window's class" ||
    fail "$classes picks name the class Swatch"
xs=$(grep -A1 '"position": {' <<<"$info" | grep -o '"x": [0-9]*' | tail -n 2 | sed 's/.* //' | tr '\n' ' ')
read -r x1 x2 <<<"$xs"
[[ -n ${x2:-} && $x2 -eq $((x1 - 1)) ]] && echo "ok: the arrow key moved the fake cursor" ||
    fail "pick positions '$xs'"

if ((failures)); then
    echo "$failures check(s) failed; document:" >&2
    echo "$info" >&2
    cat "$work/program.log" >&2
    exit 1
fi
echo "all fake-platform end-to-end checks passed"
