#!/bin/sh
# sound_test.sh GAME CUES_HEARD RESOURCES
#
# The built game on a private X server, played with real pointer events, its cues going
# to a private PulseAudio server whose only output is a null sink. The sink's monitor is
# recorded and matched sample by sample against the cue files (CUES_HEARD). One row per
# case: what the server does, what the player does, and the cues that must come out.
# Every case ends with End, which must end the game and save its settings; a game that
# hangs fails through the waits' limits.
set -eu

game=${1:?usage: sound_test.sh GAME CUES_HEARD RESOURCES}
heard=${2:?}
resources=${3:?}

work=$(mktemp -d "${TMPDIR:-/tmp}/tessarin-sound.XXXXXX")
xvfb_pid= pulse_pid= silence_pid= rec_pid= game_pid=
stop_pid() { [ -z "$1" ] || { kill -CONT "$1" 2>/dev/null; kill "$1" 2>/dev/null; wait "$1" 2>/dev/null; } || true; }
cleanup() {
    for pid in "$game_pid" "$rec_pid" "$silence_pid" "$pulse_pid" "$xvfb_pid"; do stop_pid "$pid"; done
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

fail() {
    echo "sound test, $case: $*" >&2
    for f in game.log heard.txt pulse.log; do
        [ -s "$work/$f" ] && { echo "--- $f" >&2; tail -n 20 "$work/$f" >&2; }
    done
    exit 1
}
wait_for() { # tenths of a second, command...
    n=$1
    shift
    while ! "$@" >/dev/null 2>&1; do
        n=$((n - 1))
        [ "$n" -gt 0 ] || return 1
        sleep 0.1
    done
}
case=setup

Xvfb -displayfd 3 -screen 0 1024x768x24 -dpi 96 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
wait_for 100 grep -q . "$work/display" || fail "Xvfb did not start"
DISPLAY=":$(cat "$work/display")"
export DISPLAY
unset DBUS_SESSION_BUS_ADDRESS WAYLAND_DISPLAY

# A PulseAudio server of our own: a private socket, anyone on it may play, a null sink.
mkdir -p "$work/home" "$work/runtime"
chmod 700 "$work/runtime"
cat >"$work/pulse.pa" <<PA
load-module module-native-protocol-unix socket=$work/pulse.sock auth-anonymous=1
load-module module-null-sink sink_name=cues rate=44100 channels=1
set-default-sink cues
PA
HOME=$work/home XDG_RUNTIME_DIR=$work/runtime pulseaudio -n --daemonize=no --exit-idle-time=-1 \
    --use-pid-file=no -F "$work/pulse.pa" --log-target=stderr 2>"$work/pulse.log" &
pulse_pid=$!
PULSE_SERVER=unix:$work/pulse.sock
export PULSE_SERVER
wait_for 100 pactl info || fail "the sound server did not start"
# A stream of silence keeps the sink running with a short latency, so that its monitor
# is recorded as it plays and no cue is lost to the sink waking up.
pacat --latency-msec=10 --raw --format=s16le --rate=44100 --channels=1 /dev/zero &
silence_pid=$!

# Positions on the 96-dpi layout of a 1024 x 768 screen (as in the installed-game test):
# the buttons, and grid points (1, 1) and (3, 3) of the first level's 3 x 3 grid.
click() { xdotool mousemove "$1" "$2" click 1; }
line_start() { click 359 231; }
line_end() { click 667 539; }

# Each case: the server (pulse, stopped or none), the player's steps and the cues heard.
# Steps: "s" starts a line, "e" ends it, a number waits that many milliseconds.
while read -r case server steps expected; do
    conf=$work/$case/config
    mkdir -p "$conf"
    server_env=$PULSE_SERVER
    [ "$server" = none ] && server_env=unix:$work/no-server.sock

    parec --latency-msec=10 -d cues.monitor --format=s16le --rate=44100 --channels=1 --raw >"$work/rec.raw" &
    rec_pid=$!
    wait_for 50 test -s "$work/rec.raw" || fail "nothing recorded"
    XDG_CONFIG_HOME=$conf XDG_RUNTIME_DIR=$work/runtime QT_QPA_PLATFORM=xcb PULSE_SERVER=$server_env \
        "$game" >"$work/game.log" 2>&1 &
    game_pid=$!
    wait_for 150 xdotool search --onlyvisible --name '^Tessarin training$' || fail "no main window"
    sleep 0.5
    click 70 396 # New
    sleep 0.3
    click 70 446 # Ready
    sleep 0.3
    [ "$server" = stopped ] && kill -STOP "$pulse_pid"
    for step in $(echo "$steps" | tr , ' '); do
        case $step in
        s) line_start ;;
        e) line_end ;;
        *) sleep "$(echo "$step" | awk '{ print $1 / 1000 }')" ;;
        esac
    done
    xdotool search --onlyvisible --name '^Tessarin$' >/dev/null 2>&1 && fail "a message box appeared"
    click 938 700 # End
    wait_for 100 sh -c "! kill -0 $game_pid" || fail "the game did not end after End"
    wait "$game_pid" || fail "the game exited with status $?"
    game_pid=
    [ "$server" = stopped ] && kill -CONT "$pulse_pid"
    grep -q '^Level_of_game=' "$conf/Orv/Tessarin.conf" 2>/dev/null || fail "no settings saved"
    [ "$(wc -l <"$work/game.log")" -le 1 ] || fail "more than one line on the terminal"
    stop_pid "$rec_pid"
    rec_pid=
    [ "$expected" = - ] && continue
    python3 "$heard" "$work/rec.raw" "$resources/puk.wav" "$resources/puk_bum.wav" >"$work/heard.txt"
    got=$(awk '{ sub(/\.wav$/, "", $1); printf "%s%s%s", sep, $1, ($NF == "whole" ? "" : "/cut"); sep = "," }' \
        "$work/heard.txt")
    [ "$got" = "$expected" ] || fail "heard $got, not $expected"
    echo "$case: $got"
done <<CASES
whole   pulse   s,300,e,600,s,300,e,600     puk,puk_bum,puk,puk_bum
cut     pulse   s,300,e,80,s,300,e,600      puk,puk_bum/cut,puk,puk_bum
stopped stopped s,300,e,300,s,300,e         -
absent  none    s,300,e,300,s,300,e,300     -
CASES
echo "sound test: every case passed"
