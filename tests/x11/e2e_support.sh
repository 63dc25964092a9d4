# Shared by the end-to-end scripts: a scratch folder removed at the end, the program's
# process (and any other the script starts) killed if still running, failure counting and
# waiting. Source it after setting `set -uo pipefail`; $1 names the scratch folder.

work=$(mktemp -d "${TMPDIR:-/tmp}/nl-${1:-e2e}-XXXXXX")
pid=
extra_pids=()
failures=0

cleanup() {
    for p in $pid "${extra_pids[@]}"; do
        if [[ -n $p ]] && kill -0 "$p" 2>/dev/null; then
            kill -KILL "$p" 2>/dev/null
            wait "$p" 2>/dev/null
        fi
    done
    rm -rf "$work"
}
trap cleanup EXIT

# The program's folders and settings all lie in the scratch folder.
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
export XDG_CACHE_HOME=$work/cache XDG_RUNTIME_DIR=$work/runtime XDG_CONFIG_DIRS=$work/etc
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
# One font whatever else the machine has installed: the checks on window sizes and places
# count pixels, and a desktop's fonts (Noto's taller lines) would grow every window.
mkdir -p "$XDG_CONFIG_HOME/fontconfig"
cat >"$XDG_CONFIG_HOME/fontconfig/fonts.conf" <<'FONTS'
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <alias binding="strong"><family>sans-serif</family><prefer><family>DejaVu Sans</family></prefer></alias>
  <alias binding="strong"><family>Sans Serif</family><prefer><family>DejaVu Sans</family></prefer></alias>
  <alias binding="strong"><family>monospace</family><prefer><family>DejaVu Sans Mono</family></prefer></alias>
</fontconfig>
FONTS
# The test's X server is the whole desktop, also when the tests run inside a Wayland session
# (there the program would take its hot keys from the desktop's portal instead).
unset WAYLAND_DISPLAY

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# Waits up to $1 tenths of a second for the command after it to succeed.
wait_for() {
    local tenths=$1 i
    shift
    for ((i = 0; i < tenths; i++)); do
        if "$@" >/dev/null 2>&1; then return 0; fi
        sleep 0.1
    done
    return 1
}

# The test's X server answers before anything is shown on it: under load a server that
# xvfb-run has just started can still refuse the first clients.
x_server_answers() { xdotool getdisplaygeometry >/dev/null 2>&1; }
if [[ -n ${DISPLAY:-} ]] && ! wait_for 100 x_server_answers; then
    echo "FAIL: the X server $DISPLAY does not answer" >&2
    exit 1
fi

# Whether the program's main window is mapped.
window_shown() { [[ -n $(xdotool search --onlyvisible --classname '^nerimlens$' 2>/dev/null) ]]; }

# Starts $program with the given arguments (its output added to $work/program.log), waits
# for its main window and sets $pid and $main; ends the script when no window appears.
start_program() {
    "$program" "$@" >>"$work/program.log" 2>&1 &
    pid=$!
    if ! wait_for 150 window_shown; then
        fail "the main window did not appear"
        cat "$work/program.log" >&2
        exit 1
    fi
    echo "ok: main window shown"
    main=$(xdotool search --onlyvisible --classname '^nerimlens$' | head -n 1)
}

# Gives window $1 the keyboard focus (activating it where a window manager runs).
focus_window() {
    xdotool windowactivate --sync "$1" 2>/dev/null || xdotool windowfocus --sync "$1" 2>/dev/null
    sleep 0.3
}

# Whether the process $pid has ended.
program_ended() { ! kill -0 "$pid" 2>/dev/null; }
# Checks that the program ends within 15 s of being told to exit.
expect_exit() {
    if wait_for 150 program_ended; then echo "ok: Exit ended the program"; else
        fail "Exit did not end the program"
    fi
}

# Ctrl+S saves the opened document (without asking), then File > Exit ends the program; waits
# for the end and clears $pid.
save_and_exit() {
    xdotool key --window "$main" ctrl+s
    sleep 0.5
    xdotool key --window "$main" alt+f
    sleep 0.5
    xdotool key x
    expect_exit
    pid=
}

# Ends the script at once when one of the named programs is missing.
require_tools() {
    for tool in "$@"; do
        command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing" >&2; exit 1; }
    done
}

# Opens a window titled $1 at +X+Y $2 (given as X,Y), 300 x 200 pixels of the color $3
# (ImageMagick's display), adds it to the processes killed at the end and waits up to 30 s
# until it is mapped. A display that ends without showing its window is started once more;
# the messages of both go to $work/swatch.log, shown when the window never appears.
show_swatch() {
    local title=$1 at=$2 color=$3 attempt tenths viewer
    for attempt in 1 2; do
        display -title "$title" -geometry "+${at%,*}+${at#*,}" -size 300x200 "xc:$color" \
            >>"$work/swatch.log" 2>&1 &
        viewer=$!
        extra_pids+=("$viewer")
        for ((tenths = 0; tenths < 300; tenths++)); do
            [[ -n $(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null) ]] && return 0
            kill -0 "$viewer" 2>/dev/null || break
            sleep 0.1
        done
        echo "note: attempt $attempt to show the window $title failed" >&2
    done
    echo "FAIL: the window $title did not appear" >&2
    cat "$work/swatch.log" >&2
    return 1
}

# The program's windows that are mapped: the main window, then menus, popups and dialogs.
program_windows() { xdotool search --onlyvisible --classname '^nerimlens$' 2>/dev/null | wc -l; }
dialog_shown() { (($(program_windows) > 1)); }
dialog_gone() { ! dialog_shown; }
# Opens menu $1 (alt+LETTER) and chooses item $2 once the popup shows. A freshly started
# or busy program can miss the key that opens the menu; it is sent up to three times.
menu_item() {
    local attempt
    for attempt in 1 2 3; do
        wait_for 50 dialog_gone
        focus_window "$main"
        xdotool key --window "$main" "$1"
        if wait_for 50 dialog_shown; then
            sleep 0.2
            xdotool key "$2"
            wait_for 50 dialog_gone
            sleep 0.3
            return 0
        fi
        echo "note: menu $1 did not open (attempt $attempt)" >&2
    done
    fail "menu $1 did not open"
    return 1
}
