#!/usr/bin/env bash
# The command line's pick and capture on an X server whose root window holds pixels other
# than 32-bit 0x??RRGGBB (depth 16: 5-6-5 bits, depth 30: 10 bits a channel): the colors come
# out converted to 8 bits a channel, rounded.
#
# Usage: cli_depth_e2e.sh PROGRAM CLI DEPTH
set -uo pipefail

cli=$2
depth=$3
source "$(dirname "$0")/e2e_support.sh" cli-depth-e2e
require_tools xdotool display xdpyinfo convert

# #FF8040 at 5-6-5 bits is 31, 32, 8: 255, 130 (32 * 255 / 63 rounded) and 66 back in 8 bits.
case $depth in
    16) want='#FF8242' ;;
    30) want='#FF8040' ;;
    *) echo "unknown depth $depth" >&2; exit 2 ;;
esac
planes=$(xdpyinfo | sed -n 's/.*depth of root window: *\([0-9]*\) planes.*/\1/p')
[[ $planes == "$depth" ]] || { echo "FAIL: the server's root has depth $planes" >&2; exit 1; }
show_swatch Swatch 20,20 '#FF8040' || exit 1

if out=$("$cli" pick 60 60 --format '#HTML' 2>&1); then
    [[ $(cut -f1-3 <<<"$out") == "$want	60,60	Swatch" ]] || fail "pick: got '$out', expected $want"
else
    fail "pick: $out"
fi
if "$cli" capture rect 40,40,20,10 "$work/rect.png" 2>"$work/err"; then
    got=$(convert "$work/rect.png" -format '%wx%h #%[hex:p{3,3}]' info: 2>/dev/null)
    [[ $got == "20x10 $want" ]] || fail "capture: got '$got', expected 20x10 $want"
else
    fail "capture: $(cat "$work/err")"
fi
((failures == 0)) && echo "depth $depth: pick and capture read $want"
((failures == 0))
