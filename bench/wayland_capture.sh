#!/usr/bin/env bash
# A full-screen screen copy in a headless sway session (1600x1000, the test harness's two
# known-color windows on it), as whole processes: the program's Wayland capture written as
# PPM beside `grim -t ppm`, and `nerimlens-cli capture desktop` to BMP for reference. Fails
# when the program's capture takes more than 1.2 times grim's mean.
#
# Usage: bench/wayland_capture.sh [BUILD-FOLDER [RUNS]]
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(realpath "${1:-$here/../build/default}")
runs=${2:-30}
# The most the program's capture may take against grim's.
limit=1.2
capture=$build/bench/nerimlens_wayland_capture
cli=$build/src/cli/nerimlens-cli
for tool in grim hyperfine python3; do
    command -v $tool >/dev/null || { echo "$tool is missing (scripts/install-deps)" >&2; exit 1; }
done
[[ -x $capture && -x $cli ]] || { echo "build $capture and $cli first" >&2; exit 1; }
export NL_WL_TOOLS=$build/tests/wayland
source "$here/../tests/wayland/wayland_support.sh"
wl_session_up
wl_solids
export HOME=$WL/home-root

# Both give the same picture.
grim -t ppm "$WL/grim.ppm" && "$capture" >"$WL/nerimlens.ppm" || exit 1
cmp -s "$WL/grim.ppm" "$WL/nerimlens.ppm" && echo "same picture as grim" ||
    echo "warning: the picture differs from grim's (the cursor drawn in?)"

hyperfine -N --warmup 3 --runs "$runs" --export-json "$WL/times.json" \
    -n grim "grim -t ppm -" \
    -n nerimlens "$capture" \
    -n "nerimlens-cli (BMP)" "$cli capture desktop $WL/cli.bmp" >/dev/null || exit 1
python3 - "$WL/times.json" "$limit" <<'PY'
import json, sys
results = {r["command"]: r for r in json.load(open(sys.argv[1]))["results"]}
limit = float(sys.argv[2])
for name, r in results.items():
    print("%-22s mean %6.1f ms  median %6.1f ms  min %6.1f ms" % (name, r["mean"] * 1e3, r["median"] * 1e3, r["min"] * 1e3))
ratio = results["nerimlens"]["mean"] / results["grim"]["mean"]
print("nerimlens / grim: %.2f (limit %.2f)" % (ratio, limit))
sys.exit(0 if ratio <= limit else 1)
PY
