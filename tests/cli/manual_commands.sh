#!/usr/bin/env bash
# The manual page of nerimlens-cli describes every command the program has and no other: the
# commands are read from the completion script the program writes from its own definitions,
# the page's entries from its COMMANDS section.
# Usage: manual_commands.sh NERIMLENS_CLI MANUAL_PAGE screen|core
# "screen": the command line was built with its screen commands (pick, capture, magnify).
set -u
cli=$1 page=$2 build=$3
script=$(mktemp)
trap 'rm -f "$script"' EXIT
"$cli" completion bash >"$script" || { echo "FAIL: completion bash"; exit 1; }
python3 - "$page" "$build" "$script" <<'PYTHON'
import re, sys
page, build = sys.argv[1], sys.argv[2]
script = open(sys.argv[3], encoding="utf-8").read()
# '        " doc") commands="info add ..." options=...': the subcommands of each path.
children = {}
for path, names in re.findall(r'^\s+"([^"]*)"\) commands="([^"]*)"', script, re.M):
    children[path.strip()] = names.split()
leaves = set()
def walk(path):
    for name in children.get(path, []):
        sub = (path + " " + name).strip()
        if children.get(sub): walk(sub)
        else: leaves.add(sub)
walk("")
leaves.add("completion")  # hidden from help and completion, but documented
text = open(page, encoding="utf-8").read()
section = re.search(r'^\.SH COMMANDS\n(.*?)^\.SH ', text, re.M | re.S).group(1)
entries = set()
for line in re.findall(r'^\.TP\n(\.BI? .*)$', section, re.M):
    first = re.match(r'\.BI? +"([^"]+)"|\.BI? +(\S+)', line)
    entries.add((first.group(1) or first.group(2)).replace("\\-", "-").strip())
screen_only = {"pick", "capture", "magnify"}
failures = 0
for name in sorted(leaves - entries):
    print(f"FAIL: the manual page has no entry for '{name}'"); failures += 1
for name in sorted(entries - leaves):
    if build != "screen" and name in screen_only: continue
    print(f"FAIL: the manual page describes '{name}', which the program does not have"); failures += 1
if not leaves or failures: sys.exit(1)
print("ok:", len(leaves), "commands documented")
PYTHON
