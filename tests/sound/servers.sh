# Sourced by the sound test and benchmark: a private X server and a private PulseAudio
# server whose only output is a null sink, in a temporary folder ended with the script.
# Sets DISPLAY, PULSE_SERVER, pulse_pid and the helpers below.
. "$(dirname "$0")/../e2e/common.sh"
LOGS="game.log heard.txt pulse.log"
start_xvfb 1024x768x24 -dpi 96
DISPLAY=$xvfb_display
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

# Grid points (1, 1) and (3, 3) of the first level's 3 x 3 grid on the 96-dpi layout.
line_start() { click 359 231; }
line_end() { click 667 539; }

# Starts the game with its settings in $1 and sound server $2, and gives it a task to answer.
start_answering_with() {
    start_game env XDG_CONFIG_HOME="$1" XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb PULSE_SERVER="$2" "$game"
    wait_main_window || fail "no main window"
    sleep 0.5
    start_answering
}
