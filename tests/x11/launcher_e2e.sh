#!/usr/bin/env bash
# Installs the build into a scratch prefix and starts the program the way a desktop starts
# it from the installed launcher: the launcher's Exec line, with %f standing for a saved
# document and the prefix's bin/ on the PATH. The main window appears with that document, its
# class is the launcher's StartupWMClass, and a later start with another document hands it to
# the running instance, which opens it.
#
# Usage: launcher_e2e.sh PROGRAM CLI
set -uo pipefail

program=$1
cli=$2
source "$(dirname "$0")/e2e_support.sh" launcher
require_tools xdotool xprop

build=$(dirname "$program")
prefix=$work/usr
cmake --install "$build" --prefix "$prefix" >/dev/null || { echo "FAIL: cmake --install" >&2; exit 1; }
launchers=("$prefix"/share/applications/*.desktop)
[[ ${#launchers[@]} -eq 1 && -f ${launchers[0]} ]] || { echo "FAIL: no single launcher" >&2; exit 1; }

doc=$work/launched.nlz
"$cli" doc add "$doc" 12,200,99 >/dev/null || { echo "FAIL: saving a document" >&2; exit 1; }

exec_line=$(sed -n 's/^Exec=//p' "${launchers[0]}" | head -n 1)
read -ra command <<<"$exec_line"
arguments=()
for word in "${command[@]}"; do
    case $word in
        %f | %F | %u | %U) arguments+=("$doc") ;;
        %*) ;;
        *) arguments+=("$word") ;;
    esac
done
echo "launching: ${arguments[*]}"
PATH=$prefix/bin:$PATH
[[ $(command -v "${arguments[0]}") == "$prefix/bin/"* ]] ||
    fail "the Exec program ${arguments[0]} is not the installed one"
program=${arguments[0]}
start_program "${arguments[@]:1}"

caption_names() { xdotool getwindowname "$main" | grep -q "^${1##*/} - "; }
if wait_for 100 caption_names "$doc"; then echo "ok: the launcher opened the document"; else
    fail "the caption is '$(xdotool getwindowname "$main")', not the document's"
fi

# The window belongs to the launcher: its class is the one the launcher names.
wm_class=$(sed -n 's/^StartupWMClass=//p' "${launchers[0]}")
[[ -n $wm_class && $(xprop -id "$main" WM_CLASS 2>/dev/null) == *"\"$wm_class\""* ]] &&
    echo "ok: the window's class is the launcher's StartupWMClass ($wm_class)" ||
    fail "WM_CLASS $(xprop -id "$main" WM_CLASS 2>&1) is not StartupWMClass '$wm_class'"

# A document opened while the program runs (a double click in a file manager: the launcher's
# Exec line again) is handed to the running instance, which opens it; the later start ends
# with 0 and no second instance runs.
second=$work/second\ one.nlz
"$cli" doc add "$second" 1,2,3 >/dev/null || fail "saving the second document"
launch_args=("${arguments[@]:1}")
launch_args=("${launch_args[@]/#$doc/$second}")
timeout 20 "$program" "${launch_args[@]}" >>"$work/program.log" 2>&1
code=$?
[[ $code -eq 0 ]] || fail "the later start with a document ended with $code"
if wait_for 100 caption_names "$second"; then echo "ok: the running instance opened the handed document"; else
    fail "the caption stayed '$(xdotool getwindowname "$main")'"
fi
[[ $(xdotool search --onlyvisible --classname '^nerimlens$' | wc -l) -eq 1 ]] ||
    fail "more than one main window after the later start"

kill -TERM "$pid" 2>/dev/null
wait_for 150 program_ended || fail "the program did not end on SIGTERM"
[[ $failures -eq 0 ]]
