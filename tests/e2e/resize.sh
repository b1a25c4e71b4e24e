#!/bin/sh
# resize.sh GAME XPLAY [WM]
#
# The screen under the game changes size, as when a laptop is docked or undocked: the game
# runs on Xephyr, an X server nested in a private Xvfb, under the window manager WM
# ("openbox") or none, and `xrandr -s` resizes Xephyr's screen under it. Each row of the
# table starts the game on a screen of one size, brings it into a state, changes the size
# and checks that the window covers the new screen with the board where the layout puts
# it, that the state is shown at the new scale, and that End, where the new layout puts
# it, ends the game with its settings saved. Every wait is bounded.
set -eu

game=${1:?usage: resize.sh GAME XPLAY [WM]}
xplay=${2:?usage: resize.sh GAME XPLAY [WM]}
WM=${3:-none}

. "$(dirname "$0")/common.sh"
LOGS="game.log wm.log xephyr.log xplay.out"
on_fail() { import -window root "${RESIZE_SNAPSHOT:-$(pwd)/e2e-resize-$WM.png}" 2>/dev/null || true; }

# Xephyr's window grows and shrinks with its screen inside the larger Xvfb.
start_xvfb 1920x1200x24 -noreset
rm -f "$work/display"
DISPLAY=$xvfb_display Xephyr -displayfd 3 -screen 1920x1080 -resizeable -nolisten tcp -noreset \
    3>"$work/display" >"$work/xephyr.log" 2>&1 &
xephyr_pid=$!
wait_until '[ -s "$work/display" ] || ! kill -0 $xephyr_pid' 200 && kill -0 "$xephyr_pid" 2>/dev/null ||
    fail "Xephyr did not start"
export DISPLAY=":$(head -n1 "$work/display")" XDG_CACHE_HOME="$work/cache" XDG_RUNTIME_DIR="$work/runtime" \
    QT_QPA_PLATFORM=xcb
unset DBUS_SESSION_BUS_ADDRESS WAYLAND_DISPLAY
mkdir -p "$XDG_CACHE_HOME"
mkdir -m 700 "$XDG_RUNTIME_DIR"
start_wm

settings_dialog() { xdotool search --onlyvisible --name '^S e t t i n g s$' 2>/dev/null | head -n1; }
# Whether the main window lies over the whole $W x $H screen.
covers() {
    [ "$(geometry "$main" 'Absolute upper-left X'),$(geometry "$main" 'Absolute upper-left Y')" = 0,0 ] &&
        [ "$(geometry "$main" Width)x$(geometry "$main" Height)" = "${W}x$H" ]
}
resize() {
    xrandr -s "$1" >/dev/null 2>&1 || fail "xrandr -s $1 failed"
    W=${1%x*} H=${1#*x}
}

# row        from       to          the state the change meets
while read -r row from to; do
    [ -n "$row" ] || continue
    export XDG_CONFIG_HOME="$work/config-$row"
    resize "$from"
    start_game "$game"
    wait_main_window 300 && wait_until covers || fail "the game does not cover the $from screen"
    sleep 0.5
    case $row in
    idle) ;;
    answering)
        "$xplay" answer >"$work/xplay.out" 2>&1 || fail "xplay could not answer a task"
        range=$(sed -n 's/^range=//p' "$work/xplay.out")
        lines=$(sed -n 's/^line //p' "$work/xplay.out" | tr '\n' ' ')
        ;;
    settings)
        xdotool mousemove 60 $((H / 2 + 162)) click 1
        wait_until '[ -n "$(settings_dialog)" ]' || fail "the settings dialog did not open"
        ;;
    esac

    resize "$to"
    wait_until covers 50 || fail "the game does not cover the screen after it changed from $from to $to"
    case $row in
    answering)
        "$xplay" check "$range" $lines >>"$work/xplay.out" 2>&1 || fail "the lines drawn on the $from screen"
        tail -n2 "$work/xplay.out"
        ;;
    settings)
        settings=$(settings_dialog)
        wait_until 'centred $settings' 30 || fail "the settings dialog is not centred on the $to screen"
        click_design "$settings" 519 312 160 # Cancel
        wait_until '[ -z "$(settings_dialog)" ]' || fail "the settings dialog did not close"
        ;;
    esac
    # The board stands where the layout of the new screen puts it, and End with it.
    "$xplay" board >>"$work/xplay.out" 2>&1 || fail "the board is not laid out for the $to screen"
    xdotool mousemove $((W - 90)) $((H - 68)) click 1
    wait_for_exit 300
    grep -q '^Level_of_game=' "$XDG_CONFIG_HOME/Orv/Tessarin.conf" 2>/dev/null || fail "End saved no settings"
    echo "$row: from $from to $to, covered, shown at the new scale, End saves"
done <<'ROWS'
idle       1024x768   1920x1080
answering  1920x1080  1024x768
settings   1920x1080  1024x768
ROWS
echo "e2e: the game follows its screen under window manager '$WM'"
