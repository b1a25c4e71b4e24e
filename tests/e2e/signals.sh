#!/bin/sh
# signals.sh GAME
#
# The edges of a run, from outside. First the starts: without a display (none set, an X
# display where nothing listens, Wayland without a compositor), beside a running game,
# beside one that no longer answers, after one killed with SIGKILL, and, as a player
# without root's rights, with a home folder that cannot take the settings. Then the ends:
# for each row, the game starts on its own virtual X server with a stored answer time of
# 5 (which every run writes back as 10000), is brought into a phase with real clicks, and
# is then stopped by a signal or by losing its X server. Each row checks the exit status
# and that the run's settings are on disk.
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

conf="$work/config/Orv/Tessarin.conf"
# A row's session: fresh settings and its own X server.
new_session() {
    rm -rf "$work/config" "$work/game.log"
    mkdir -p "$work/config/Orv" "$work/runtime"
    chmod 700 "$work/runtime"
    printf '[General]\nTime2=5\n' >"$conf"
    start_xvfb 1024x768x24 -dpi 96
    export DISPLAY="$xvfb_display"
}
end_session() {
    [ -z "$game_pid" ] || kill -CONT "$game_pid" 2>/dev/null || true
    kill -9 "$game_pid" 2>/dev/null || true
    kill "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    game_pid= xvfb_pid=
}
# Runs the command given with the session's settings, runtime folder and X server, in
# place of the shell that calls it: through start_game, or in a subshell. A background job
# of this shell would ignore SIGINT, as nohup's ignore SIGHUP.
in_session() {
    exec env --default-signal=HUP,INT -u DBUS_SESSION_BUS_ADDRESS -u WAYLAND_DISPLAY -u QT_SCALE_FACTOR -u QT_FONT_DPI \
        XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb "$@"
}
saved() { grep -qx 'Time2=10000' "$conf" && [ "$(grep -c '=' "$conf")" -eq 9 ]; }
message_box() { xdotool search --onlyvisible --name '^Tessarin$' 2>/dev/null | head -n1; }
# Whether the board shows task lines in blue.
shows_task() {
    import -window root -crop 618x618+203+75 +repage "$work/board.png" &&
        [ "$(convert "$work/board.png" -fill black +opaque '#0000FF' -fill white -opaque '#0000FF' \
            -format '%[fx:round(mean*w*h)]' info:)" -gt 100 ]
}

# ---- Starts without a display: status 1 and one line naming what was tried, no abort ----
while IFS='|' read -r row settings expected; do
    [ -n "$row" ] || continue
    status=0
    # shellcheck disable=SC2086
    timeout 20 env -u DBUS_SESSION_BUS_ADDRESS $settings XDG_CONFIG_HOME="$work/config" "$game" \
        >"$work/game.log" 2>&1 || status=$?
    if [ "$status" -ne 1 ]; then
        row_failed "exit status $status, not 1"
    elif [ "$(cat "$work/game.log")" != "$expected" ]; then
        row_failed "not the one line '$expected'"
    else
        echo "ok: $row"
    fi
done <<ROWS
no display set|-u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM|tessarin: neither a Wayland nor an X display is set (WAYLAND_DISPLAY, DISPLAY)
X display not there|-u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=:977|tessarin: cannot open the display ":977"
no Wayland compositor|-u WAYLAND_DISPLAY QT_QPA_PLATFORM=wayland XDG_RUNTIME_DIR=$work/runtime|tessarin: cannot reach the Wayland display "$work/runtime/wayland-0" (No such file or directory)
ROWS

# ---- Starts beside a game, and after one ----
# A later start must end within 5 s with status 0 and say what became of it.
later_start() {
    status=0
    (in_session timeout 5 "$game") >"$work/later.log" 2>&1 || status=$?
    [ "$status" -eq 0 ] && grep -q "$1" "$work/later.log"
}
# End closes the game, which exits with status 0 within 10 s, its settings saved.
ends_and_saves() {
    press End
    wait_for 100 sh -c "! kill -0 $game_pid" && wait "$game_pid" && game_pid= && saved
}
for row in "beside a running game" "beside a game that does not answer" "after a game killed with SIGKILL" \
    "as a player, in a home folder that cannot be written"; do
    new_session
    case $row in
    "as a player"*)
        # Root writes where the permissions say no; the player, here nobody, cannot. Without
        # root this is already such a player.
        as_player=
        if [ "$(id -u)" -eq 0 ]; then
            chmod 711 "$work"
            as_player="setpriv --reuid=nobody --regid=nogroup --clear-groups"
        fi
        rm -rf "$work/home" "$work/player-runtime"
        mkdir -m 555 "$work/home"
        mkdir -m 700 "$work/player-runtime"
        [ -z "$as_player" ] || chown nobody "$work/player-runtime"
        start_game $as_player env -u XDG_CONFIG_HOME -u DBUS_SESSION_BUS_ADDRESS -u WAYLAND_DISPLAY \
            HOME="$work/home" XDG_RUNTIME_DIR="$work/player-runtime" QT_QPA_PLATFORM=xcb "$game"
        ;;
    *) start_game in_session "$game" ;;
    esac
    wait_main_window || { row_failed "no main window" && end_session && continue; }
    case $row in
    "beside a running game")
        xdotool windowfocus --sync "$(xwininfo -root | sed -n 's/.*Window id: \(0x[0-9a-f]*\).*/\1/p')"
        if ! later_start "it was asked to come to the front"; then
            row_failed "the later start: status $status, $(cat "$work/later.log")"
        elif [ "$(xdotool search --onlyvisible --name '^Tessarin training$' | wc -l)" -ne 1 ]; then
            row_failed "a second main window"
        elif ! wait_until '[ "$(xdotool getwindowfocus)" = "$main" ]' 30; then
            row_failed "the running game did not come to the front"
        elif ! ends_and_saves; then
            row_failed "the running game did not save at End: $(tr '\n' ' ' <"$conf")"
        else
            echo "ok: $row"
        fi
        ;;
    "beside a game that does not answer")
        kill -STOP "$game_pid"
        later_start "does not answer" || row_failed "the later start: status $status, $(cat "$work/later.log")"
        kill -CONT "$game_pid"
        ends_and_saves && echo "ok: $row" || row_failed "the running game did not save at End"
        ;;
    "after a game killed"*)
        kill -9 "$game_pid"
        wait "$game_pid" 2>/dev/null || true
        start_game in_session "$game"
        main=
        if ! wait_until 'main=$(main_window); [ -n "$main" ] && kill -0 $game_pid' 150; then
            row_failed "the next start shows no game"
        else
            ends_and_saves && echo "ok: $row" || row_failed "the next game did not save at End"
        fi
        ;;
    "as a player"*)
        # Told before the first task; play goes on; End tells again and ends.
        if ! wait_until 'box=$(message_box); [ -n "$box" ]' 50; then
            row_failed "nothing was told at the start"
        else
            xdotool windowfocus --sync "$box" key Return
            press New
            if ! wait_until '[ -z "$(message_box)" ] && shows_task' 50; then
                row_failed "no task after the message"
            else
                press End
                wait_until 'box=$(message_box); [ -n "$box" ]' 50 && xdotool windowfocus --sync "$box" key Return
                if wait_for 100 sh -c "! kill -0 $game_pid" && wait "$game_pid"; then
                    game_pid=
                    echo "ok: $row"
                else
                    row_failed "the game did not end cleanly after End"
                fi
            fi
        fi
        ;;
    esac
    end_session
done

# ---- Ends: a signal or "x-lost", the phase, the exit status expected ----
while read -r stop phase expected; do
    row="$stop in $phase"
    new_session
    start_game in_session "$game"

    if wait_main_window && reach "$phase"; then
        sleep 0.3
        if [ "$stop" = x-lost ]; then kill "$xvfb_pid"; else kill -s "$stop" "$game_pid"; fi
        # A game that no longer answers is killed after 10 s and fails its row.
        wait_for 100 sh -c "! kill -0 $game_pid" || kill -9 "$game_pid"
        status=0
        wait "$game_pid" || status=$?
        if [ "$status" -ne "$expected" ]; then
            row_failed "exit status $status, not $expected"
        elif ! saved; then
            row_failed "the run's settings were not saved: $(tr '\n' ' ' <"$conf")"
        else
            echo "ok: $row"
        fi
    else
        row_failed "the game could not be brought into this phase"
    fi
    end_session
done <<ROWS
$(for stop in TERM HUP INT; do
    for phase in idle showing answering half-line dialog about; do echo "$stop $phase 0"; done
done)
x-lost answering 1
x-lost dialog 1
ROWS

[ "$failures" -eq 0 ] || { echo "$failures rows failed" >&2 && exit 1; }
