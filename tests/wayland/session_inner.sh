#!/usr/bin/env bash
# Runs inside dbus-run-session for wayland_support.sh: sway headless (as user nobody when run
# by root: sway refuses root), then, when asked, PipeWire for the desktop portals. Writes
# $WL/run/ready once the compositor's socket exists and then waits for sway.
set -u
here=$(cd "$(dirname "$0")" && pwd)
echo "$DBUS_SESSION_BUS_ADDRESS" >"$WL/run/dbus.addr"
as_user=()
[[ $(id -u) -eq 0 ]] && as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
"${as_user[@]}" env XDG_RUNTIME_DIR="$WL/sway-run" HOME="$WL/home" WLR_BACKENDS=headless \
    WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman sway -c "$WL/sway.conf" >"$WL/sway.log" 2>&1 &
sway=$!
echo $sway >"$WL/run/sway.pid"
for _ in $(seq 100); do [[ -S $WL/sway-run/wayland-1 ]] && break; sleep 0.05; done
export WAYLAND_DISPLAY=$WL/sway-run/wayland-1 XDG_RUNTIME_DIR=$WL/run
dbus-update-activation-environment WAYLAND_DISPLAY XDG_CURRENT_DESKTOP XDG_RUNTIME_DIR \
    XDG_CONFIG_HOME XDG_SESSION_TYPE 2>/dev/null
if [[ ${NL_WL_PORTALS:-0} == 1 ]]; then
    pipewire >"$WL/pipewire.log" 2>&1 &
    wireplumber >"$WL/wireplumber.log" 2>&1 &
fi
echo up >"$WL/run/ready"
wait $sway
