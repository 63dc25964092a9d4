#!/usr/bin/env bash
# Builds the Debian package from the finished build and checks what it holds: the programs,
# the desktop files, the icons, the manual pages and the completion under /usr, with package
# dependencies found from the programs' shared libraries.
# Usage: debian_package.sh BUILD_DIR APP_ID
set -u
build=$1 app_id=$2

for tool in cpack dpkg-deb dpkg-shlibdeps; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is not installed"
        exit 77
    fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; echo "FAIL: cpack"; exit 1; }
packages=("$work"/*.deb)
[ ${#packages[@]} -eq 1 ] && [ -f "${packages[0]}" ] || { echo "FAIL: no single .deb"; exit 1; }
deb=${packages[0]}

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

contents=$(dpkg-deb -c "$deb" | awk '{print $1, $6}')
while read -r mode path; do
    grep -qxF -- "$mode $path" <<<"$contents" || fail "$path ($mode) is not in the package"
done <<TABLE
-rwxr-xr-x ./usr/bin/nerimlens
-rwxr-xr-x ./usr/bin/nerimlens-cli
-rw-r--r-- ./usr/share/applications/$app_id.desktop
-rw-r--r-- ./usr/share/metainfo/$app_id.metainfo.xml
-rw-r--r-- ./usr/share/mime/packages/nerimlens.xml
-rw-r--r-- ./usr/share/icons/hicolor/scalable/apps/nerimlens.svg
-rw-r--r-- ./usr/share/icons/hicolor/48x48/apps/nerimlens.png
-rw-r--r-- ./usr/share/man/man1/nerimlens.1.gz
-rw-r--r-- ./usr/share/man/man1/nerimlens-cli.1.gz
-rw-r--r-- ./usr/share/doc/nerimlens/copyright
-rw-r--r-- ./usr/share/doc/nerimlens/changelog.gz
-rw-r--r-- ./usr/share/bash-completion/completions/nerimlens-cli
TABLE
# Nothing outside /usr, and no build-machine paths.
outside=$(awk '{print $2}' <<<"$contents" | grep -v -e '^\./$' -e '^\./usr/')
[ -z "$outside" ] || fail "files outside /usr: $outside"

# The dependencies come from the linked libraries, with Qt's platforms for X11 and Wayland.
depends=$(dpkg-deb -f "$deb" Depends)
names=$(sed 's/ ([^)]*)//g; s/, /\n/g' <<<"$depends")
for library in libc6 libstdc++6 libqt6widgets6 libqt6svg6 libxcb1 libasound2 qt6-qpa-plugins \
    qt6-wayland; do
    grep -qxF "$library" <<<"$names" || fail "Depends lacks $library: $depends"
done
[ "$(dpkg-deb -f "$deb" Package)" = nerimlens ] || fail "package name"

# Installed programs carry no debugging information.
mkdir "$work/root"
dpkg-deb -x "$deb" "$work/root"
file "$work/root/usr/bin/nerimlens" | grep -q "not stripped" && fail "nerimlens is not stripped"
"$work/root/usr/bin/nerimlens-cli" color 1,2,3 >/dev/null || fail "the packaged nerimlens-cli does not run"
# The licence is named where Debian and AppStream look for it.
grep -qx "License: MIT" "$work/root/usr/share/doc/nerimlens/copyright" || fail "copyright names no MIT licence"
grep -q "<project_license>MIT</project_license>" \
    "$work/root/usr/share/metainfo/$app_id.metainfo.xml" || fail "the metainfo names no MIT licence"
# The long description fits the control file's lines.
long=$(dpkg-deb -f "$deb" Description | awk 'NR > 1 && length($0) > 80')
[ -z "$long" ] || fail "description lines over 80 characters: $long"

[ "$failures" -eq 0 ] || exit 1
echo ok
