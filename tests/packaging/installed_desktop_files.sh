#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a desktop finds there: the
# launcher and the metainfo pass their validators, the manual pages format without warnings,
# a saved document is recognised as the document type by its name and by its first bytes
# alone, and the launcher is the default application for that type.
# Usage: installed_desktop_files.sh BUILD_DIR NERIMLENS_CLI APP_ID MIME_TYPE
set -u
build=$1 cli=$2 app_id=$3 mime_type=$4

for tool in desktop-file-validate appstreamcli update-mime-database update-desktop-database \
    xdg-mime gio groff; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is not installed (scripts/install-deps)"
        exit 77
    fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/usr
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

cmake --install "$build" --prefix "$prefix" >/dev/null || { echo "FAIL: cmake --install"; exit 1; }

for program in nerimlens nerimlens-cli; do
    [ -x "$prefix/bin/$program" ] || fail "bin/$program is not installed"
done
for icon in scalable/apps/nerimlens.svg 48x48/apps/nerimlens.png 256x256/apps/nerimlens.png \
    "scalable/mimetypes/${mime_type/\//-}.svg"; do
    [ -s "$prefix/share/icons/hicolor/$icon" ] || fail "icon $icon is missing"
done
[ -s "$prefix/share/bash-completion/completions/nerimlens-cli" ] || fail "bash completion is missing"

launcher=$prefix/share/applications/$app_id.desktop
desktop-file-validate "$launcher" || fail "desktop-file-validate $launcher"
appstreamcli validate --no-net "$prefix/share/metainfo/$app_id.metainfo.xml" >"$work/as.log" 2>&1 ||
    { cat "$work/as.log"; fail "appstreamcli validate"; }
pages=("$prefix"/share/man/man1/*.1.gz)
[ ${#pages[@]} -eq 2 ] && [ -f "${pages[0]}" ] || fail "the manual pages are not installed compressed"
for page in "${pages[@]}"; do
    warnings=$(gzip -dc "$page" | groff -man -ww -z 2>&1)
    [ -z "$warnings" ] || fail "groff warns about $(basename "$page"): $warnings"
done

update-mime-database "$prefix/share/mime" >/dev/null 2>&1 || fail "update-mime-database"
update-desktop-database "$prefix/share/applications" || fail "update-desktop-database"

"$cli" doc add "$work/colors.nlz" 12,200,99 >/dev/null || { echo "FAIL: saving a document"; exit 1; }
cp "$work/colors.nlz" "$work/no-extension"
printf 'plain text' >"$work/notes.txt"
# xdg-mime asks gio on a GNOME desktop; gio reads the shared-mime-info database of the prefix.
export XDG_CURRENT_DESKTOP=GNOME XDG_DATA_DIRS=$prefix/share XDG_DATA_HOME=$work/home
export XDG_CONFIG_HOME=$work/config
while read -r file want; do
    got=$(xdg-mime query filetype "$work/$file")
    [ "$got" = "$want" ] || fail "xdg-mime query filetype $file: $got, expected $want"
done <<TABLE
colors.nlz $mime_type
no-extension $mime_type
notes.txt text/plain
TABLE
got=$(xdg-mime query default "$mime_type")
[ "$got" = "$app_id.desktop" ] || fail "default application for $mime_type: '$got'"

[ "$failures" -eq 0 ] || exit 1
echo "ok"
