#!/usr/bin/env bash
# Runs the real program on the X server of $DISPLAY (the test runs it under xvfb-run) and
# drives the clipboard viewer: its hot key opens it over text that xclip serves; HTML, a PNG
# picture and a file list follow on the clipboard, each shown in its own area and the text
# ones saved with Save As as UTF-16 without a byte-order mark, the picture as PNG; the formats window opens from
# the Data menu, Clear empties the clipboard, and both windows come back at the next start.
# NL_E2E_SHOTS names a prefix for screenshots of each view.
#
# Usage: clipboard_e2e.sh PROGRAM CLI
set -uo pipefail

program=$1
cli=$2
source "$(dirname "$0")/e2e_support.sh" clipboard
require_tools xdotool xclip import convert identify iconv

data=$work/NerimLens.dat
ctrl_f12=0x2007B  # MOD_CONTROL << 16 | VK_F12
"$cli" settings defaults "$data" --hot-key "3=$ctrl_f12" || { echo "FAIL: cli defaults" >&2; exit 1; }

viewer_window() {
    xdotool search --onlyvisible --name '^NerimLens: Clipboard Viewer$' 2>/dev/null | head -n 1
}
viewer_shown() { [[ -n $(viewer_window) ]]; }
formats_shown() { [[ -n $(xdotool search --onlyvisible --name '^Clipboard Data Formats$' 2>/dev/null) ]]; }
formats_gone() { ! formats_shown; }
program_windows() { xdotool search --onlyvisible --classname '^nerimlens$' 2>/dev/null | wc -l; }

# Puts stdin on the clipboard as type $1 (xclip serves it from the background).
put() { xclip -selection clipboard -t "$1" -i; sleep 0.8; }
# Takes a screenshot of the viewer into $work/$1.png (and the NL_E2E_SHOTS copy).
shot() {
    local X Y WIDTH HEIGHT SCREEN WINDOW
    sleep 0.5
    eval "$(xdotool getwindowgeometry --shell "$(viewer_window)")"
    import -window root -crop "${WIDTH}x${HEIGHT}+$X+$Y" +repage "$work/$1.png" 2>/dev/null ||
        fail "no screenshot of $1"
    [[ -n ${NL_E2E_SHOTS:-} ]] && cp "$work/$1.png" "$NL_E2E_SHOTS-$1.png"
}
# The gray level (0-255) of pixel $2,$3 of screenshot $1.
level() { convert "$work/$1.png" -format "%[fx:int(255*$4)]" -crop "1x1+$2+$3" info: 2>/dev/null; }

# Opens menu $1 (alt+LETTER) of the viewer and chooses item $2, up to three tries.
viewer_menu() {
    local attempt before
    for attempt in 1 2 3; do
        before=$(program_windows)
        focus_window "$(viewer_window)"
        xdotool key --window "$(viewer_window)" "$1"
        if wait_for 30 bash -c "(( \$(xdotool search --onlyvisible --classname '^nerimlens\$' | wc -l) > $before ))"; then
            sleep 0.2
            xdotool key "$2"
            sleep 0.5
            return 0
        fi
        echo "note: viewer menu $1 did not open (attempt $attempt)" >&2
    done
    fail "viewer menu $1 did not open"
    return 1
}

# Save As to $1 through the viewer's File menu: the path is typed into the name field.
save_as() {
    local target=$1 attempt
    for attempt in 1 2; do
        viewer_menu alt+f s || return 1
        sleep 1
        xdotool key ctrl+a
        xdotool type --delay 30 "$target"
        sleep 0.3
        xdotool key Return
        wait_for 50 test -s "$target" && { sleep 0.5; return 0; }
        echo "note: save attempt $attempt wrote no $target" >&2
        for _ in 1 2 3; do (($(program_windows) > 1)) && xdotool key Escape && sleep 0.4; done
    done
    return 1
}
# Checks that file $1 holds text $2 (printf escapes) as UTF-16LE without a byte-order mark.
expect_utf16() {
    local want got
    want=$(printf "$2" | iconv -f UTF-8 -t UTF-16LE | od -An -tx1 | tr -d ' \n')
    got=$(od -An -tx1 "$1" | tr -d ' \n')
    [[ $got == "$want" ]] && echo "ok: $3" || fail "$3: $1 holds $got, expected $want"
}

printf 'ab cd\r\nef' | put UTF8_STRING
start_program "UserDataFilePath:$data"

xdotool key ctrl+F12
if wait_for 50 viewer_shown; then echo "ok: the hot key opened the viewer"; else
    fail "the viewer did not open"
    cat "$work/program.log" >&2
    exit 1
fi
shot text
# The text box (white) fills the window's middle; the picture area is the button face.
read -r w h < <(identify -format '%w %h' "$work/text.png")
(($(level text $((w / 2)) $((h * 2 / 3)) luminance) > 250)) && echo "ok: the text box shows the text" ||
    fail "no white text box in the middle of the viewer"

# Text: saved as it is on the clipboard.
save_as "$work/text.txt" && expect_utf16 "$work/text.txt" 'ab cd\r\nef' "Save As wrote the text" ||
    fail "Save As wrote no text file"

# HTML alone: shown as text, saved from the markup's start.
printf 'Version:0.9\r\nStartHTML:0000000000\r\n<html><b>bold</b></html>' | put text/html
shot html
save_as "$work/page.htm" && expect_utf16 "$work/page.htm" '<html><b>bold</b></html>' \
    "Save As wrote the HTML from its start" || fail "Save As wrote no HTML file"

# A red picture fills the middle of the picture area.
convert -size 32x32 xc:red png:- | put image/png
shot picture
read -r w h < <(identify -format '%w %h' "$work/picture.png")
red=$(level picture $((w / 2)) $((h / 2)) r)
green=$(level picture $((w / 2)) $((h / 2)) g)
((red > 200 && green < 60)) && echo "ok: the picture area shows the picture" ||
    fail "the middle of the viewer is r=$red g=$green, not red"

# Save As hands a picture to the image export, which writes it as PNG.
if save_as "$work/saved.png"; then
    [[ $(identify -format '%m %w %h' "$work/saved.png" 2>/dev/null) == "PNG 32 32" ]] &&
        echo "ok: Save As wrote the picture as PNG" ||
        fail "the saved picture is $(identify -format '%m %w %h' "$work/saved.png" 2>&1)"
else
    fail "Save As wrote no picture"
fi

# A file list: saved as the paths, each with CR LF.
printf 'file:///tmp/one.txt\r\nfile:///tmp/two%%20words\r\n' | put text/uri-list
shot files
save_as "$work/files.txt" && expect_utf16 "$work/files.txt" '/tmp/one.txt\r\n/tmp/two words\r\n' \
    "Save As wrote the file list" || fail "Save As wrote no file list"

# The formats window opens from the Data menu.
viewer_menu alt+d f
if wait_for 50 formats_shown; then echo "ok: the formats window opened"; else fail "no formats window"; fi
# Beside the viewer, which it covers at first (there is no window manager to place it).
formats=$(xdotool search --onlyvisible --name '^Clipboard Data Formats$' | head -n 1)
xdotool windowmove --sync "$formats" 0 0 2>/dev/null || xdotool windowmove "$formats" 0 0
sleep 0.5
[[ -n ${NL_E2E_SHOTS:-} ]] && import -window "$formats" "$NL_E2E_SHOTS-formats.png" 2>/dev/null

# Clear empties the clipboard: nothing is left to paste.
viewer_menu alt+d c
sleep 0.5
if xclip -selection clipboard -o -t TARGETS >/dev/null 2>&1 &&
    [[ -n $(xclip -selection clipboard -o -t TARGETS 2>/dev/null | grep -v '^TARGETS$\|^TIMESTAMP$') ]]; then
    fail "Clear left $(xclip -selection clipboard -o -t TARGETS 2>/dev/null | tr '\n' ' ')"
else
    echo "ok: Clear emptied the clipboard"
fi
shot empty
gray=$(level empty $((w / 2)) $((h * 2 / 3)) luminance)
((gray > 180 && gray <= 250)) && echo "ok: the empty clipboard shows the picture area" ||
    fail "the empty viewer's middle has the level $gray, not the button face"

# Ending the program with both windows open brings both back at the next start.
kill -TERM "$pid" 2>/dev/null
wait_for 100 program_ended || fail "the program did not end"
pid=
"$program" "UserDataFilePath:$data" >>"$work/program.log" 2>&1 &
pid=$!
if wait_for 150 viewer_shown; then echo "ok: the next start reopened the viewer"; else
    fail "the next start did not reopen the viewer"
fi
wait_for 50 formats_shown && echo "ok: and its formats window" ||
    fail "the next start did not reopen the formats window"
kill -TERM "$pid" 2>/dev/null
wait_for 100 program_ended || fail "the program did not end"
pid=

((failures == 0)) || { cat "$work/program.log" >&2; exit 1; }
echo "all clipboard viewer checks passed"
