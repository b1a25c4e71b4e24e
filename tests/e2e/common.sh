# Sourced by the system tests: a temporary work folder, the processes started (stopped on
# exit), `fail` with the logs named in $LOGS, waits, and the game on a 1024 x 768 X screen
# at 96 dpi driven with real pointer events.
# What the tools print (xprop's texts among them) must not depend on the caller's locale.
export LC_ALL=C.UTF-8
work=$(mktemp -d "${TMPDIR:-/tmp}/tessarin-$(basename "$0" .sh).XXXXXX")
game_pid= rec_pid= silence_pid= watch_pid= wm_pid= weston_pid= mutter_pid= pulse_pid= xephyr_pid= xvfb_pid=
main=
# A stopped process is woken, so that it can end.
stop_pid() { [ -z "$1" ] || { kill -CONT "$1" 2>/dev/null; kill "$1" 2>/dev/null; wait "$1" 2>/dev/null; } || true; }
cleanup() {
    # A frozen game must not hold up the end of the test.
    [ -z "$game_pid" ] || kill -9 "$game_pid" 2>/dev/null || true
    for pid in $rec_pid $silence_pid $watch_pid $wm_pid $weston_pid $mutter_pid $pulse_pid $xephyr_pid $xvfb_pid; do stop_pid "$pid"; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# Reports, with the tails of the logs and $row when a table's row is running, and ends.
fail() {
    echo "$(basename "$0")${row:+, $row}: $*" >&2
    for f in ${LOGS:-game.log}; do
        [ -s "$work/$f" ] && { echo "--- $f" >&2; tail -n 40 "$work/$f" >&2; }
    done
    ! command -v on_fail >/dev/null || on_fail
    exit 1
}

# Waits up to $1 tenths of a second for the command that follows to succeed.
wait_for() {
    tries=$1
    shift
    while ! "$@" >/dev/null 2>&1; do
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || return 1
        sleep 0.1
    done
}
# The same for a shell condition $1, up to $2 tenths (default 100).
wait_until() { wait_for "${2:-100}" eval "$1"; }

# A private X server with screen $1 and the further options given; sets xvfb_display.
start_xvfb() {
    screen=$1
    shift
    rm -f "$work/display"
    Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp "$@" 3>"$work/display" >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    wait_until '[ -s "$work/display" ] || ! kill -0 $xvfb_pid' 200 && kill -0 "$xvfb_pid" 2>/dev/null ||
        fail "Xvfb did not start: $(cat "$work/xvfb.log")"
    xvfb_display=:$(head -n1 "$work/display")
}

# The window manager $WM ("openbox", or "none") on $DISPLAY, with its output in wm.log.
start_wm() {
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
}

# Starts the command given, the game, with its output in game.log.
start_game() {
    "$@" >"$work/game.log" 2>&1 &
    game_pid=$!
}
main_window() { xdotool search --onlyvisible --name '^Tessarin training$' 2>/dev/null | head -n1; }
# Waits up to $1 tenths of a second (default 150) for the main window; sets main.
wait_main_window() { wait_until 'main=$(main_window); [ -n "$main" ]' "${1:-150}"; }
# The one window of the game that is neither the main window nor one of those given.
new_window() {
    for id in $(xdotool search --onlyvisible --class tessarin); do
        case " $main $* " in *" $id "*) ;; *) echo "$id" && return 0 ;; esac
    done
    return 1
}
# The geometry of window $1 as xwininfo gives the field $2 ("Width", "Absolute upper-left X").
geometry() { [ -n "$1" ] && xwininfo -id "$1" | sed -n "s/^ *$2: *//p"; }
# Whether window $1's outer frame, from _NET_FRAME_EXTENTS (left right top bottom) around
# it, is centred within a pixel on the $W x $H screen.
centred() {
    set -- "$1" $(xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= //p' | tr -d ,)
    l=${2:-0} r=${3:-0} t=${4:-0} b=${5:-0}
    x=$(($(geometry "$1" 'Absolute upper-left X') - l)) y=$(($(geometry "$1" 'Absolute upper-left Y') - t))
    ow=$(($(geometry "$1" Width) + l + r)) oh=$(($(geometry "$1" Height) + t + b))
    dx=$((2 * x + ow - W)) dy=$((2 * y + oh - H))
    [ ${dx#-} -le 2 ] && [ ${dy#-} -le 2 ]
}
# Clicks a point given in design pixels of a window $2 wide, inside window $1.
click_design() { # window design_width x y
    w=$(geometry "$1" Width)
    xdotool mousemove --window "$1" $(($3 * w / $2)) $(($4 * w / $2)) click 1
    sleep 0.3
}

# End closes the game, which must then exit cleanly within $1 tenths of a second.
wait_for_exit() {
    wait_for "$1" sh -c "! kill -0 $game_pid" || fail "the game is still running $(($1 / 10)) s after End"
    status=0
    wait "$game_pid" || status=$?
    game_pid=
    [ "$status" -eq 0 ] || fail "the game exited with status $status"
}

# The 96-dpi layout of a 1024 x 768 screen is the 120-dpi design at a scale of 0.8.
design() { echo $(($1 * 8 / 10)); }
click() { xdotool mousemove "$1" "$2" click 1; }
# Clicks at a position of the 120-dpi design inside window $1.
click_in() {
    eval "$(xdotool getwindowgeometry --shell "$1")"
    click $((X + $(design "$2"))) $((Y + $(design "$3")))
}
press() {
    case $1 in
    New) click 70 396 ;;
    Ready) click 70 446 ;;
    Settings) click 70 546 ;;
    End) click 938 700 ;;
    esac
}
# A task, hidden again: the board takes the player's lines.
start_answering() {
    press New
    sleep 0.3
    press Ready
    sleep 0.3
}
