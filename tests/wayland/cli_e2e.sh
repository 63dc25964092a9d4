#!/usr/bin/env bash
# nerimlens-cli's screen commands in a Wayland session: pick over a Wayland window and an
# X11 (XWayland) window with only WAYLAND_DISPLAY set (colors, titles and classes from sway),
# the same through XWayland with DISPLAY set too, capture of a rectangle across both windows
# and of the whole desktop, and the errors where the pointer or the display is unknown.
# usage: cli_e2e.sh NERIMLENS NERIMLENS-CLI
set -uo pipefail
cli=$2
source "$(dirname "$0")/wayland_support.sh"
wl_session_up
wl_solids
export HOME=$WL/home-root

# "#rrggbb|title|class" of nerimlens-cli pick --json at X Y.
pick() {
    "$cli" pick "$1" "$2" --format '#HTML' --json 2>&1 | python3 -c '
import json, sys
text = sys.stdin.read()
try:
    d = json.loads(text)
    print("%s|%s|%s" % (d["color"].lower(), d["title"], d["class"]))
except Exception:
    print("error: " + text.strip())'
}

nx=$((WL_NATIVE_CONTENT[0] + 100)) ny=$((WL_NATIVE_CONTENT[1] + 100))
xx=$((WL_X11_CONTENT[0] + 100)) xy=$((WL_X11_CONTENT[1] + 100))
# Each case: a command => what it prints.
while IFS= read -r line; do
    what=${line%% => *} expected=${line#* => }
    got=$(eval "$what")
    if [[ $got == "$expected" ]]; then echo "ok: $what"; else fail "$what: expected '$expected', got '$got'"; fi
done <<CASES
pick $nx $ny => $WL_NATIVE_COLOR|solid $WL_NATIVE_COLOR|solidwl
pick $xx $xy => $WL_X11_COLOR|solid $WL_X11_COLOR|solidx
DISPLAY=$X11_DISPLAY pick $nx $ny => $WL_NATIVE_COLOR|solid $WL_NATIVE_COLOR|solidwl
DISPLAY=$X11_DISPLAY pick $xx $xy => $WL_X11_COLOR|solid $WL_X11_COLOR|solidx
CASES

# An X server of its own (not XWayland) is read as it is, whatever WAYLAND_DISPLAY says.
if command -v xvfb-run >/dev/null; then
    got=$(xvfb-run -a -s "-screen 0 1600x1000x24 -br" "$cli" pick $nx $ny --format '#HTML' | cut -f1)
    [[ ${got,,} == "#000000" ]] && echo "ok: an Xvfb display is read through X11" ||
        fail "an Xvfb display with WAYLAND_DISPLAY set read '$got', not its black root"
fi

# A rectangle across the bottom of the Wayland window and the top of the X11 window's
# content, as BMP: its rows read at known places.
rect_x=1000 rect_y=400 rect_w=200 rect_h=200
"$cli" capture rect $rect_x,$rect_y,$rect_w,$rect_h "$WL/rect.bmp" || fail "capture rect failed"
"$cli" capture desktop "$WL/desktop.bmp" || fail "capture desktop failed"
"$cli" capture window --under $nx,$ny "$WL/window.bmp" || fail "capture window --under failed"
# The zoom across the two windows' gap, 2x: source rows 440 to 560, green above, pink below.
"$cli" magnify 1200 500 --zoom 200 --size 40x240 "$WL/zoom.bmp" || fail "magnify failed"
python3 - "$WL" "$WL_NATIVE_COLOR" "$WL_X11_COLOR" <<'PY' || failures=$((failures + 1))
import struct, sys
folder, native, x11 = sys.argv[1], sys.argv[2].lower(), sys.argv[3].lower()

def read_bmp(path):
    data = open(path, "rb").read()
    offset, = struct.unpack_from("<I", data, 10)
    width, height = struct.unpack_from("<ii", data, 18)
    bpp, = struct.unpack_from("<H", data, 28)
    step = bpp // 8
    stride = (width * step + 3) & ~3
    def pixel(x, y):
        row = y if height < 0 else abs(height) - 1 - y
        b, g, r = data[offset + row * stride + x * step: offset + row * stride + x * step + 3]
        return "#%02x%02x%02x" % (r, g, b)
    return width, abs(height), pixel

bad = 0
def check(what, got, expected):
    global bad
    if got == expected:
        print("ok: %s" % what)
    else:
        print("FAIL: %s: expected %s, got %s" % (what, expected, got), file=sys.stderr)
        bad += 1

w, h, px = read_bmp(folder + "/rect.bmp")
check("rect size", (w, h), (200, 200))
check("rect pixel in the Wayland window", px(10, 10), native)      # 1010,410
check("rect pixel in the X11 window", px(190, 190), x11)           # 1190,590
check("rect pixel on the X11 window's title bar differs", px(100, 110) not in (native, x11), True)  # 1100,510
w, h, px = read_bmp(folder + "/desktop.bmp")
check("desktop size", (w, h), (1600, 1000))
check("desktop pixel in the Wayland window", px(1200, 300), native)
check("desktop pixel in the X11 window", px(1200, 800), x11)
w, h, px = read_bmp(folder + "/zoom.bmp")
check("magnify size", (w, h), (40, 240))
check("magnified Wayland window", px(5, 4), native)     # source row 442
check("magnified X11 window", px(5, 236), x11)          # source row 558
w, h, px = read_bmp(folder + "/window.bmp")
check("window size (frame with title bar)", (w, h), (800, 475))
check("window content", px(400, 300), native)
sys.exit(1 if bad else 0)
PY

# A second monitor of scale 1 at logical 1600,0 beside the first at scale 2 (logical
# 800x500): device positions at scale 2 put the second one at 3200,0. The Wayland window
# moved onto it is picked on its pixels there, with its title.
swaymsg create_output >/dev/null
swaymsg output HEADLESS-2 mode 800x600 position 1600 0 >/dev/null
swaymsg output HEADLESS-1 scale 2 >/dev/null
swaymsg '[app_id="solidwl"] move to output HEADLESS-2' >/dev/null
sleep 0.5
read -r gx gy < <(swaymsg -t get_tree | python3 -c '
import json, sys
def walk(n):
    if n.get("app_id") == "solidwl":
        r, w = n["rect"], n["window_rect"]
        print(3200 + r["x"] + w["x"] - 1600 + w["width"] // 2, r["y"] + w["y"] + w["height"] // 2)
    for c in n.get("nodes", []) + n.get("floating_nodes", []): walk(c)
walk(json.load(sys.stdin))')
got=$(pick "$gx" "$gy")
[[ $got == "$WL_NATIVE_COLOR|solid $WL_NATIVE_COLOR|solidwl" ]] && echo "ok: pick on the second monitor" ||
    fail "pick $gx $gy on the second monitor: '$got'"
"$cli" capture desktop "$WL/two.bmp" && "$cli" capture monitor 1 "$WL/second.bmp" ||
    fail "capture with two monitors failed"
python3 - "$WL" "$WL_NATIVE_COLOR" "$gx" "$gy" <<'PY' || failures=$((failures + 1))
import struct, sys
folder, native, gx, gy = sys.argv[1], sys.argv[2].lower(), int(sys.argv[3]), int(sys.argv[4])
def read_bmp(path):
    data = open(path, "rb").read()
    offset, = struct.unpack_from("<I", data, 10)
    width, height = struct.unpack_from("<ii", data, 18)
    step = struct.unpack_from("<H", data, 28)[0] // 8
    stride = (width * step + 3) & ~3
    def pixel(x, y):
        row = y if height < 0 else abs(height) - 1 - y
        b, g, r = data[offset + row * stride + x * step: offset + row * stride + x * step + 3]
        return "#%02x%02x%02x" % (r, g, b)
    return (width, abs(height)), pixel
bad = 0
for what, got, expected in [
    ("two monitors' desktop size", read_bmp(folder + "/two.bmp")[0], (4000, 1000)),
    ("the desktop's pixel on the second monitor", read_bmp(folder + "/two.bmp")[1](gx, gy), native),
    ("the second monitor's size", read_bmp(folder + "/second.bmp")[0], (800, 600)),
    ("the second monitor's pixel", read_bmp(folder + "/second.bmp")[1](gx - 3200, gy), native),
]:
    if got == expected:
        print("ok: " + what)
    else:
        print("FAIL: %s: expected %s, got %s" % (what, expected, got), file=sys.stderr)
        bad += 1
sys.exit(1 if bad else 0)
PY

# Errors: no pointer position on Wayland; no display at all.
out=$("$cli" pick --cursor 2>&1); rc=$?
[[ $rc -eq 1 && $out == *"pointer's position is unknown"* ]] && echo "ok: pick --cursor refused" ||
    fail "pick --cursor: exit $rc, '$out'"
out=$(env -u WAYLAND_DISPLAY -u DISPLAY "$cli" pick 1 1 2>&1); rc=$?
[[ $rc -eq 1 && $out == *"no display: set WAYLAND_DISPLAY or DISPLAY"* ]] && echo "ok: no display" ||
    fail "no display: exit $rc, '$out'"
out=$(WAYLAND_DISPLAY=$WL/none "$cli" pick 1 1 2>&1); rc=$?
[[ $rc -eq 1 && $out == *"cannot connect to the Wayland compositor"* ]] && echo "ok: unreachable compositor" ||
    fail "unreachable compositor: exit $rc, '$out'"

[[ $failures -eq 0 ]] && echo "all checks passed" || echo "$failures check(s) failed"
exit $((failures > 0))
