#!/usr/bin/env bash
# The bash completion nerimlens-cli writes completes its subcommands and options at each level,
# the values of the options that take a table's names (quoted for the command line), and
# leaves file arguments to bash.
# Usage: bash_completion.sh NERIMLENS_CLI [screen]
# "screen": the command line was built with its screen commands (pick, capture, magnify).
set -u
cli=$1
top="color contrast length doc settings"
[[ ${2:-} == screen ]] && top+=" pick capture magnify"
top+=" command"
script=$(mktemp)
trap 'rm -f "$script"' EXIT
"$cli" completion bash >"$script" || { echo "FAIL: completion bash"; exit 1; }
bash -n "$script" || { echo "FAIL: the script is not valid bash"; exit 1; }
"$cli" completion zsh >/dev/null 2>&1 && { echo "FAIL: an unknown shell is accepted"; exit 1; }
"$cli" --help | grep -q completion && { echo "FAIL: completion is listed in --help"; exit 1; }

# Each row: the words typed, the last one being completed (a trailing blank: a new word) | the
# replies.
failures=0
while IFS='|' read -r typed want; do
    read -ra words <<<"$typed"
    [[ -z $typed || $typed == *" " ]] && words+=("")
    got=$(bash -c '
        source "$1"; shift
        COMP_WORDS=(nerimlens-cli "$@"); COMP_CWORD=$#
        _nerimlens_cli; echo "${COMPREPLY[*]}"' _ "$script" "${words[@]}")
    if [ "$got" != "$want" ]; then
        echo "FAIL: completing '$typed': '$got', expected '$want'"
        failures=$((failures + 1))
    fi
done <<TABLE
|$top
co|color contrast command
d|doc
doc |info add measure rows export
doc e|export
doc export --c|--color-format --clipboard-form
settings d|dump defaults
length --|--help --dpi --unit --axis --scale --locale
color 1,2,3 -|--help -h --format -f
doc add f|
length 5 -u |px pc pt tw cm in lpx
length 5 --axis |x y
color 1,2,3 -f RGB|RGB\ 0-1 RGB\ 0-255
doc export a.nlz b.txt --color-format h|html hsl\(\) hwb\(\)
color 1,2,3 -f okl|oklab\(\) oklch\(\)
doc rows a.nlz --unit c|cm
nosuch |
TABLE
[ "$failures" -eq 0 ] || exit 1
echo ok
