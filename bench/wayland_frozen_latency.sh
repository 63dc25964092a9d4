#!/usr/bin/env bash
# Start picking to the frozen picture on the screen, natively on Wayland: the program runs on
# Qt's wayland platform in a headless sway session (1600x1000, the test harness's two
# known-color windows on it); each round sends `nerimlens --command pick-color` and
# `nerimlens-cli command pick-color` (the binding that loads no toolkit) in turn and times each up
# to sway's window event for the mapped "NerimLens frozen screen" window, then leaves with
# Esc and waits until that window is gone. With NL_LATENCY_TRACE set the program writes the
# times of its stages, which split each run:
#   exec       the command's process started, its libraries loaded, up to main()
#   qt         its QApplication made (the compositor's connection)
#   services   its platform services, up to asking the running instance
#   start      all of the command's start: a command handed straight to the running instance
#              makes no QApplication and no services, and then has no qt or services times
#   hand-over  its request reaching the running instance
#   to-open    the hot key up to the frozen screen's opening
#   settle     the wait for a closed menu to leave the screen
#   freeze     the screen copy and sway's window tree
#   windows    the pictures copied out, their windows made and shown
#   paint      up to the first paint of a picture window
#   map        the buffer committed, up to sway mapping the window
# Prints the median, least and most of each for both senders; fails when the median of the
# whole through nerimlens-cli is over the goal.
#
# Usage: bench/wayland_frozen_latency.sh [BUILD-FOLDER [RUNS]]
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(realpath "${1:-$here/../build/default}")
runs=${2:-15}
# The goal for the whole, in milliseconds.
goal_ms=100
program=$build/nerimlens
cli=$build/src/cli/nerimlens-cli
for tool in wtype python3; do
    command -v $tool >/dev/null || { echo "$tool is missing (scripts/install-deps)" >&2; exit 1; }
done
[[ -x $program && -x $cli ]] || { echo "build $program and $cli first" >&2; exit 1; }
export NL_WL_TOOLS=$build/tests/wayland
source "$here/../tests/wayland/wayland_support.sh"
wl_session_up
wl_solids
export HOME=$WL/home-nl XDG_CONFIG_HOME=$WL/config-nl XDG_DATA_HOME=$WL/data-nl
export QT_QPA_PLATFORM=wayland NL_LATENCY_TRACE=1
mkdir -p "$HOME"
data=$WL/NerimLens.dat
"$cli" settings defaults "$data" >/dev/null || { echo "nerimlens-cli settings defaults failed" >&2; exit 1; }
"$program" "UserDataFilePath:$data" >"$WL/program.log" 2>&1 &
wl_pids+=($!)

python3 - "$program" "$WL/program.log" "$runs" "$goal_ms" "$cli" <<'PY'
import json, os, select, socket, statistics, struct, subprocess, sys, time

program, log, runs, goal, cli = sys.argv[1], sys.argv[2], int(sys.argv[3]), float(sys.argv[4]), sys.argv[5]
SENDERS = [("nerimlens --command", [program, "--command", "pick-color"]),
           ("nerimlens-cli command", [cli, "command", "pick-color"])]
FROZEN = "NerimLens frozen screen"
MAIN_SUFFIX = " - NerimLens"
WAIT = 5.0  # seconds a window may take to come or go before the run counts as failed
SETTLE = 0.3  # seconds between runs, for the main window's return after Esc
WARMUP = 1

# sway's IPC: "i3-ipc", payload length, message type, JSON payload.
MAGIC = b"i3-ipc"
GET_TREE, SUBSCRIBE, WINDOW_EVENT = 4, 2, 0x80000003

def ipc_connect():
    s = socket.socket(socket.AF_UNIX)
    s.connect(os.environ["SWAYSOCK"])
    return s

def ipc_send(s, kind, payload=b""):
    s.sendall(MAGIC + struct.pack("=II", len(payload), kind) + payload)

def ipc_read(s):
    def exactly(n):
        data = b""
        while len(data) < n:
            part = s.recv(n - len(data))
            if not part: sys.exit("sway closed its socket")
            data += part
        return data
    length, kind = struct.unpack("=II", exactly(14)[6:])
    return kind, json.loads(exactly(length))

events = ipc_connect()
ipc_send(events, SUBSCRIBE, b'["window"]')
ipc_read(events)

def wait_window(change, title, deadline):
    """The time of the first window event `change` for the window titled `title`, or None.
    sway maps a window ("new") before it tells the window's title: a new window's time is
    that of its map, taken once its title shows."""
    mapped = {}
    while True:
        left = deadline - time.monotonic()
        if left <= 0 or not select.select([events], [], [], left)[0]:
            return None
        kind, event = ipc_read(events)
        now = time.monotonic()
        if kind != WINDOW_EVENT: continue
        window = event["container"]
        if event["change"] == "new": mapped[window["id"]] = now
        if window.get("name") != title: continue
        if change == "new" and window["id"] in mapped: return mapped[window["id"]]
        if event["change"] == change: return now

def main_window_up(deadline):
    """Waits for the main window in sway's tree."""
    query = ipc_connect()
    while time.monotonic() < deadline:
        ipc_send(query, GET_TREE)
        if MAIN_SUFFIX in json.dumps(ipc_read(query)[1]): return True
        time.sleep(0.1)
    return False

if not main_window_up(time.monotonic() + 15):
    sys.exit("the main window did not appear:\n" + open(log).read())
time.sleep(0.5)

def stages(text, since):
    """The program's traced stages after `since`, first of each name."""
    found = {}
    for line in text.splitlines():
        f = line.split()
        if len(f) == 3 and f[0] == "nerimlens-latency" and float(f[2]) >= since:
            found.setdefault(f[1], float(f[2]))
    return found

# Each part: its name and the marks it lies between.
PARTS = [("exec", "send", "main"), ("qt", "main", "qapp"), ("services", "qapp", "instance"),
         ("start", "send", "instance"), ("hand-over", "instance", "request"),
         ("to-open", "request", "open"), ("settle", "open", "settled"),
         ("freeze", "settled", "frozen"), ("windows", "frozen", "shown"),
         ("paint", "shown", "painted"), ("map", "painted", "mapped"),
         ("in the program", "request", "painted"), ("whole", "send", "mapped")]
results = {who: {name: [] for name, _, _ in PARTS} for who, _ in SENDERS}
for run, (who, command) in ((r, s) for r in range(WARMUP + runs) for s in SENDERS):
    log_at = os.path.getsize(log)
    marks = {"send": time.monotonic()}
    # The event's time is when it is read: the command is not waited for before it.
    sender = subprocess.Popen(command, stderr=subprocess.PIPE, text=True)
    mapped = wait_window("new", FROZEN, marks["send"] + WAIT)
    sender_log = sender.communicate(timeout=WAIT)[1]
    if mapped is None:
        # A frozen screen that came late would spoil the runs after it.
        sys.exit("run %d: no frozen screen (the command's exit %d: %s)\n%s" %
                 (run, sender.returncode, sender_log.strip(), open(log).read()))
    marks["mapped"] = mapped
    subprocess.run(["wtype", "-k", "Escape"])
    if wait_window("close", FROZEN, time.monotonic() + WAIT) is None:
        sys.exit("the frozen screen stayed after Esc")
    time.sleep(SETTLE)
    with open(log) as f:
        f.seek(log_at)
        marks.update(stages(f.read(), marks["send"]))
    marks.update(stages(sender_log, marks["send"]))
    if run < WARMUP: continue
    for name, begin, end in PARTS:
        if begin in marks and end in marks:
            results[who][name].append((marks[end] - marks[begin]) * 1000)

# Parts only a command that starts the toolkit has.
WHOLE_START_ONLY = {"qt", "services"}
for who, _ in SENDERS:
    print("%s: %d interleaved runs (after %d unmeasured), milliseconds:" % (who, runs, WARMUP))
    print("%-15s %8s %8s %8s" % ("", "median", "min", "max"))
    for name, _, _ in PARTS:
        times = results[who][name]
        if times:
            print("%-15s %8.1f %8.1f %8.1f" % (name, statistics.median(times), min(times), max(times)))
        else:
            print("%-15s %8s" % (name, "-"))
    missing = [name for name, _, _ in PARTS if len(results[who][name]) < runs and
               not (name in WHOLE_START_ONLY and not results[who][name])]
    if missing:
        sys.exit("no time in some runs for: %s (was NL_LATENCY_TRACE read?)" % ", ".join(missing))
wholes = [statistics.median(results[who]["whole"]) for who, _ in SENDERS]
print("whole, nerimlens-cli command / nerimlens --command: %.2f" % (wholes[1] / wholes[0]))
ok = wholes[1] <= goal
print("median of the whole through nerimlens-cli against the goal of %.0f ms: %s" % (goal, "met" if ok else "missed"))
sys.exit(0 if ok else 1)
PY
