#!/usr/bin/env bash
# Installs the build into a scratch prefix and starts the program the way a desktop starts
# it from the installed launcher: the launcher's Exec line, with %f standing for a saved
# document and the prefix's bin/ on the PATH. The main window appears with that document.
#
# Usage: launcher_e2e.sh PROGRAM CLI
set -uo pipefail

program=$1
cli=$2
source "$(dirname "$0")/e2e_support.sh" launcher
require_tools xdotool

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

caption_names_document() { xdotool getwindowname "$main" | grep -q "^${doc##*/} - "; }
if wait_for 100 caption_names_document; then echo "ok: the launcher opened the document"; else
    fail "the caption is '$(xdotool getwindowname "$main")', not the document's"
fi

kill -TERM "$pid" 2>/dev/null
wait_for 150 program_ended || fail "the program did not end on SIGTERM"
[[ $failures -eq 0 ]]
