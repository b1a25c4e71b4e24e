#!/bin/sh
# play.sh GAME XPLAY
#
# Starts the game on a private X server (Xvfb, 1024x768) with an empty settings location,
# lets xplay play it with real pointer events until the level changes and press End,
# then checks that the game ended cleanly and saved its settings: all nine values, the
# level raised from the first run's 2, and the grid size that xplay saw last.
set -eu

game=${1:?usage: play.sh GAME XPLAY}
xplay=${2:?usage: play.sh GAME XPLAY}

work=$(mktemp -d "${TMPDIR:-/tmp}/tessarin-e2e.XXXXXX")
xvfb_pid=
game_pid=
cleanup() {
    [ -z "$game_pid" ] || kill "$game_pid" 2>/dev/null || true
    [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

fail() {
    echo "e2e: $*" >&2
    for f in xplay.out game.log; do
        [ -s "$work/$f" ] && { echo "--- $f" >&2; tail -n 40 "$work/$f" >&2; }
    done
    exit 1
}

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
i=0
while [ ! -s "$work/display" ]; do
    i=$((i + 1))
    [ $i -le 200 ] && kill -0 "$xvfb_pid" 2>/dev/null || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
    sleep 0.05
done

DISPLAY=:$(head -n1 "$work/display")
XDG_CONFIG_HOME=$work/config
XDG_RUNTIME_DIR=$work/runtime
QT_QPA_PLATFORM=xcb
export DISPLAY XDG_CONFIG_HOME XDG_RUNTIME_DIR QT_QPA_PLATFORM
unset DBUS_SESSION_BUS_ADDRESS WAYLAND_DISPLAY
mkdir -p "$XDG_CONFIG_HOME"
mkdir -m 700 "$XDG_RUNTIME_DIR"

"$game" >"$work/game.log" 2>&1 &
game_pid=$!

# A failed play leaves the screen it gave up on beside the test's logs.
snapshot=${E2E_SNAPSHOT:-$(pwd)/e2e-failure.ppm}
XPLAY_SNAPSHOT=$snapshot "$xplay" >"$work/xplay.out" 2>&1 || fail "xplay failed (screen saved in $snapshot)"
cat "$work/xplay.out"

# End closes the game, which saves its settings on the way out.
i=0
while kill -0 "$game_pid" 2>/dev/null; do
    i=$((i + 1))
    [ $i -le 600 ] || fail "the game is still running 30 s after End"
    sleep 0.05
done
status=0
wait "$game_pid" || status=$?
game_pid=
[ "$status" -eq 0 ] || fail "the game exited with status $status"

conf=$XDG_CONFIG_HOME/Orv/Tessarin.conf
[ -f "$conf" ] || fail "no settings saved at $conf"
echo "--- saved settings"
cat "$conf"
value() { sed -n "s/^$1=//p" "$conf" | head -n1; }
for key in Liniy Range Time1 Time2 Level_of_game ProEnabled TimeEnabled; do
    v=$(value "$key")
    echo "$v" | grep -Eq '^-?[0-9]+$' || fail "$key is not saved as a whole number: '$v'"
done
for key in Liniy_level Range_level; do
    grep -q "^$key=" "$conf" || fail "$key is not saved"
done
level=$(value Level_of_game)
[ "$level" -gt 2 ] || fail "the level did not rise: Level_of_game=$level"
seen=$(sed -n 's/^range=//p' "$work/xplay.out" | tail -n1)
[ "$(value Range)" = "$seen" ] || fail "saved Range $(value Range) is not the $seen points per side last seen"
echo "e2e: played up to level $level, settings saved"
