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

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# Waits up to $1 tenths of a second for the command after it to succeed.
wait_for() {
    local tenths=$1
    shift
    for ((i = 0; i < tenths; i++)); do
        if "$@" >/dev/null 2>&1; then return 0; fi
        sleep 0.1
    done
    return 1
}

# Whether the program's main window is mapped.
window_shown() { [[ -n $(xdotool search --onlyvisible --classname '^nerimlens$' 2>/dev/null) ]]; }

# Ends the script at once when one of the named programs is missing.
require_tools() {
    for tool in "$@"; do
        command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing" >&2; exit 1; }
    done
}
