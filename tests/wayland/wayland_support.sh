# The Wayland test harness, sourced by the end-to-end scripts after `set -uo pipefail`: a
# headless sway session of its own (1600x1000 at scale 1, XWayland, a private session bus),
# a virtual pointer, a held virtual keyboard for wtype, and known-color windows. Ends the
# script with 77 (ctest's skip) where sway or its helpers are missing. $NL_WL_TOOLS names the
# folder of the harness programs (nl_wl_pointer, nl_wl_solid).
#
#   wl_session_up                  # exports WAYLAND_DISPLAY, SWAYSOCK, X11_DISPLAY, ...
#   wl_solids                      # the two known-color windows below
#   wl_pointer move X Y | click X Y [BUTTON] | down [BUTTON] | up [BUTTON]
#   wait_for TENTHS COMMAND...     # polls until the command succeeds
#   view_rect / view_shown / view_gone TITLE-REGEX, shot_query SHOT (queries on stdin)
#   (the session goes down when the script exits)

wl_here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# The known-color windows: a Wayland-native one and an X11 one (through XWayland), floating
# at the right half of the screen. Their content (inside the 25-px title bar and 2-px
# borders) lies at these places.
WL_NATIVE_COLOR='#12c863' WL_NATIVE_RGB=(18 200 99)
WL_NATIVE_CONTENT=(802 25 796 448)
WL_X11_COLOR='#c83264' WL_X11_RGB=(200 50 100)
WL_X11_CONTENT=(802 525 796 448)

wl_skip() {
    echo "SKIP: $*"
    exit 77
}

for tool in sway Xwayland swaymsg dbus-run-session xhost; do
    command -v $tool >/dev/null || wl_skip "$tool is missing (scripts/install-deps installs it)"
done
[[ $(id -u) -ne 0 ]] || command -v setpriv >/dev/null || wl_skip "setpriv is missing"
[[ -x ${NL_WL_TOOLS:-}/nl_wl_pointer && -x $NL_WL_TOOLS/nl_wl_solid ]] ||
    wl_skip "the harness programs are missing (NL_WL_TOOLS)"

WL=$(mktemp -d "${TMPDIR:-/tmp}/nl-wayland-XXXXXX")
wl_pids=()
wl_session=

wl_session_down() {
    local p
    for p in "${wl_pids[@]}"; do kill "$p" 2>/dev/null; done
    if [[ -n $wl_session ]]; then
        # The session's own process group: the bus, sway (and XWayland), the portals.
        kill -TERM -- "-$wl_session" 2>/dev/null
        for _ in $(seq 30); do kill -0 -- "-$wl_session" 2>/dev/null || break; sleep 0.1; done
        kill -KILL -- "-$wl_session" 2>/dev/null
    fi
    for p in "${wl_pids[@]}"; do wait "$p" 2>/dev/null; done
    rm -rf "$WL"
}
trap wl_session_down EXIT

# Starts the session and exports what its clients need.
wl_session_up() {
    mkdir -p "$WL/run" "$WL/sway-run" "$WL/home" "$WL/config"
    chmod 755 "$WL"  # sway, as nobody, reaches its folder through it
    chmod 700 "$WL/run" "$WL/sway-run"
    [[ $(id -u) -eq 0 ]] && chown 65534:65534 "$WL/sway-run" "$WL/home"
    cp "$wl_here/sway.conf" "$WL/sway.conf" && chmod 644 "$WL/sway.conf"
    mkdir -p /tmp/.X11-unix 2>/dev/null && chmod 1777 /tmp/.X11-unix 2>/dev/null
    export XDG_CURRENT_DESKTOP=sway XDG_SESSION_TYPE=wayland XDG_CONFIG_HOME=$WL/config
    WL=$WL setsid dbus-run-session -- "$wl_here/session_inner.sh" >"$WL/session.log" 2>&1 &
    wl_session=$!
    local i
    for i in $(seq 100); do [[ -f $WL/run/ready ]] && break; sleep 0.05; done
    [[ -f $WL/run/ready ]] || { cat "$WL/sway.log" >&2; echo "FAIL: the compositor did not start" >&2; exit 1; }
    export XDG_RUNTIME_DIR=$WL/run WAYLAND_DISPLAY=$WL/sway-run/wayland-1
    export DBUS_SESSION_BUS_ADDRESS=$(cat "$WL/run/dbus.addr")
    for i in $(seq 50); do
        SWAYSOCK=$(ls "$WL"/sway-run/sway-ipc.*.sock 2>/dev/null | head -n 1)
        [[ -n $SWAYSOCK ]] && break
        sleep 0.05
    done
    export SWAYSOCK
    # XWayland's display, and root let onto it (it admits only its own user).
    swaymsg exec "echo \$DISPLAY > $WL/sway-run/display && xhost +si:localuser:root && touch $WL/sway-run/xhost-ok" >/dev/null
    for i in $(seq 100); do [[ -f $WL/sway-run/xhost-ok ]] && break; sleep 0.05; done
    X11_DISPLAY=$(cat "$WL/sway-run/display" 2>/dev/null)
    [[ -n $X11_DISPLAY ]] || echo "warning: XWayland did not start" >&2
    export X11_DISPLAY
    unset DISPLAY
    rm -f "$WL/pointer.in"
    mkfifo "$WL/pointer.in"
    "$NL_WL_TOOLS/nl_wl_pointer" 1600 1000 <"$WL/pointer.in" >"$WL/pointer.log" 2>&1 &
    wl_pids+=($!)
    sleep 100000 >"$WL/pointer.in" &
    wl_pids+=($!)
    if command -v wtype >/dev/null; then
        wtype -s 3600000 >/dev/null 2>&1 &
        wl_pids+=($!)
    fi
}

# Drives the virtual pointer (buttons: 272 left, 273 right). A click holds the button a
# quarter second: XWayland clients ignore a press and release in the same instant.
wl_pointer() {
    local f=$WL/pointer.in
    case $1 in
    move) echo "abs $2 $3" >"$f" ;;
    click)
        echo "abs $2 $3" >"$f"
        sleep 0.2
        echo "btn ${4:-272} 1" >"$f"
        sleep 0.25
        echo "btn ${4:-272} 0" >"$f"
        ;;
    down) echo "btn ${2:-272} 1" >"$f" ;;
    up) echo "btn ${2:-272} 0" >"$f" ;;
    esac
    sleep 0.1
}

# Whether sway's tree holds a view matching the criterion $1 (such as app_id or class).
# (grep reads the whole tree: an early exit would fail the pipe under pipefail.)
wl_has_view() { swaymsg -t get_tree 2>/dev/null | grep -c "\"$1\": \"$2\"" >/dev/null; }

# Waits up to $1 tenths of a second for the command after it to succeed.
wait_for() {
    local tenths=$1 i
    shift
    for ((i = 0; i < tenths; i++)); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}

# "X Y W H" of the content of the first view whose title matches the regular expression $1.
view_rect() {
    swaymsg -t get_tree | python3 -c '
import json, re, sys
def walk(n):
    if n.get("pid") and re.search(sys.argv[1], n.get("name") or ""):
        r, w = n["rect"], n["window_rect"]
        print(r["x"] + w["x"], r["y"] + w["y"], w["width"], w["height"])
        sys.exit(0)
    for c in n.get("nodes", []) + n.get("floating_nodes", []): walk(c)
walk(json.load(sys.stdin))
sys.exit(1)' "$1"
}
view_shown() { view_rect "$1" >/dev/null; }
view_gone() { ! view_shown "$1"; }

# Reads the screen shot $WL/$1.ppm, one answer a line: "pixel X Y" its "#rrggbb"; "count #rrggbb X Y
# W H" how many pixels of that color the rectangle holds; "differs SHOT X Y W H" how many of
# the rectangle's pixels differ from the other shot's.
shot_query() {
    python3 -c '
import sys
def load(name):
    data = open(sys.argv[1] + "/" + name + ".ppm", "rb").read()
    head = data.split(b"\n", 3)
    width = int(head[1].split()[0])
    return lambda x, y: "#%02x%02x%02x" % tuple(head[3][(y * width + x) * 3:(y * width + x) * 3 + 3])
pixel = load(sys.argv[2])
def area(f):
    x, y, w, h = map(int, f)
    return [(i, j) for j in range(y, y + h) for i in range(x, x + w)]
for line in sys.stdin:
    f = line.split()
    if f[0] == "pixel":
        print(pixel(int(f[1]), int(f[2])))
    elif f[0] == "count":
        print(sum(pixel(i, j) == f[1] for i, j in area(f[2:6])))
    elif f[0] == "differs":
        other = load(f[1])
        print(sum(pixel(i, j) != other(i, j) for i, j in area(f[2:6])))' "$WL" "$1"
}

# Shows the two known-color windows and waits until sway has placed them.
wl_solids() {
    ln -sf "$NL_WL_TOOLS/nl_wl_solid" "$WL/solidwl"
    ln -sf "$NL_WL_TOOLS/nl_wl_solid" "$WL/solidx"
    HOME=$WL/home-root QT_QPA_PLATFORM=wayland "$WL/solidwl" "$WL_NATIVE_COLOR" 800 475 >"$WL/solidwl.log" 2>&1 &
    wl_pids+=($!)
    HOME=$WL/home-root DISPLAY=$X11_DISPLAY QT_QPA_PLATFORM=xcb "$WL/solidx" "$WL_X11_COLOR" 800 475 >"$WL/solidx.log" 2>&1 &
    wl_pids+=($!)
    local i
    for i in $(seq 100); do wl_has_view app_id solidwl && wl_has_view class solidx && break; sleep 0.05; done
    swaymsg '[app_id="solidwl"] floating enable, resize set 800 475, move position 800 0' >/dev/null
    swaymsg '[class="solidx"] floating enable, resize set 800 475, move position 800 500' >/dev/null
    # Both clients draw again at their new size.
    sleep 0.5
}

# Failure counting: each failed check is printed and counted; the script reports at its end.
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
