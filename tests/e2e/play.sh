#!/bin/sh
# play.sh GAME XPLAY [WM]
#
# Starts the game on a private X server (Xvfb, 1024x768), under the window manager WM
# ("openbox") or none, with an empty settings location,
# lets xplay play it with real pointer events until the level changes and press End,
# then checks that the game ended cleanly and saved its settings: all nine values, the
# level raised from the first run's 2, and the grid size that xplay saw last.
set -eu

game=${1:?usage: play.sh GAME XPLAY}
xplay=${2:?usage: play.sh GAME XPLAY [WM]}
WM=${3:-none}

LOGS=xplay.out
. "$(dirname "$0")/xsession.sh"

start_game "$game"

# A failed play leaves the screen it gave up on beside the test's logs.
snapshot=${E2E_SNAPSHOT:-$(pwd)/e2e-failure-$WM.png}
"$xplay" >"$work/xplay.out" 2>&1 || { import -window root "$snapshot" || true; fail "xplay failed (screen saved in $snapshot)"; }
cat "$work/xplay.out"

# End closes the game, which saves its settings on the way out.
wait_for_exit 300

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
