#!/usr/bin/env bash
# Kills nerimlens-cli with SIGKILL at random moments while it saves a document or a data
# file (rounds alternate between the two). After every kill each file must still load and
# hold either what it held before or what the killed save was writing; at the end, after one more save into the folder, no
# temporary file may be left.
#
# With "in-place" both files have a second name (a hard link), so every save writes over the
# file itself instead of replacing it, and the document is made large (about 2 MB) so that
# kills land in the middle of its writes.
#
# Usage: save_kill_durability.sh CLI [ROUNDS] [in-place]
set -uo pipefail

cli=$1
rounds=${2:-200}
mode=${3:-replace}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
doc=$work/doc.nlz
data=$work/NerimLens.dat
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
colors() { "$cli" doc info "$doc" | grep -c '"index"'; }
# The value of the first hot key in the data file.
first_hot_key() {
    "$cli" settings dump "$data" | sed -n '/"hot_keys"/,/}/s/.*"value": \([0-9]*\).*/\1/p' | head -n 1
}
temporaries() { find "$work" -maxdepth 1 -name '.nl-*' | wc -l; }

"$cli" doc add "$doc" 1,2,3 || exit 1
"$cli" settings defaults "$data" || exit 1
count=1
if [[ $mode == in-place ]]; then
    title=$(printf '%*s' 30000 '' | tr ' ' t)
    for ((i = 0; i < 29; i++)); do "$cli" doc add "$doc" "1,2,$i" --title "$title" || exit 1; done
    count=30
    ln "$doc" "$work/doc-link.nlz" && ln "$data" "$work/NerimLens-link.dat" || exit 1
fi
hot_key=$(first_hot_key)
killed=0
left=0
for ((round = 0; round < rounds; round++)); do
    if ((round % 2)); then
        "$cli" doc add "$doc" "$((RANDOM % 256)),0,0" 2>/dev/null &
    else
        # Ctrl with one of F1 to F12: a valid hot key, so that each save changes the file.
        wanted=$((0x20070 + RANDOM % 12))
        "$cli" settings defaults "$data" --hot-key "0=$wanted" 2>/dev/null &
    fi
    pid=$!
    if [[ $mode == in-place ]]; then
        # A save of the large document takes some tens of ms: kills spread over all of it.
        sleep "0.$(printf %03d $((RANDOM % 60)))"
    else
        sleep "0.00$((RANDOM % 8))"
    fi
    kill -KILL "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    (($? == 128 + 9)) && killed=$((killed + 1))
    left=$((left + $(temporaries)))

    if ((round % 2)); then
        if ! n=$(colors); then
            fail "round $round: the document does not load"
        elif ((n == count + 1)); then
            count=$n
        elif ((n != count)); then
            fail "round $round: $n colors where $count or $((count + 1)) were expected"
        fi
    else
        checked=$("$cli" settings check "$data" 2>&1)
        if [[ $checked != ok ]]; then
            fail "round $round: the data file does not check: $checked"
        else
            now=$(first_hot_key)
            if [[ $now != "$hot_key" && $now != "$wanted" ]]; then
                fail "round $round: hot key $now where $hot_key or $wanted was expected"
            fi
            hot_key=$now
        fi
    fi
done

# One more save into the folder takes away what killed writers left.
"$cli" doc add "$doc" 0,0,0 || fail "the last save failed"
remaining=$(temporaries)
((remaining == 0)) || fail "$remaining temporary file(s) left: $(ls -A "$work")"
if [[ $mode == in-place ]]; then
    cmp -s "$doc" "$work/doc-link.nlz" || fail "the document's two names differ"
    cmp -s "$data" "$work/NerimLens-link.dat" || fail "the data file's two names differ"
fi
echo "$mode: $rounds rounds, $killed killed, $((count + 1)) colors kept," \
    "$left temporary file(s) seen after kills, $remaining left at the end"
((failures == 0))
