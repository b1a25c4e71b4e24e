# Sourced by the end-to-end tests: a private X server (Xvfb, 1024x768) and, when $WM is
# "openbox", that window manager on it; an empty settings location; `fail` reports with
# the logs named in $LOGS; everything started is stopped on exit.
work=$(mktemp -d "${TMPDIR:-/tmp}/tessarin-e2e.XXXXXX")
xvfb_pid=
wm_pid=
game_pid=
cleanup() {
    for pid in $game_pid $wm_pid $xvfb_pid; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

fail() {
    echo "e2e: $*" >&2
    for f in ${LOGS:-} game.log wm.log; do
        [ -s "$work/$f" ] && { echo "--- $f" >&2; tail -n 40 "$work/$f" >&2; }
    done
    exit 1
}

# Polls a condition for up to $2 tenths of a second (default 100).
wait_until() {
    i=0
    until eval "$1"; do
        i=$((i + 1))
        [ $i -le "${2:-100}" ] || return 1
        sleep 0.1
    done
}

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
wait_until '[ -s "$work/display" ] || ! kill -0 $xvfb_pid 2>/dev/null' 200 &&
    kill -0 "$xvfb_pid" 2>/dev/null || fail "Xvfb did not start: $(cat "$work/xvfb.log")"

DISPLAY=:$(head -n1 "$work/display")
XDG_CONFIG_HOME=$work/config
XDG_CACHE_HOME=$work/cache
XDG_RUNTIME_DIR=$work/runtime
QT_QPA_PLATFORM=xcb
export DISPLAY XDG_CONFIG_HOME XDG_CACHE_HOME XDG_RUNTIME_DIR QT_QPA_PLATFORM
unset DBUS_SESSION_BUS_ADDRESS WAYLAND_DISPLAY
mkdir -p "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME"
mkdir -m 700 "$XDG_RUNTIME_DIR"

case ${WM:-none} in
none) ;;
openbox)
    openbox --sm-disable >"$work/wm.log" 2>&1 &
    wm_pid=$!
    wait_until 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"' ||
        fail "openbox did not start"
    ;;
*) fail "unknown window manager '$WM'" ;;
esac

start_game() {
    "$1" >"$work/game.log" 2>&1 &
    game_pid=$!
}

# End closes the game, which must then exit cleanly within 30 s.
wait_for_exit() {
    wait_until '! kill -0 $game_pid 2>/dev/null' 300 || fail "the game is still running 30 s after End"
    status=0
    wait "$game_pid" || status=$?
    game_pid=
    [ "$status" -eq 0 ] || fail "the game exited with status $status"
}
