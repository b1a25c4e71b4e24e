# Sourced by the sound test and benchmark: a private X server and a private PulseAudio
# server whose only output is a null sink, in a temporary folder ended with the script.
# Sets DISPLAY, PULSE_SERVER, work, pulse_pid and the helpers below.
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
    echo "$0, $case: $*" >&2
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

