#!/bin/sh
# signals.sh GAME
#
# Ending the game from outside: for each row, the game starts on its own virtual X server
# with a stored answer time of 5 (which every run writes back as 10000), is brought into
# a phase with real clicks, and is then stopped by a signal or by losing its X server.
# Each row checks the exit status and that the run's settings are on disk.
set -eu

game=${1:?usage: signals.sh GAME}
. "$(dirname "$0")/common.sh"

failures=0
row_failed() {
    echo "FAIL: $row: $*" >&2
    [ -s "$work/game.log" ] && sed 's/^/    game: /' "$work/game.log" >&2
    failures=$((failures + 1))
}

# Brings the game into the phase named $1.
reach() {
    case $1 in idle) return ;; showing) press New && return ;; esac
    start_answering
    case $1 in answering) return ;; half-line) click 359 231 && return ;; esac # grid point (1, 1)
    press Settings
    wait_for 50 new_window || return 1
    case $1 in dialog) return ;; esac
    dialog=$(new_window)
    click_in "$dialog" 61 160 # About
    wait_for 50 new_window "$dialog"
}

# Signal or "x-lost", phase, the exit status expected.
while read -r stop phase expected; do
    row="$stop in $phase"
    rm -rf "$work/config" "$work/game.log"
    mkdir -p "$work/config/Orv" "$work/runtime"
    chmod 700 "$work/runtime"
    printf '[General]\nTime2=5\n' >"$work/config/Orv/Tessarin.conf"

    start_xvfb 1024x768x24 -dpi 96
    export DISPLAY="$xvfb_display"
    # A background job of this shell would ignore SIGINT, as nohup's ignore SIGHUP.
    start_game env --default-signal=HUP,INT -u DBUS_SESSION_BUS_ADDRESS -u WAYLAND_DISPLAY -u QT_SCALE_FACTOR \
        -u QT_FONT_DPI XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb "$game"

    if wait_main_window && reach "$phase"; then
        sleep 0.3
        if [ "$stop" = x-lost ]; then kill "$xvfb_pid"; else kill -s "$stop" "$game_pid"; fi
        # A game that no longer answers is killed after 10 s and fails its row.
        wait_for 100 sh -c "! kill -0 $game_pid" || kill -9 "$game_pid"
        status=0
        wait "$game_pid" || status=$?
        conf="$work/config/Orv/Tessarin.conf"
        if [ "$status" -ne "$expected" ]; then
            row_failed "exit status $status, not $expected"
        elif ! grep -qx 'Time2=10000' "$conf" || [ "$(grep -c '=' "$conf")" -ne 9 ]; then
            row_failed "the run's settings were not saved: $(tr '\n' ' ' <"$conf")"
        else
            echo "ok: $row"
        fi
    else
        row_failed "the game could not be brought into this phase"
    fi
    kill -9 "$game_pid" 2>/dev/null || true
    kill "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    game_pid= xvfb_pid=
done <<ROWS
$(for stop in TERM HUP INT; do
    for phase in idle showing answering half-line dialog about; do echo "$stop $phase 0"; done
done)
x-lost answering 1
x-lost dialog 1
ROWS

[ "$failures" -eq 0 ] || { echo "$failures rows failed" >&2 && exit 1; }
