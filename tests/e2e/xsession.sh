# Sourced by the end-to-end tests: a private X server (1024x768) and, when $WM is
# "openbox", that window manager on it, with an empty settings location.
. "$(dirname "$0")/common.sh"
LOGS="${LOGS:-} game.log wm.log"

start_xvfb 1024x768x24 -noreset
export DISPLAY="$xvfb_display" XDG_CONFIG_HOME="$work/config" XDG_CACHE_HOME="$work/cache" \
    XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb
unset DBUS_SESSION_BUS_ADDRESS WAYLAND_DISPLAY
mkdir -p "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME"
mkdir -m 700 "$XDG_RUNTIME_DIR"

start_wm
